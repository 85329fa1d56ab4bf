#!/usr/bin/env bash
# The whole program, inside the project's network namespaces with the fake unit: starts,
# passes the launcher, shows its main window, talks to the unit, closes normally with exit
# code 0 and leaves its log behind.
#   program_start.sh PROGRAM FAKEUNIT
set -uo pipefail
program="$1"
fakeunit="$2"

source "$(dirname "$0")/common.sh"
"$root/scripts/prepare-workdir.sh" "$work" >/dev/null

shot="${SYSTEM_ARTIFACTS:-$work}/launcher.png"
DRIVE_HOLD_S=3 DRIVE_SCREENSHOT="$shot" "$root/scripts/netns-run.sh" \
    --unit "$fakeunit --address 172.31.254.1 --port 40000 --log $work/fakeunit.log" \
    -- "$here/drive-program.sh" "$program" "$work" "/LTOF=1" "/LL=0"
status=$?
log=$(run_log)
printf '%s\n' "$log"

[ "$status" = 0 ] || fail "exit code $status"
grep -q $'\t<Info>\tStart application\r$' <<<"$log" || fail "no start line"
grep -qE $'\t<Info>\tLoad LANG file dudedoriv_PL success\r$' <<<"$log" || fail "no translation line"
grep -q $'\t<Info>\tLoad data from database dudedoriv_db.db success\r$' <<<"$log" || fail "no database line"
grep -q $'\t<Send>\tAT#\tINTERNAL\r$' <<<"$log" || fail "the watchdog sent nothing"
grep -q $'\t<Rec>\tAT#' <<<"$log" || fail "no reply from the unit"
grep -q 'AT#' "$work/fakeunit.log" || fail "the unit received nothing"
grep -q $'\t<Info>\tStop application\r$' <<<"$log" || fail "no stop line"
[ "$(identify -format '%wx%h' "$shot" 2>/dev/null)" = "396x156" ] || fail "no launcher screenshot of 396x156"
echo "PASS"
