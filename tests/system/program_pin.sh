#!/usr/bin/env bash
# The SIM's PIN as the operator meets it, in English, against a fake unit whose SIM starts
# locked: on the first connection the PIN dialog comes; a wrong PIN is refused ("Enter PIN
# failed, try again?"), the right one accepted ("Enter PIN success."). The SIM card page then
# offers to switch verification off and to change the PIN; a change with a wrong actual PIN is
# refused ("Change PIN error!"), one with the right PIN done ("Change PIN success.").
# Leaves screenshots of each box and of the SIM card page. Afterwards the active card's row holds
# the new PIN scrambled, the unit holds it for slot 1, and the program's log shows no PIN.
#   program_pin.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

wrong_pin="1111"
right_pin="1234"
new_pin="5678"

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"

    click() { DISPLAY="$(display)" xdotool mousemove --window "$(main_id)" "$1" "$2" click 1; sleep 0.5; }
    # The boxes stand over the window: the screen's corner shows both.
    shoot_screen() { DISPLAY="$(display)" import -window root -crop 900x640+0+0 "$1" || fail "no screenshot $1"; }
    answer_pin() { # PIN: the start-up dialogue's PIN dialog
        await "Enter"
        typed "$window" "$1"
        keys "$window" Return
        wait_until "$(bound 10)" "the PIN dialog to close" gone "Enter"
    }
    change_pin() { # ACTUAL NEW: the SIM card page's PIN change
        click "$change_x" "$change_y"
        await "PIN Change"
        typed "$window" "$1"
        keys "$window" Tab
        typed "$window" "$2"
        keys "$window" Tab
        typed "$window" "$2"
        keys "$window" Return
    }

    start_program "/LANG=EN" "/LTOF=1" "/LL=0"

    # The locked SIM asks for its PIN; the notice of the first reading has made way.
    answer_pin "$wrong_pin"
    await "Warning"
    shoot_screen "$artifacts/pin-wrong.png"
    keys "$window" Return                     # Yes: try again
    answer_pin "$right_pin"
    await "Information"
    shoot_screen "$artifacts/pin-success.png"
    keys "$window" Return
    wait_until "$(bound 15)" "the PIN at the unit" unit_heard_text "AT#PIN=1,$right_pin"
    # The unit's modem restarts with the SIM unlocked; the link comes back.
    wait_until "$(bound 45)" "the link after the modem's restart" link_back
    sleep 1

    # The active SIM card in the tree, then its page's PIN buttons.
    click 130 137
    sleep 1
    shoot_main "$artifacts/pin-sim-page.png"
    change_x=441
    change_y=361

    change_pin "$wrong_pin" "$new_pin"
    await "Change PIN"
    shoot_screen "$artifacts/pin-change-error.png"
    keys "$window" Return
    # The refusal restarts the start-up dialogue, which finds the SIM ready again.
    sleep "$(bound 5)"
    change_pin "$right_pin" "$new_pin"
    await "Change PIN"
    shoot_screen "$artifacts/pin-change-success.png"
    keys "$window" Return
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"

run_inside "--sim-locked"
log=$(run_log)

# The unit heard the PINs in this order: wrong, right, kept for slot 1, the refused change, the
# change, the new PIN kept for slot 1.
heard=$(grep -oE ' (AT\+CPIN="[0-9]*"|AT\+CPWD="SC","[0-9]*","[0-9]*"|AT#PIN=[0-9]*,[0-9]*)' "$work/fakeunit.log" \
    | sed 's/^ //' | tr '\n' ' ')
echo "heard: $heard"
expected="AT+CPIN=\"$wrong_pin\" AT+CPIN=\"$right_pin\" AT#PIN=1,$right_pin AT+CPWD=\"SC\",\"$wrong_pin\",\"$new_pin\" AT+CPWD=\"SC\",\"$right_pin\",\"$new_pin\" AT#PIN=1,$new_pin "
[ "$heard" = "$expected" ] || fail "PIN commands heard: $heard"

# The row holds the new PIN scrambled (each character's code mixed with 9 and 5 in turn).
scrambled=$(python3 -c 'import sys; print("".join(chr(ord(c) ^ (9 if i % 2 == 0 else 5)) for i, c in enumerate(sys.argv[1])))' "$new_pin")
row=$(sqlite3 "$work/dudedoriv_db.db" "SELECT PIN FROM SIMCARDS WHERE ACTIVE = 'true';")
echo "stored PIN: $row (expected $scrambled)"
[ "$row" = "$scrambled" ] || fail "active card's PIN $row"

# The log shows the PIN commands with their PINs masked, and no PIN anywhere.
for masked in 'AT+CPIN="****"' 'AT+CPWD="SC","****","****"' 'AT#PIN=1,****'; do
    grep -qaF "$masked" <<<"$log" || fail "no $masked in the program's log"
done
pin_lines=$(grep -aE 'CPIN=|CPWD=|CLCK=|#PIN=' <<<"$log")
echo "$pin_lines" | grep -aE '"[0-9]{4,8}"|#PIN=[0-9]+,[0-9]' && fail "a PIN in the program's log"
for shot in pin-wrong pin-success pin-sim-page pin-change-error pin-change-success; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
echo "PASS"
