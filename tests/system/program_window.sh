#!/usr/bin/env bash
# The main window as the operator meets it, in Polish, against the fake unit: the notice of the
# first reading comes and goes, the settings tree lists the unit, its SIM cards and the
# profiles, and each page shows what the unit told. Leaves six screenshots (window, unit page and
# its network tab, active SIM card's page, device profile's page, empty page), then closes
# through File > Exit.
# Afterwards the database holds the unit's identity and the SIM card's IMSI, and the fake unit
# heard the six identity reads, then the lock query and the phone-book reads. A second run with
# an empty SIM phone book shows that the notice goes as fast.
#   program_window.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"; tag="$5"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"

    # The notice is over once the phone book's answer is in the program's log.
    phone_book_read() { grep -qa $'\t<Rec>\tAT+CPBR=' "$(log_file)" 2>/dev/null; }
    click() { DISPLAY="$(display)" xdotool mousemove --window "$(cat "$control/main")" "$1" "$2" click 1; }

    start_program "/LTOF=1" "/LL=0"
    shown=$SECONDS
    if [ "$tag" = full ]; then
        # The notice stands over the window while the unit is read for the first time.
        sleep 3
        DISPLAY="$(display)" import -window root -crop 660x470+0+0 "$artifacts/window-notice.png"
    fi
    wait_until "$(bound 15)" "end of the first reading" phone_book_read
    notice_seconds=$((SECONDS - shown))
    echo "notice_seconds=$notice_seconds" >"$work/results_$tag"
    # The notice goes with the answer; give the window a moment to draw.
    sleep 1
    [ "$tag" = full ] || { close_program; exit 0; }

    shoot_main "$artifacts/window-tree.png"
    # The tree's items where the window draws them: the unit, the active SIM card, the
    # profiles' root and the device profile; the unit page's network tab.
    click 90 102
    sleep 1
    shoot_main "$artifacts/window-unit-page.png"
    click 350 106
    sleep 1
    shoot_main "$artifacts/window-unit-network.png"
    click 130 137
    sleep 1
    shoot_main "$artifacts/window-sim-page.png"
    click 125 239
    sleep 1
    shoot_main "$artifacts/window-device-profile.png"
    click 90 205
    sleep 1
    shoot_main "$artifacts/window-empty-page.png"
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"

run() { # TAG [FAKEUNIT OPTIONS]
    local tag="$1"
    shift
    rm -rf "$work/Logs" "$work/dudedoriv_db.db" "$work/fakeunit.log" "$work/drive"
    "$root/scripts/prepare-workdir.sh" "$work" >/dev/null
    "$root/scripts/netns-run.sh" \
        --unit "$fakeunit --address 172.31.254.1 --port 40000 --log $work/fakeunit.log $*" \
        -- bash "$here/program_window.sh" --inside "$program" "$work" "$ctl" "$tag"
}

run full
inside=$?
log=$(run_log)
printf '%s\n' "$log" | grep -aE $'^[0-9-]+ [0-9:.]+\t<(Info|Warn|Error|Send)>\t'
echo "--- fake unit"
cat "$work/fakeunit.log"
[ "$inside" = 0 ] || fail "the run inside the namespaces failed"
[ "$(cat "$work/exit_code")" = 0 ] || fail "exit code $(cat "$work/exit_code")"
source "$work/results_full"
echo "the notice went after $notice_seconds s"

# What the unit told is in the file: the identity in the unit's row, the IMSI in the active card.
db="$work/dudedoriv_db.db"
unit=$(sqlite3 "$db" "SELECT IMEI, MDM_MODEL, FIRMWARE_VER, MANUFAKTURER, NET_CONF, LOCAL_NETWORK_ADDR, UDP_PORT FROM ZKMAIN WHERE ID = 0;")
echo "unit row: $unit"
[ "$unit" = "356000000000017|FU-100 LTE|FU100_01.02.03|Fake Unit Works|1|172.31.254.1|40000" ] || fail "unit row $unit"
imsi=$(sqlite3 "$db" "SELECT IMSI FROM SIMCARDS WHERE ACTIVE = 'true';")
[ "$imsi" = 260011234567890 ] || fail "active card's IMSI $imsi"

# The unit heard the identity reads, then the lock query, then the phone book's.
heard=$(grep -oE ' (AT#CNF\?|AT#I|AT\+CGSN|AT\+CGMM|AT\+CGMR|AT\+CIMI|AT\+CLCK|AT\+CPBS|AT\+CPBR)' "$work/fakeunit.log" \
    | tr -d ' ' | uniq | tr '\n' ' ')
echo "heard: $heard"
[[ "$heard" == "AT#CNF? AT#I AT+CGSN AT+CGMM AT+CGMR AT+CIMI AT+CLCK AT+CPBS AT+CPBR "* ]] || fail "order heard: $heard"
for shot in window-tree window-unit-page window-unit-network window-sim-page window-device-profile window-empty-page; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
grep -qa $'\t<Warn>\tInitialy reading data problem' <<<"$log" && fail "the notice ran into its time-out"

run empty --empty-phonebook
[ $? = 0 ] || fail "the run with an empty phone book failed"
grep -q 'AT+CPBR' "$work/fakeunit.log" || fail "the empty phone book was not read"
source "$work/results_empty"
echo "the notice went after $notice_seconds s with an empty phone book"
echo "PASS"
