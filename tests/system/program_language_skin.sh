#!/usr/bin/env bash
# Language and skin as the operator switches them, against the fake unit. The program starts in
# Polish; on the unit page in edit mode with a port typed, Language > EN turns the window English
# and keeps the edit; Skins > DarkOrange darkens it; Options > OK unchanged switches nothing.
# A second start opens in English and dark at once; a third, without the style sheet in the
# working folder, opens in the default skin, and choosing DarkOrange leaves it so with a
# warning. A fourth opens in Polish and the default skin again, with the sheet back; Skins >
# DarkOrange, then a click on the active card shows its row in the settings tree selected.
# Screenshots: lang-polish.png, lang-english-edit.png, lang-dark.png, lang-second-start.png,
# lang-no-sheet.png, lang-dark-card.png.
#   program_language_skin.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

typed_port="40123"
# Where the window draws what is clicked (660 x 470 window, menus open below their titles).
menu_file="20 10"; menu_actions="62 10"; options_ok="262 285"
# Menu entries are reached by keys, wherever a skin draws them: Language and Skins are the last
# two entries of Actions, EN the first language offered, DarkOrange the second skin.
to_en="Up Up Right Return"; to_darkorange="Up Right Down Return"

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"
    click() { DISPLAY="$(display)" xdotool mousemove --window "$(main_id)" $1 click 1; sleep 0.7; }
    keys() { DISPLAY="$(display)" xdotool windowfocus --sync "$(main_id)" key "$@"; sleep 0.3; }
    latest_log() { ls -t "$work"/Logs/log_*.txt 2>/dev/null | head -n1; }
    phone_book_read() { grep -qa $'\t<Rec>\tAT+CPBR=' "$(latest_log)" 2>/dev/null; }
    start() { rm -rf "$control"; start_program "/LTOF=1" "/LL=0"; wait_until "$(bound 20)" "end of the first reading" phone_book_read; sleep 1; }
    choose() { click "$menu_actions"; DISPLAY="$(display)" xdotool key --delay 300 $1; sleep 1; }

    start
    shoot_main "$artifacts/lang-polish.png"
    click "90 102"                     # the unit
    click "310 385"                    # Edit
    click "352 106"                    # its Network tab
    click "490 213"; keys ctrl+a
    DISPLAY="$(display)" xdotool type --delay 30 "$typed_port"
    choose "$to_en"
    shoot_main "$artifacts/lang-english-edit.png"
    choose "$to_darkorange"
    shoot_main "$artifacts/lang-dark.png"
    switches_before=$(grep -ac 'Load LANG file' "$(latest_log)")
    click "$menu_file"; DISPLAY="$(display)" xdotool key --delay 300 Down Return
    sleep 1; click "$options_ok"; sleep 1
    echo "options_switches=$(($(grep -ac 'Load LANG file' "$(latest_log)") - switches_before))" >"$work/results"
    close_program
    cp "$work/dudedoriv.ini" "$work/after-first.ini"

    start
    shoot_main "$artifacts/lang-second-start.png"
    close_program

    mv "$work/DarkOrange.qss" "$work/DarkOrange.qss.away"
    start
    choose "$to_darkorange"
    shoot_main "$artifacts/lang-no-sheet.png"
    close_program

    mv "$work/DarkOrange.qss.away" "$work/DarkOrange.qss"
    sed -i -e 's/^language=.*/language=PL/' -e 's/^actual=.*/actual=DEFAULT/' "$work/dudedoriv.ini"
    start
    choose "$to_darkorange"
    click "90 138"                     # the active card, under the unit
    shoot_main "$artifacts/lang-dark-card.png"
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"
run_inside ""
source "$work/results"
echo "--- settings after the first run"
cat "$work/after-first.ini"
[ "$options_switches" = 0 ] || fail "options accepted unchanged switched the language"
grep -qi '^language=EN' "$work/after-first.ini" || fail "the language EN was not kept"
grep -qi '^actual=DARKORANGE' "$work/after-first.ini" || fail "the dark skin was not kept"
grep -qa $'\t<Warn>\t.*DarkOrange.qss' "$work"/Logs/log_*.txt || fail "no warning naming the missing style sheet"
for shot in lang-polish lang-english-edit lang-dark lang-second-start lang-no-sheet lang-dark-card; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
echo "PASS"
