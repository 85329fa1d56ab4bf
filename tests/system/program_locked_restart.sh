#!/usr/bin/env bash
# A locked start, a SIM's PIN2 report and a skin switch, in English, against a fake unit whose
# SIM starts locked. First start, in the dark skin: the right PIN unlocks the SIM, the unit
# restarts, and the active card gets the IMSI that the locked SIM refused at first; Skins >
# Default then brings the default look back whole. Second start: while the notice of the first
# reading is up the SIM reports that it wants its PIN2; the window resets the modem, and once the
# link is back the notice ends within the reply time-out and the window takes a tab switch.
# Screenshots: pin-dialog-dark.png (the start-up PIN dialog, dark, two digits typed),
# locked-imsi.png (the SIM card page, dark), locked-default.png (after the switch),
# pin2-back.png (the notice gone) and pin2-tab.png (the SMS tab taken).
#   program_locked_restart.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

right_pin="1234"
imsi="260011234567890"
# Where the window draws what is clicked (660 x 470 window, menus open below their titles).
menu_actions="62 10"
sim_card="130 137"; sms_tab="345 50"
reply_timeout_s=15

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"

    click() { DISPLAY="$(display)" xdotool mousemove --window "$(main_id)" $1 click 1; sleep 0.7; }
    card_imsi() { [ "$(sqlite3 "$work/dudedoriv_db.db" "SELECT IMSI FROM SIMCARDS WHERE ACTIVE = 'true';")" = "$imsi" ]; }
    differs() { # A B: whether the two screenshots differ in more than a few pixels
        local pixels
        pixels=$(compare -metric AE "$1" "$2" null: 2>&1 >/dev/null | cut -d' ' -f1)
        [ "${pixels%.*}" -gt 2000 ] 2>/dev/null
    }

    printf '[skin]\nactual=DARKORANGE\n' >"$work/dudedoriv.ini"
    start_program "/LANG=EN" "/LTOF=1" "/LL=0"
    await "Enter"
    # Two digits first, so the shot shows that the dark skin leaves the field room for them.
    typed "$window" "${right_pin:0:2}"
    DISPLAY="$(display)" import -window "$window" "$artifacts/pin-dialog-dark.png" || fail "no screenshot pin-dialog-dark"
    typed "$window" "${right_pin:2}"
    keys "$window" Return
    await "Information"
    keys "$window" Return
    wait_until "$(bound 15)" "the PIN at the unit" unit_heard_text "AT#PIN=1,$right_pin"
    wait_until "$(bound 60)" "the link after the modem's restart" link_back
    wait_until "$(bound 15)" "the IMSI in the active card" card_imsi
    click "$sim_card"
    sleep 1
    shoot_main "$artifacts/locked-imsi.png"
    # The dark skin draws its menus taller: Skins, the menu's last entry, is reached by keys.
    click "$menu_actions"
    DISPLAY="$(display)" xdotool key --delay 300 Up Right Return
    sleep 1
    shoot_main "$artifacts/locked-default.png"
    close_program
    mv "$(log_file)" "$work/first-run.log"

    rm -rf "$control"
    start_program "/LANG=EN" "/LTOF=1" "/LL=0"
    wait_until "$(bound 20)" "the notice of the first reading" has_window "Initialize"
    unit_control "FAKE#UNSOLICITED=+CPIN: SIM PIN2"
    wait_until "$(bound 20)" "the modem's reset" unit_heard_text "AT#RST=MDM"
    wait_until "$(bound 60)" "the link after the modem's restart" link_back
    back_at=$SECONDS
    wait_until "$(bound $reply_timeout_s)" "the notice gone within the reply time-out" gone "Initialize"
    echo "notice_after_link_s=$((SECONDS - back_at))" >"$work/results"
    sleep 1
    shoot_main "$artifacts/pin2-back.png"
    click "$sms_tab"
    sleep 1
    shoot_main "$artifacts/pin2-tab.png"
    differs "$artifacts/pin2-back.png" "$artifacts/pin2-tab.png" || fail "the window did not take the tab switch"
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"

run_inside "--sim-locked"
source "$work/results"
echo "the notice ended ${notice_after_link_s} s after the link came back"
log="$(cat "$work/first-run.log")"
cimi=$(grep -ac $'\t<Send>\tAT+CIMI\tINTERNAL' <<<"$log")
[ "$cimi" -ge 2 ] || fail "AT+CIMI was sent $cimi times in the locked start"
grep -aqF 'Ask PIN Timeout' "$work"/Logs/log_*.txt && fail "the start-up dialogue timed out"
for shot in pin-dialog-dark locked-imsi locked-default pin2-back pin2-tab; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
echo "PASS"
