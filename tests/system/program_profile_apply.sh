#!/usr/bin/env bash
# A data profile sent to the unit and read back, in English, against the fake unit. The active
# SIM card is given the profile "Web" (APN, user "web", password "s3cret", LTE only) in the
# database before the start; the operator presses Apply profile on the card's page, answers the
# question (screenshot of it), waits for the transfer, then presses Refresh profile twice (the
# second read's IMSI answer writes the first read's device profile to the file).
# Afterwards the fake unit heard the transfer's commands in order, with the password before the
# user; the device profile row holds the user "web" and the password it had before.
#   program_profile_apply.sh PROGRAM FAKEUNIT FAKEUNITCTL
set -uo pipefail

if [ "${1:-}" = --inside ]; then
    program="$2"; work="$3"; ctl="$4"
    source "$(dirname "$0")/scenario.sh"
    artifacts="${SYSTEM_ARTIFACTS:-$work}"

    phone_book_read() { grep -qa $'\t<Rec>\tAT+CPBR=' "$(log_file)" 2>/dev/null; }
    click() { DISPLAY="$(display)" xdotool mousemove --window "$(cat "$control/main")" "$1" "$2" click 1; }
    question_box() { DISPLAY="$(display)" xdotool search --onlyvisible --name '^Question$' 2>/dev/null | head -n1; }
    has_question_box() { [ -n "$(question_box)" ]; }
    heard_count() { grep -c " $1" "$unit_log" 2>/dev/null; }
    heard_run_on() { [ "$(heard_count 'AT#RUN=1')" -ge 1 ]; }
    cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$(program_pid)/stat"; }
    band_reads() { [ "$(heard_count 'AT!ENTERCND="C962";!GBAND?')" -ge "$1" ]; }

    start_program "/LTOF=1" "/LL=0" "/LANG=EN"
    wait_until "$(bound 15)" "end of the first reading" phone_book_read
    sleep 1

    # The active card's page: its profile buttons follow the SIM, ready by now.
    click 130 137
    sleep 1
    shoot_main "$artifacts/profile-apply-sim-page.png"
    click 580 271
    wait_until "$(bound 10)" "the question box" has_question_box
    sleep 0.5
    box=$(question_box)
    DISPLAY="$(display)" import -window "$box" "$artifacts/profile-apply-question.png" || fail "no screenshot of the question"
    # The program's share of a core while it waits out the transfer.
    ticks0=$(cpu_ticks); start=$(date +%s.%N)
    DISPLAY="$(display)" xdotool windowfocus --sync "$box" key Return
    # 20.6 s of the unit's own pauses.
    wait_until "$(bound 40)" "the end of the transfer" heard_run_on
    ticks1=$(cpu_ticks); end=$(date +%s.%N)
    awk -v t="$((ticks1 - ticks0))" -v hz="$(getconf CLK_TCK)" -v s="$start" -v e="$end" \
        'BEGIN { printf "transfer_cpu_percent=%.1f\n", 100 * t / hz / (e - s) }' >"$work/results"
    # The unit keeps what it was given: user and password each in its own place.
    ip netns exec "${NETNS_UNIT:?}" "$ctl" send 172.31.254.1 40000 "FAKE#STATE" | grep -q 'USER=web PASS=s3cret' \
        || fail "the unit does not hold user web and password s3cret"
    sleep 1

    for read in 1 2; do
        click 130 137
        sleep 1
        click 580 297
        wait_until "$(bound 15)" "profile read $read" band_reads "$read"
        sleep 2
    done
    shoot_main "$artifacts/profile-apply-device-profile.png"
    close_program
    exit 0
fi

program="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"

"$root/scripts/prepare-workdir.sh" "$work" >/dev/null
db="$work/dudedoriv_db.db"
sqlite3 "$db" "INSERT INTO PROFILES (ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR,
                   FORCE_OPERATOR_MNCMCC, APN_USER, APN_PASSWORD)
               VALUES (2, 'Web', 'web.apn', 5, 0, '', 0, 'web', 's3cret');
               UPDATE SIMCARDS SET ACTIVE_PROFILE_ID = 2 WHERE ACTIVE = 'true';
               UPDATE PROFILES SET APN_USER = '', APN_PASSWORD = 'kept' WHERE NAME = 'Device profile';" \
    || fail "could not prepare the database"

run_inside ""
log=$(run_log)

# The transfer as the unit heard it, from the first "AT#RUN=0" on; the unit's log writes a CR as "\r".
transfer=$(sed -n '/ AT#RUN=0/,/ AT#RUN=1/p' "$work/fakeunit.log" | sed -E 's/^[0-9]+ [0-9.]+:[0-9]+ //' \
    | sed 's/\\r$//' | grep -vE '^AT#$|^AT!GSTATUS')
expected='AT#RUN=0
AT!SCACT=0,1
AT+CGDCONT=1,"IP","web.apn"
AT$QCPDPP=1,1,"s3cret","web"
AT!BAND=00
AT!SELRAT=00
AT!SELRAT=06
AT#RUN=1'
echo "transfer heard:"
echo "$transfer"
[ "$transfer" = "$expected" ] || fail "the transfer differs"

# From OK to the end of the busy state: the first and last commands of the transfer stand right
# after the answer and right before the end.
times=$(printf '%s\n' "$log" | grep -aE $'\t<Send>\tAT#RUN=[01]' | cut -f1 | sed -E 's/^[0-9-]+ //')
if [ "$(printf '%s\n' "$times" | wc -l)" = 2 ]; then
    seconds=$(printf '%s\n' "$times" | awk -F: '{ t = $1 * 3600 + $2 * 60 + $3; if (NR == 1) s = t; else printf "%.3f", t - s }')
    echo "transfer: $seconds s from the answer to the end of the busy state"
fi

[ -s "$work/results" ] && source "$work/results" && echo "the program used ${transfer_cpu_percent}% of a core meanwhile"

device=$(sqlite3 "$db" "SELECT APN, APN_USER, APN_PASSWORD FROM PROFILES WHERE NAME = 'Device profile';")
echo "device profile row: $device"
[ "$device" = "web.apn|web|kept" ] || fail "device profile row $device"
[ "$(sqlite3 "$db" "SELECT COUNT(*) FROM PROFILES WHERE NAME = 'Device profile';")" = 1 ] || fail "a second device profile"
for shot in profile-apply-sim-page profile-apply-question profile-apply-device-profile; do
    [ -s "${SYSTEM_ARTIFACTS:-$work}/$shot.png" ] || fail "no screenshot $shot"
done
echo "PASS"
