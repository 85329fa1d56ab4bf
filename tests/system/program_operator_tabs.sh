#!/usr/bin/env bash
# The operator's tabs of the whole program, as administrator in extended mode, in Polish, against
# the fake unit: the RF test draws bars from the unit's radio reports, the terminal sends a typed
# command and shows the answer, a message the unit receives reaches the inbox (and is deleted on
# the unit only after it was read), and the SIM phone book lists its entries. Leaves the
# screenshots tabs-rf.png, tabs-terminal.png, tabs-inbox.png (the joined two-part message
# selected) and tabs-phonebook.png.
#   program_operator_tabs.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

# Where the window draws what is clicked (660 x 470 window).
tab_rf="220 52"; tab_sms="345 52"; tab_phonebook="460 52"; tab_terminal="575 52"
rf_active_card="140 137"; rf_start="605 257"
sms_read="436 101"; sms_second_row="290 172"
pb_sim_root="95 137"

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"
    click() { DISPLAY="$(display)" xdotool mousemove --window "$(cat "$control/main")" $1 click 1; sleep 1; }
    type_line() { DISPLAY="$(display)" xdotool type --delay 40 "$1"; DISPLAY="$(display)" xdotool key Return; }
    phone_book_read() { grep -qa $'\t<Rec>\tAT+CPBR=' "$(log_file)" 2>/dev/null; }

    export DRIVE_ADMIN_PASSWORD=admin
    start_program "/LTOF=1" "/LL=0" "/EM=1"
    wait_until "$(bound 20)" "end of the first reading" phone_book_read
    sleep 1

    # RF test: the active card, Start, a few polls of each technology.
    click "$tab_rf"
    click "$rf_active_card"
    click "$rf_start"
    for radio in 4G 3G 2G 4G; do
        unit_control "FAKE#RADIO=$radio"
        sleep 5
    done
    shoot_main "$artifacts/tabs-rf.png"

    # A message arrives at the unit; "Read SMSes" takes it into the inbox.
    unit_control "FAKE#SMS=$("$ctl" pdu "Operator tabs run" "+48600111222" | cut -d' ' -f2)"
    click "$tab_sms"
    click "$sms_read"
    # The walk goes down the whole store; the fake's three messages lie at its bottom.
    stored() { sqlite3 "$work/dudedoriv_db.db" "SELECT COUNT(*) FROM RECEIVE_MESSAGES WHERE CONTENT = 'Operator tabs run';" | grep -qx 1; }
    wait_until "$(bound 40)" "the message in the database" stored
    wait_until "$(bound 20)" "the end of the store's walk" unit_heard 'AT+CMGD=1' 0
    sleep 2
    # The joined two-part message, whole in the pane below the table.
    click "$sms_second_row"
    shoot_main "$artifacts/tabs-inbox.png"

    click "$tab_phonebook"
    click "$pb_sim_root"
    shoot_main "$artifacts/tabs-phonebook.png"

    # Terminal, last: its tab scrolls the tab bar. A typed command and its answer.
    click "$tab_terminal"
    type_line "AT+CGSN"
    sleep 1
    shoot_main "$artifacts/tabs-terminal.png"
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"
run_inside ""

# Each message stored once; each position read before it was deleted.
db="$work/dudedoriv_db.db"
messages=$(sqlite3 "$db" "SELECT COUNT(*) || '/' || COUNT(DISTINCT CONTENT) FROM RECEIVE_MESSAGES WHERE USSD = 0;")
echo "received messages (all/distinct): $messages"
[ "$messages" = "3/3" ] || fail "received messages $messages, not the three of the store"
for delete_line in $(grep -n 'AT+CMGD=' "$work/fakeunit.log" | cut -d: -f1); do
    position=$(sed -n "${delete_line}p" "$work/fakeunit.log" | grep -oE 'CMGD=[0-9]+' | cut -d= -f2)
    read_line=$(grep -nF "AT+CMGR=${position}\\r" "$work/fakeunit.log" | head -n1 | cut -d: -f1)
    [ -n "$read_line" ] && [ "$read_line" -lt "$delete_line" ] || fail "position $position deleted before it was read"
done
grep -q 'AT+CMGD=' "$work/fakeunit.log" || fail "nothing deleted on the unit"
grep -q 'AT+CGSN' "$work/fakeunit.log" || fail "the typed command did not reach the unit"
for shot in tabs-rf tabs-terminal tabs-inbox tabs-phonebook; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
echo "PASS"
