# The part of a whole-program run that plays along inside the namespaces while the program
# runs: it starts the program through drive-program.sh, works the fake unit's switches from the
# unit's side and closes the program at the end. Sourced, not run, by a run's "--inside" half
# (under netns-run.sh, which names the namespaces). Needs $program, $work and $ctl (fakeunitctl).
# SYSTEM_TIME_SCALE (1 by default, 2 in the sanitizer build) stretches every time bound.
here="$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)"
scale="${SYSTEM_TIME_SCALE:-1}"
control="$work/drive"
unit_log="$work/fakeunit.log"
drive_pid=""

# Seconds, stretched for a slow build.
bound() { echo $(($1 * scale)); }

program_pid() { cat "$control/pid" 2>/dev/null; }
program_alive() { kill -0 "$(program_pid)" 2>/dev/null; }

# Ends the program as an operator would, and records its exit code.
close_program() {
    [ -n "$drive_pid" ] || return 0
    touch "$control/close"
    wait "$drive_pid"
    echo $? >"$work/exit_code"
    drive_pid=""
}

fail() {
    echo "FAIL: $*"
    close_program
    exit 1
}

# wait_until SECONDS WHAT COMMAND...: polls COMMAND until it succeeds; fails after SECONDS or
# when the program is gone.
wait_until() {
    local seconds="$1" what="$2"
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        program_alive || fail "the program ended while waiting for $what"
        [ "$SECONDS" -lt "$deadline" ] || fail "no $what within $seconds s"
        sleep 0.5
    done
}

start_program() {
    DRIVE_CONTROL_DIR="$control" DRIVE_EXIT_WAIT_S="$(bound 30)" "$here/drive-program.sh" "$program" "$work" "$@" &
    drive_pid=$!
    local deadline=$((SECONDS + $(bound 30)))
    until [ -s "$control/main" ]; do
        kill -0 "$drive_pid" 2>/dev/null || fail "the program did not reach its main window"
        [ "$SECONDS" -lt "$deadline" ] || fail "no main window within $(bound 30) s"
        sleep 0.2
    done
}

# A control datagram from the unit's own namespace; the fake unit must answer it "OK".
unit_control() {
    local answer
    answer=$(ip netns exec "${NETNS_UNIT:?only inside netns-run.sh}" "$ctl" send 172.31.254.1 40000 "$1") || fail "the fake unit answered ${answer:-nothing} to ${1:0:60}"
}

# Whether the fake unit heard an AT command from the program after its log's line $2.
unit_heard() { tail -n +"$(($2 + 1))" "$unit_log" | grep -q "^[0-9]* 172\.31\.254\.2:[0-9]* $1"; }
unit_log_lines() { wc -l <"$unit_log"; }

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$(program_pid)/status" 2>/dev/null; }

# The program's log file, whose times are local and sort as text.
log_file() { ls "$work"/Logs/log_*.txt 2>/dev/null | head -n1; }
log_time() { date '+%Y-%m-%d %H:%M:%S.%3N'; }

# A screenshot of the main window.
shoot_main() { DISPLAY="$(cat "$control/display")" import -window "$(cat "$control/main")" "$1" || fail "no screenshot $1"; }

display() { cat "$control/display"; }
main_id() { cat "$control/main"; }
# The first shown window titled exactly so, other than the main window.
window_named() { DISPLAY="$(display)" xdotool search --onlyvisible --name "^$1\$" 2>/dev/null \
    | grep -v -x -F "$(main_id)" | head -n1; }
has_window() { [ -n "$(window_named "$1")" ]; }
gone() { ! has_window "$1"; }
# Waits for the dialog or box of that title and leaves its id in $window.
await() {
    wait_until "$(bound 20)" "a window \"$1\"" has_window "$1"
    sleep 0.5
    window=$(window_named "$1")
}
typed() { # WINDOW TEXT: types into the focused field of that window
    DISPLAY="$(display)" xdotool windowfocus --sync "$1" type --delay 60 "$2"
    sleep 0.3
}
keys() { # WINDOW KEY...
    local id="$1"
    shift
    DISPLAY="$(display)" xdotool windowfocus --sync "$id" key --delay 100 "$@"
    sleep 0.5
}
unit_heard_text() { grep -qF "$1" "$unit_log"; }
# The link is back after the modem's restart: the watchdog's first answered check after it ends
# the restart, the second connects.
link_back() { [ "$(sed -n '/\tAT#RST=MDM\t/,$p' "$(log_file)" | grep -ac $'\tAT#\t')" -ge 2 ]; }
