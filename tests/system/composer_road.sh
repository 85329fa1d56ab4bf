#!/usr/bin/env bash
# The message composer's whole road, as an operator walks it, inside the network namespaces on a
# virtual display: a 400-character SMS typed to a number and sent (three parts), its success box
# answered by keyboard, then the short code "*100#". The fake unit's decoder must give back the
# text and the number, no watchdog probe may reach the unit while a composer is open (one comes
# before and one after), no message goes in text mode, the database holds the sent SMS, the
# short code and its answer, and the unit's RAT, band and run state end as they began. The
# program runs in its own language, Polish. Screenshots of the filled composer, of its success
# box and of the short code's box stay in the build folder.
#   composer_road.sh COMPOSERRUN FAKEUNIT FAKEUNITCTL
set -uo pipefail

number="+48601234567"
# Only characters that the 7-bit alphabet shares with ASCII and that need no extension: 400
# septets, three parts.
message_text() { printf 'Road test %03d, all fine. ' $(seq 1 16) | cut -c1-400; }

if [ "${1:-}" = --inside ]; then
    composerrun="$2"; work="$3"; ctl="$4"
    here="$(cd "$(dirname "$0")" && pwd)"
    scale="${SYSTEM_TIME_SCALE:-1}"
    unit_log="$work/fakeunit.log"
    shots="${SYSTEM_ARTIFACTS:-$work}"
    text="$(message_text)"
    bound() { echo $(($1 * scale)); }

    source "$here/virtual-display.sh"
    xvfb_pid=""
    run_pid=""
    cleanup() {
        [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null
        [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
        rm -f "$xvfb_log"
    }
    trap cleanup EXIT
    start_virtual_display || exit 1
    export QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none

    fail() { echo "FAIL: $*"; exit 1; }
    state() { ip netns exec "${NETNS_UNIT:?only inside netns-run.sh}" "$ctl" send 172.31.254.1 40000 "FAKE#STATE" | grep -o 'RAT=[0-9]* BAND=[^ ]* GBAND=[^ ]* RUN=[01]'; }
    lines() { wc -l <"$unit_log"; }
    now_ms() { date +%s%3N; }
    # The watchdog's probe, "AT#" alone, heard from the program between two lines of the log.
    probes() { sed -n "$(($1 + 1)),${2}p" "$unit_log" | grep -c '^[0-9]* 172\.31\.254\.2:[0-9]* AT#\(\\r\)\?$'; }
    window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
    wait_window() { # title seconds
        local id="" deadline=$((SECONDS + $2))
        while [ "$SECONDS" -lt "$deadline" ]; do
            id=$(window "$1")
            [ -n "$id" ] && { echo "$id"; return 0; }
            kill -0 "$run_pid" 2>/dev/null || return 1
            sleep 0.2
        done
        return 1
    }
    wait_gone() { # window seconds
        local deadline=$((SECONDS + $2))
        while xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1"; do
            [ "$SECONDS" -lt "$deadline" ] || return 1
            sleep 0.2
        done
    }
    # Where a widget's centre lies, as fractions of the window; clicked like a mouse would.
    click_at() { # window x-fraction y-pixels-from-top
        eval "$(xdotool getwindowgeometry --shell "$1")"
        xdotool mousemove --window "$1" "$(awk -v w="$WIDTH" -v f="$2" 'BEGIN { printf "%d", w * f }')" "$3" click 1
    }
    # One composer run; COMPOSER_RUN_EXIT gets its exit code. Runs in the program's working folder.
    start_run() {
        (cd "$work" && exec "$composerrun" --pacing 0.1 --linger "$(bound 5)" /LTOF=1 /LL=0 "$@") &
        run_pid=$!
    }
    end_run() { # what
        local deadline=$((SECONDS + $(bound 30)))
        while kill -0 "$run_pid" 2>/dev/null; do
            [ "$SECONDS" -lt "$deadline" ] || fail "$1: composerrun did not end"
            sleep 0.2
        done
        wait "$run_pid"
        local status=$?
        run_pid=""
        [ "$status" = 0 ] || fail "$1: composerrun exited $status, not 0 (accepted)"
    }
    # The composer's time at the unit: a probe between the run's start and its window, none
    # while the window is up, one after it. A time shorter than a watchdog window (3 s at this
    # pacing) would prove nothing.
    check_quiet() { # what started opened closed open-ms
        local after
        [ "$5" -gt 4000 ] || fail "$1: the composer was open only $5 ms, less than a watchdog window and a margin"
        [ "$(probes "$2" "$3")" -gt 0 ] || fail "$1: no watchdog probe before the composer"
        [ "$(probes "$3" "$4")" = 0 ] || fail "$1: a watchdog probe reached the unit while the composer was open"
        local deadline=$((SECONDS + $(bound 10)))
        until after=$(probes "$4" "$(lines)") && [ "$after" -gt 0 ]; do
            [ "$SECONDS" -lt "$deadline" ] || fail "$1: no watchdog probe after the composer"
            sleep 0.2
        done
    }

    state >"$work/state_before" || fail "no FAKE#STATE at the start"
    title="Nowa wiadomość"

    # The SMS.
    started=$(lines)
    start_run
    composer=$(wait_window "$title" "$(bound 30)") || fail "no composer window"
    opened=$(lines); opened_at=$(now_ms)
    # The operator takes a moment: the composer must outlast a watchdog window for the check.
    sleep 2
    click_at "$composer" 0.6 20
    xdotool type --delay 20 "$number"
    click_at "$composer" 0.5 70
    xdotool type --delay 5 "$text"
    sleep 0.5
    import -window "$composer" "$shots/composer-road-filled.png" || fail "no screenshot of the filled composer"
    # Return in the number field presses the default button, Send.
    click_at "$composer" 0.6 20
    xdotool key Return
    box=$(wait_window "Wyślij wiadomość" "$(bound 30)") || fail "no box after Send"
    sleep 0.5
    import -window "$box" "$shots/composer-road-success.png" || fail "no screenshot of the box"
    # The composer holds the link until it is gone, which is after this answer.
    closed=$(lines); closed_at=$(now_ms)
    xdotool windowfocus --sync "$box" key Return
    wait_gone "$composer" "$(bound 10)" || fail "the composer stayed after the box"
    end_run "SMS"
    check_quiet "SMS" "$started" "$opened" "$closed" "$((closed_at - opened_at))"

    # The short code.
    started=$(lines)
    start_run --short-code
    composer=$(wait_window "$title" "$(bound 30)") || fail "no short-code composer window"
    opened=$(lines); opened_at=$(now_ms)
    # The operator takes a moment: the composer must outlast a watchdog window for the check,
    # and a short code is typed and sent much faster than a long SMS.
    sleep 4
    click_at "$composer" 0.5 70
    xdotool type --delay 20 "*100#"
    # The number field is off in short-code mode: Send by keyboard from the text's row is not
    # possible (Return is a line break there), so the button is clicked.
    eval "$(xdotool getwindowgeometry --shell "$composer")"
    xdotool mousemove --window "$composer" $((WIDTH * 3 / 4 - 40)) $((HEIGHT - 15)) click 1
    box=$(wait_window "Wyślij kod skrócony" "$(bound 60)") || fail "no box after the short code"
    sleep 0.5
    import -window "$box" "$shots/composer-road-shortcode.png" || fail "no screenshot of the short-code box"
    closed=$(lines); closed_at=$(now_ms)
    xdotool windowfocus --sync "$box" key Return
    wait_gone "$composer" "$(bound 10)" || fail "the short-code composer stayed after the box"
    end_run "short code"
    check_quiet "short code" "$started" "$opened" "$closed" "$((closed_at - opened_at))"

    state >"$work/state_after" || fail "no FAKE#STATE at the end"
    exit 0
fi

composerrun="$1"
fakeunit="$2"
ctl="$3"
source "$(dirname "$0")/common.sh"
"$root/scripts/prepare-workdir.sh" "$work" >/dev/null

start=$SECONDS
"$root/scripts/netns-run.sh" \
    --unit "$fakeunit --address 172.31.254.1 --port 40000 --rat 06 --log $work/fakeunit.log" \
    -- bash "$here/composer_road.sh" --inside "$composerrun" "$work" "$ctl"
inside=$?
echo "--- the run took $((SECONDS - start)) s"
run_log
echo "--- fake unit"
cat "$work/fakeunit.log"
[ "$inside" = 0 ] || fail "the run inside the namespaces failed"

text="$(message_text)"
unit_log="$work/fakeunit.log"
grep -qF "note: sms to $number, 3 parts joined: \"$text\"" "$unit_log" \
    || fail "the fake unit did not decode the 400 characters to $number as one 3-part message"
[ "$(grep -c "note: sms to $number, 7-bit, part [123]/3" "$unit_log")" = 3 ] || fail "the parts did not go 7-bit"
grep -q 'note: text-mode sms' "$unit_log" && fail "a message went in text mode"

echo "--- state before / after"
cat "$work/state_before" "$work/state_after"
# LTE only to begin with, so that putting it back is more than leaving automatic as it was.
grep -q 'RAT=06 .* RUN=1' "$work/state_before" || fail "the unit did not start at LTE only and running"
cmp -s "$work/state_before" "$work/state_after" || fail "RAT, band or run state not put back"

db="$work/dudedoriv_db.db"
echo "--- database"
sqlite3 "$db" "SELECT ID, USSD, TO_MSISDN, CONTENT FROM SEND_MESSAGES; SELECT ID, USSD, FROM_MSISDN, CONTENT FROM RECEIVE_MESSAGES WHERE USSD = 1;"
[ "$(sqlite3 "$db" "SELECT COUNT(*) FROM SEND_MESSAGES WHERE USSD = 0;")" = 1 ] || fail "not one sent SMS row"
sent=$(sqlite3 "$db" "SELECT TO_MSISDN || '|' || CONTENT FROM SEND_MESSAGES WHERE USSD = 0;")
[ "$sent" = "$number|$text" ] || fail "the sent SMS row is not the number and text typed"
[ "$(sqlite3 "$db" "SELECT COUNT(*) FROM SEND_MESSAGES WHERE USSD = 1 AND CONTENT = '*100#';")" = 1 ] \
    || fail "no row for the short code"
[ "$(sqlite3 "$db" "SELECT COUNT(*) FROM RECEIVE_MESSAGES WHERE USSD = 1 AND CONTENT = 'Balance 5.00 EUR, valid until 2026-12-31';")" = 1 ] \
    || fail "no row for the short code's answer"
echo "PASS"
