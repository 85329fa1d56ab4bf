#!/usr/bin/env bash
# The unit page's network configuration as the operator changes it, in English, against the fake
# unit: Edit, a new MAC address, IP address and UDP port and another configuration in the combo
# box, Save, Send to device. Leaves a screenshot of the page in edit mode (bold fields, the combo
# box, the first tab marked " *") and one after the save.
# Afterwards the database's unit row holds the new values and the fake unit heard them as one
# "AT#CNF=" command.
#   program_unit_config.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

new_mac="02:00:00:00:00:2A"
new_address="172.31.254.5"
new_port="40001"

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"

    phone_book_read() { grep -qa $'\t<Rec>\tAT+CPBR=' "$(log_file)" 2>/dev/null; }
    click() { DISPLAY="$(display)" xdotool mousemove --window "$(main_id)" "$1" "$2" click 1; sleep 0.5; }
    keys() { DISPLAY="$(display)" xdotool windowfocus --sync "$(main_id)" key "$@"; sleep 0.3; }
    # Replaces the text of the line edit at X Y.
    retype() {
        click "$1" "$2"
        keys ctrl+a
        DISPLAY="$(display)" xdotool windowfocus --sync "$(main_id)" type --delay 30 "$3"
        sleep 0.3
    }
    unit_row() { sqlite3 "$work/dudedoriv_db.db" \
        "SELECT ETHERNET_ADDR, NET_CONF, LOCAL_NETWORK_ADDR, UDP_PORT FROM ZKMAIN WHERE ID = 0;"; }
    config_sent() { grep -qF "AT#CNF=$new_mac,3,$new_address,$new_port\\r" "$unit_log"; }
    config_saved() { [ "$(unit_row)" = "$new_mac|3|$new_address|$new_port" ]; }

    start_program "/LANG=EN" "/LTOF=1" "/LL=0"
    wait_until "$(bound 15)" "end of the first reading" phone_book_read
    sleep 1

    # Where the window draws them: the unit in the tree, the page's Network tab, its four
    # fields (the combo box covers the configuration's) and the buttons below.
    click 90 102
    sleep 1
    click 310 385                     # Edit: the page comes up on its first tab
    click 352 106                     # Network
    retype 490 135 "$new_mac"
    retype 490 161 "$new_address"
    retype 490 213 "$new_port"
    # The unit reported the bridge configuration on connecting; NAT is the next entry.
    click 490 187
    keys Down Return
    sleep 0.5
    shoot_main "$artifacts/unit-edit-mode.png"

    click 440 385                     # Save
    wait_until "$(bound 10)" "new values in the unit's row" config_saved
    sleep 0.5
    shoot_main "$artifacts/unit-saved.png"
    click 375 411                     # Send to device
    wait_until "$(bound 10)" "the configuration at the unit" config_sent
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"

run_inside ""
log=$(run_log)

row=$(sqlite3 "$work/dudedoriv_db.db" "SELECT ETHERNET_ADDR, NET_CONF, LOCAL_NETWORK_ADDR, UDP_PORT FROM ZKMAIN WHERE ID = 0;")
echo "unit row: $row"
[ "$row" = "$new_mac|3|$new_address|$new_port" ] || fail "unit row $row"
# Exactly one configuration command, with the saved values.
sent=$(grep -oE ' AT#CNF=[^ ]*' "$work/fakeunit.log" | sed 's/^ //; s/\\r$//')
echo "sent: $sent"
[ "$sent" = "AT#CNF=$new_mac,3,$new_address,$new_port" ] || fail "configuration commands: $sent"
for shot in unit-edit-mode unit-saved; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
grep -qa $'\t<Error>\t' <<<"$log" && fail "errors in the program's log"
echo "PASS"
