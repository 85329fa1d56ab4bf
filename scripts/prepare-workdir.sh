#!/usr/bin/env bash
# Lays out a working folder as the program expects it: the log folder, the style sheet, the
# runtime forms and the local database (created from the project's SQL when missing).
#   prepare-workdir.sh WORKDIR
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$1"
mkdir -p "$work/Logs"
if [ -f "$root/resources/DarkOrange.qss" ]; then
    cp "$root/resources/DarkOrange.qss" "$work/"
fi
for form in "$root"/forms/runtime/*.ui; do
    [ -e "$form" ] && cp "$form" "$work/"
done
if [ ! -e "$work/dudedoriv_db.db" ] && [ -x "$root/scripts/make-database.sh" ]; then
    "$root/scripts/make-database.sh" "$work/dudedoriv_db.db"
fi
