#!/usr/bin/env bash
# The whole program hears only its unit: an SMS read reply from the unit's address is stored in
# the database, the same reply sent from another host of the unit's network (172.31.254.3) is
# not, and the program warns about that host. A third one from the unit shows that the program
# was still reading when the foreign one came.
#   program_foreign_sender.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

# The first and the last are stored, the foreign one must not be. Only characters that the
# 7-bit alphabet shares with ASCII.
texts() { echo "Heard from the unit $1"; echo "Sent by a stranger $1"; echo "Heard again from the unit $1"; }

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    mapfile -t texts < <(texts "$5")
    source "$(dirname "$0")/scenario.sh"

    # An SMS read reply as the unit sends it, through the "FAKE#UNSOLICITED" control.
    send_read_reply() {
        local length pdu
        read -r length pdu < <("$ctl" pdu "$1")
        echo "$pdu" >>"$work/pdus"
        unit_control "FAKE#UNSOLICITED=AT+CMGR=1\\r\\n+CMGR: 0,,$length\\r\\n$pdu\\r\\n\\r\\nOK\\r\\n"
    }
    logged() { grep -qF "$1" "$(log_file)"; }

    start_program "/LTOF=1" "/LL=0" "/LANG=EN"
    # Unsolicited datagrams go to whoever sent the last AT command: the watchdog's first "AT#".
    wait_until "$(bound 20)" "watchdog command at the unit" unit_heard 'AT#' 0

    send_read_reply "${texts[0]}"
    wait_until "$(bound 10)" "first reply in the program's log" logged "$(sed -n 1p "$work/pdus")"
    unit_control "FAKE#FROM=172.31.254.3"
    send_read_reply "${texts[1]}"
    grep -A1 -F "$(sed -n 2p "$work/pdus")" "$unit_log" | grep -q 'note: the next datagram leaves from 172.31.254.3' \
        || fail "the second reply did not leave from 172.31.254.3"
    send_read_reply "${texts[2]}"
    # Datagrams are read in order: once the third is in the log, the second has been dealt with.
    wait_until "$(bound 10)" "third reply in the program's log" logged "$(sed -n 3p "$work/pdus")"
    sleep 1
    shoot_main "${SYSTEM_ARTIFACTS:-$work}/foreign-sender.png"
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"
"$root/scripts/prepare-workdir.sh" "$work" >/dev/null

"$root/scripts/netns-run.sh" \
    --unit "$fakeunit --address 172.31.254.1 --port 40000 --log $work/fakeunit.log" \
    -- bash "$here/program_foreign_sender.sh" --inside "$program" "$work" "$ctl" "$$"
inside=$?
mapfile -t texts < <(texts "$$")
log=$(run_log)
printf '%s\n' "$log"
echo "--- fake unit"
cat "$work/fakeunit.log"
[ "$inside" = 0 ] || fail "the run inside the namespaces failed"
status=$(cat "$work/exit_code")

[ "$status" = 0 ] || fail "exit code $status"
stored=$(sqlite3 "$work/dudedoriv_db.db" "SELECT CONTENT FROM RECEIVE_MESSAGES WHERE USSD = 0 ORDER BY ID;")
echo "--- stored"
printf '%s\n' "$stored"
grep -qxF "${texts[0]}" <<<"$stored" || fail "the unit's SMS was not stored"
grep -qxF "${texts[2]}" <<<"$stored" || fail "the unit's second SMS was not stored"
grep -qF "${texts[1]}" <<<"$stored" && fail "the SMS from 172.31.254.3 was stored"
grep -q $'\t<Warn>\t.*172\\.31\\.254\\.3' <<<"$log" || fail "no warning naming 172.31.254.3"
grep -qF "$(sed -n 2p "$work/pdus")" <<<"$log" && fail "the datagram from 172.31.254.3 reached the log as a reply"
echo "PASS"
