#!/bin/sh
# Creates the program's local database "dudedoriv_db.db" from the schema and starting rows in
# db/sql/. The program itself never creates tables, so every installation starts from this.
#
#   scripts/make-database.sh OUTPUT_PATH
#
# An existing file is never overwritten: it may hold contacts and messages.
set -eu

if [ $# -ne 1 ] || [ -z "$1" ]; then
    echo "usage: $0 OUTPUT_PATH (for example run/dudedoriv_db.db)" >&2
    exit 2
fi
output=$1
sql_dir=$(cd "$(dirname "$0")/../db/sql" && pwd)

if [ -e "$output" ]; then
    echo "$0: $output exists already; not overwritten" >&2
    exit 1
fi
if ! command -v sqlite3 >/dev/null 2>&1; then
    echo "$0: the sqlite3 command-line tool is needed" >&2
    exit 1
fi

# Built under a temporary name beside the target, so a failure never leaves a half-made
# database under the real name.
partial="$output.partial.$$"
trap 'rm -f "$partial"' EXIT INT TERM
{
    echo "BEGIN TRANSACTION;"
    cat "$sql_dir/schema.sql" "$sql_dir/data.sql" "$sql_dir/operators.sql"
    echo "COMMIT;"
} | sqlite3 -bail -batch "$partial"

mv -n "$partial" "$output"
if [ -e "$partial" ]; then
    echo "$0: $output appeared meanwhile; not overwritten" >&2
    exit 1
fi
trap - EXIT INT TERM
echo "created $output"
