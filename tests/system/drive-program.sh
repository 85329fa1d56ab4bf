#!/usr/bin/env bash
# Drives the program as an operator would, on a virtual display of its own, and exits with the
# program's own exit code.
#   drive-program.sh PROGRAM WORKDIR [ARGS...]
# DRIVE_MODE=normal (default): accepts the launcher with its default button, waits for the
#   main window, closes it through File > Exit.
# DRIVE_MODE=error-box: answers the error box the program shows before it gives up.
# DRIVE_ADMIN_PASSWORD: logs in to administration mode with this password instead.
# DRIVE_SCREENSHOT: a PNG file to save the first window in (launcher or error box).
# DRIVE_HOLD_S: seconds to keep the main window open (default 1).
# DRIVE_CONTROL_DIR: a folder through which a script plays along while the program runs: the
#   program's process id goes to "pid", the display to "display" and the main window's id to
#   "main"; the main window then stays open until a file "close" appears there (instead of
#   DRIVE_HOLD_S) or the program ends on its own.
# DRIVE_EXIT_WAIT_S: seconds the program may take to end once closed (default 30).
set -euo pipefail
program="$1"; work="$2"; shift 2
mode="${DRIVE_MODE:-normal}"

source "$(dirname "$0")/virtual-display.sh"
xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$xvfb_log"
}
trap cleanup EXIT
start_virtual_display || exit 94
# The tests around run offscreen; this run needs the real windowing system of its display.
export QT_QPA_PLATFORM=xcb
export QT_XCB_GL_INTEGRATION=none

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -v -x -F "${2:-none}" | head -n1 || true; }
wait_window() { # title [id to skip]
    local id=""
    for _ in $(seq 150); do
        id=$(find_window "$@")
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$program_pid" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}
shoot() {
    if [ -n "${DRIVE_SCREENSHOT:-}" ]; then
        import -window "$1" "$DRIVE_SCREENSHOT"
    fi
}

source "$(dirname "$0")/close-window.sh"

control="${DRIVE_CONTROL_DIR:-}"
[ -n "$control" ] && mkdir -p "$control"

start() {
    [ -n "$control" ] && echo "$DISPLAY" >"$control/display"
    "$program" "${arguments[@]}" &
    program_pid=$!
    [ -n "$control" ] && echo "$program_pid" >"$control/pid"
    return 0
}

# The first window, titled $1, into $window. A program that ended without it while its display no
# longer takes a client lost the display, not its way: both are started once more.
window=""
first_window() {
    window=$(wait_window "$1") && return 0
    if ! kill -0 "$program_pid" 2>/dev/null && ! xdpyinfo >/dev/null 2>&1; then
        echo "the virtual display ended under the program; starting both again" >&2
        virtual_display_report
        wait "$program_pid" 2>/dev/null || true
        kill "$xvfb_pid" 2>/dev/null || true
        rm -f "$xvfb_log"
        start_virtual_display || return 1
        start
        window=$(wait_window "$1") && return 0
    fi
    virtual_display_report
    return 1
}

cd "$work"
arguments=("$@")
start

case "$mode" in
    normal)
        first_window "TZK Manager" || { echo "no launcher window" >&2; exit 90; }
        launcher=$window
        sleep 0.5
        shoot "$launcher"
        if [ -n "${DRIVE_ADMIN_PASSWORD:-}" ]; then
            # Administration mode: the second choice of the mode group, then the password.
            xdotool mousemove --window "$launcher" 200 52 click 1
            sleep 0.3
            xdotool mousemove --window "$launcher" 250 95 click 1
            xdotool type --delay 50 "$DRIVE_ADMIN_PASSWORD"
        fi
        xdotool windowfocus --sync "$launcher" key Return
        main=$(wait_window "TZK Radio Manager" "$launcher") || { echo "no main window" >&2; virtual_display_report; exit 91; }
        if [ -n "$control" ]; then
            echo "$main" >"$control/main"
            while [ ! -e "$control/close" ] && kill -0 "$program_pid" 2>/dev/null; do sleep 0.2; done
        else
            sleep "${DRIVE_HOLD_S:-1}"
        fi
        close_through_menu "$main"
        ;;
    error-box)
        first_window "Error" || { echo "no error box" >&2; exit 93; }
        box=$window
        sleep 0.5
        shoot "$box"
        xdotool windowfocus --sync "$box" key Return
        ;;
    *) echo "unknown DRIVE_MODE $mode" >&2; exit 2 ;;
esac

for _ in $(seq $((${DRIVE_EXIT_WAIT_S:-30} * 5))); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "the program did not end" >&2
    exit 92
fi
set +e
wait "$program_pid"
status=$?
program_pid=""
exit "$status"
