#!/usr/bin/env bash
# The whole program with a database file that holds no tables: it tells the operator why in a
# message box and in its log file, and ends with -1 before the launcher.
#   program_db_failure.sh PROGRAM
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
program="$1"

if [ "$(id -u)" != 0 ] || ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null \
    || ! command -v import >/dev/null; then
    echo "SKIP: needs root (network namespaces), Xvfb, xdotool and ImageMagick"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Logs"
: >"$work/dudedoriv_db.db"

shot="${SYSTEM_ARTIFACTS:-$work}/database-error.png"
DRIVE_MODE=error-box DRIVE_SCREENSHOT="$shot" \
    "$root/scripts/netns-run.sh" -- "$here/drive-program.sh" "$program" "$work" "/LTOF=1" "/LL=0" "/LANG=EN"
status=$?
log=$(cat "$work"/Logs/log_*.txt 2>/dev/null)
printf '%s\n' "$log"

fail() { echo "FAIL: $*"; exit 1; }
[ "$status" = 255 ] || fail "exit code $status, not -1"
grep -q $'\t<Error>\tThe local database could not be loaded\tno such table' <<<"$log" || fail "the cause is not in the log"
grep -q 'Launcher' <<<"$log" && fail "the launcher was reached"
[ -s "$shot" ] || fail "no error box"
echo "PASS"
