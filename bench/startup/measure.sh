#!/usr/bin/env bash
# The timings of scripts/bench-startup.sh, taken inside the project's network namespaces
# (scripts/netns-run.sh) like every whole-program run; nothing is sent before the launcher is
# accepted, and it never is here.
#
#   measure.sh PROGRAM RUNS STARTING_WORKDIR LARGE_WORKDIR
#
# Each round times, one after the other, sqlite3 reading the message and contact tables of the
# starting database and of the large one, then the program started in each working folder, so
# that a slow moment of the machine falls on all four alike. One line per timing:
#   sqlite-starting|sqlite-large|program-starting|program-large MICROSECONDS
# The program's clock starts just before it is started and stops when the X server reports its
# first top-level window mapped, which must be the launcher; the program is then ended.
set -euo pipefail
export LC_ALL=C
program="$1"; runs="$2"; starting="$3"; large="$4"

display_file=$(mktemp)
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
events_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$events_pid" ] && kill "$events_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "$0: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"
export QT_QPA_PLATFORM=xcb
export QT_XCB_GL_INTEGRATION=none

# The root window's structure events, a line each as they happen: the launcher's window shows
# up here the moment it is mapped, without polling.
coproc EVENTS { exec stdbuf -oL xev -root -event substructure; }
events_pid=$EVENTS_PID
sleep 0.5

elapsed() { echo $(( ${2/./} - ${1/./} )); }

time_sqlite() { # label workdir
    local start end
    start=$EPOCHREALTIME
    sqlite3 -batch "$2/dudedoriv_db.db" \
        "SELECT * FROM RECEIVE_MESSAGES; SELECT * FROM SEND_MESSAGES; SELECT * FROM MSISDN_SMS;" >/dev/null
    end=$EPOCHREALTIME
    echo "$1 $(elapsed "$start" "$end")"
}

time_program() { # label workdir
    local line="" window="" name start end
    while read -r -t 0.3 -u "${EVENTS[0]}" line; do :; done
    cd "$2"
    start=$EPOCHREALTIME
    "$program" "/LANG=EN" 2>>"$2/stderr.txt" &
    program_pid=$!
    while read -r -t 30 -u "${EVENTS[0]}" line; do
        if [[ $line == MapNotify* ]]; then
            end=$EPOCHREALTIME
            read -r -t 5 -u "${EVENTS[0]}" line
            window=${line##*window }
            window=${window%%,*}
            break
        fi
    done
    [ -n "$window" ] || { echo "$0: no window from the program in $2" >&2; return 1; }
    name=$(xdotool getwindowname "$((window))" 2>/dev/null || true)
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
    [[ $name == *Launcher* ]] || { echo "$0: the first window in $2 was \"$name\", not the launcher" >&2; return 1; }
    echo "$1 $(elapsed "$start" "$end")"
}

for _ in $(seq "$runs"); do
    time_sqlite sqlite-starting "$starting"
    time_sqlite sqlite-large "$large"
    time_program program-starting "$starting"
    time_program program-large "$large"
done
