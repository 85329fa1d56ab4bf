#!/usr/bin/env bash
# The whole program with a database file that holds no tables: it tells the operator why in a
# message box and in its log file, and ends with -1 before the launcher.
#   program_db_failure.sh PROGRAM
set -uo pipefail
program="$1"

source "$(dirname "$0")/common.sh"
mkdir -p "$work/Logs"
: >"$work/dudedoriv_db.db"

shot="${SYSTEM_ARTIFACTS:-$work}/database-error.png"
DRIVE_MODE=error-box DRIVE_SCREENSHOT="$shot" \
    "$root/scripts/netns-run.sh" -- "$here/drive-program.sh" "$program" "$work" "/LTOF=1" "/LL=0" "/LANG=EN"
status=$?
log=$(run_log)
printf '%s\n' "$log"

[ "$status" = 255 ] || fail "exit code $status, not -1"
grep -q $'\t<Error>\tThe local database could not be loaded\tno such table' <<<"$log" || fail "the cause is not in the log"
grep -q 'Launcher' <<<"$log" && fail "the launcher was reached"
[ -s "$shot" ] || fail "no error box"
echo "PASS"
