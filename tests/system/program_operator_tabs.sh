#!/usr/bin/env bash
# The operator's tabs of the whole program, as administrator in extended mode, in Polish, against
# the fake unit: the RF test draws bars from the unit's radio reports, the terminal sends a typed
# command and shows the answer, a message the unit receives reaches the inbox (and is deleted on
# the unit only after it was read), and the SIM phone book lists its entries; an entry renamed
# while the SIM refuses every write brings a box that names it, and the book read again shows the
# old name. Leaves the screenshots tabs-rf.png, tabs-terminal.png, tabs-inbox.png (the joined
# two-part message selected), tabs-phonebook.png (the SIM group selected), phonebook-refused.png
# (the box of the refused write) and phonebook-after-refusal.png (the list read again).
#   program_operator_tabs.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

# Where the window draws what is clicked (660 x 470 window).
tab_rf="220 52"; tab_sms="345 52"; tab_phonebook="460 52"; tab_terminal="575 52"
rf_active_card="140 137"; rf_start="605 257"
sms_read="436 101"; sms_second_row="290 172"
pb_sim_root="95 137"; pb_first_row="280 147"; pb_edit="271 101"
# The new name of the SIM's first entry, "Anna", which the SIM refuses.
refused_name="Anna Kowalska"

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"
    click() { DISPLAY="$(display)" xdotool mousemove --window "$(cat "$control/main")" $1 click 1; sleep 1; }
    type_line() { DISPLAY="$(display)" xdotool type --delay 40 "$1"; DISPLAY="$(display)" xdotool key Return; }
    phone_book_read() { grep -qa $'\t<Rec>\tAT+CPBR=' "$(log_file)" 2>/dev/null; }
    phone_book_reads() { grep -ac $'\t<Rec>\tAT+CPBR=' "$(log_file)"; }

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

    # A SIM that refuses every write: the first entry renamed through the tool bar's edit button.
    unit_control "FAKE#PBREFUSE=1"
    reads_before=$(phone_book_reads)
    click "$pb_first_row"
    click "$pb_edit"
    await "Edycja kontaktu"
    keys "$window" ctrl+a
    typed "$window" "$refused_name"
    # Return in the name field presses OK.
    keys "$window" Return
    await "Ostrzeżenie"
    DISPLAY="$(display)" import -window "$window" "$artifacts/phonebook-refused.png" || fail "no screenshot of the refusal's box"
    keys "$window" Return
    wait_until "$(bound 10)" "the refusal's box closed" gone "Ostrzeżenie"
    # The book read again behind the box puts back what the SIM holds.
    read_again() { [ "$(phone_book_reads)" -gt "$reads_before" ]; }
    wait_until "$(bound 20)" "the phone book read again after the refusal" read_again
    sleep 1
    shoot_main "$artifacts/phonebook-after-refusal.png"
    unit_control "FAKE#PBREFUSE=0"

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
# No screenshot of an earlier run may stand in for this run's.
rm -f "${SYSTEM_ARTIFACTS:-$work}/phonebook-refused.png" "${SYSTEM_ARTIFACTS:-$work}/phonebook-after-refusal.png"
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
# The rename went to the unit while it refused writes, and the book was read again after it.
refuse_on=$(grep -n 'FAKE#PBREFUSE=1' "$work/fakeunit.log" | head -n1 | cut -d: -f1)
refuse_off=$(grep -n 'FAKE#PBREFUSE=0' "$work/fakeunit.log" | head -n1 | cut -d: -f1)
write_line=$(grep -n 'AT+CPBW=1,' "$work/fakeunit.log" | grep -F ",\"$refused_name\"\\r" | head -n1 | cut -d: -f1)
[ -n "$refuse_on" ] && [ -n "$refuse_off" ] || fail "the fake unit was not told to refuse phone-book writes and take them again"
[ -n "$write_line" ] && [ "$write_line" -gt "$refuse_on" ] && [ "$write_line" -lt "$refuse_off" ] \
    || fail "no write of \"$refused_name\" to the first position while the unit refused writes"
tail -n +"$write_line" "$work/fakeunit.log" | grep -q 'AT+CPBR=' || fail "the phone book was not read again after the refused write"
for shot in tabs-rf tabs-terminal tabs-inbox tabs-phonebook phonebook-refused phonebook-after-refusal; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
echo "PASS"
