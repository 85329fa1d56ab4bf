#!/usr/bin/env bash
# Drives the program as an operator would, on a virtual display of its own: accepts the
# launcher with its default button, waits for the main window, closes it with the Exit
# shortcut and exits with the program's own exit code.
#   drive-program.sh PROGRAM WORKDIR [ARGS...]
# Environment: DRIVE_HOLD_S seconds to keep the main window open (default 1);
# DRIVE_BEFORE_CLOSE a command run while the main window is open.
set -euo pipefail
program="$1"; work="$2"; shift 2

exec 3>&1
display_file=$(mktemp)
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$display_file")"
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

cd "$work"
"$program" "$@" &
program_pid=$!

launcher=$(wait_window "TZK Manager") || { echo "no launcher window" >&2; exit 90; }
sleep 0.5
xdotool windowfocus --sync "$launcher" key Return
main=$(wait_window "TZK Manager" "$launcher") || { echo "no main window" >&2; exit 91; }
sleep "${DRIVE_HOLD_S:-1}"
if [ -n "${DRIVE_BEFORE_CLOSE:-}" ]; then
    bash -c "$DRIVE_BEFORE_CLOSE"
fi
xdotool windowfocus --sync "$main" key ctrl+q

for _ in $(seq 150); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "the program did not end after its main window closed" >&2
    exit 92
fi
set +e
wait "$program_pid"
status=$?
program_pid=""
exit "$status"
