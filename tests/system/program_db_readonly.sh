#!/usr/bin/env bash
# The whole program with a database file that it can only read (a read-only bind mount, which
# holds for root too): before the launcher it says in a warning box and in its log that changes
# will not be saved, then runs as usual against the fake unit, closes with exit code 0 and
# leaves the file as it was.
#   program_db_readonly.sh PROGRAM FAKEUNIT
set -uo pipefail

if [ "${1:-}" = --inside ]; then
    # In a mount namespace of its own (unshare -m makes it private), inside the network
    # namespaces: the read-only view is this run's alone and ends with it.
    #   --inside PROGRAM WORKDIR SCREENSHOT
    set -e
    program="$2"; work="$3"; shot="$4"
    db="$work/dudedoriv_db.db"
    mount --bind "$db" "$db"
    mount -o remount,bind,ro "$db"

    source "$(dirname "$0")/virtual-display.sh"
    xvfb_pid=""
    program_pid=""
    trap '[ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null; [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -f "$xvfb_log"' EXIT
    start_virtual_display || exit 1
    export QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none

    wait_window() { # title [id to skip]
        local id
        for _ in $(seq 150); do
            id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -v -x -F "${2:-none}" | head -n1 || true)
            [ -n "$id" ] && { echo "$id"; return 0; }
            kill -0 "$program_pid" 2>/dev/null || return 1
            sleep 0.2
        done
        return 1
    }

    cd "$work"
    # In Polish, the operator's default: the box must be the translated one.
    "$program" "/LTOF=1" "/LL=0" &
    program_pid=$!
    box=$(wait_window "^Ostrzeżenie$") || { echo "no warning box" >&2; exit 93; }
    sleep 0.5
    import -window "$box" "$shot"
    xdotool windowfocus --sync "$box" key Return
    launcher=$(wait_window "uruchamianie") || { echo "no launcher after the box" >&2; exit 90; }
    xdotool windowfocus --sync "$launcher" key Return
    main=$(wait_window "TZK Radio Manager" "$launcher") || { echo "no main window" >&2; exit 91; }
    sleep 2
    source "$(dirname "$0")/close-window.sh"
    close_through_menu "$main"
    for _ in $(seq 150); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
    set +e
    wait "$program_pid"
    status=$?
    program_pid=""
    exit "$status"
fi

program="$1"
fakeunit="$2"
source "$(dirname "$0")/common.sh"
"$root/scripts/prepare-workdir.sh" "$work" >/dev/null
before=$(sha1sum <"$work/dudedoriv_db.db")

shot="${SYSTEM_ARTIFACTS:-$work}/database-readonly.png"
"$root/scripts/netns-run.sh" \
    --unit "$fakeunit --address 172.31.254.1 --port 40000 --log $work/fakeunit.log" \
    -- unshare -m bash "$here/program_db_readonly.sh" --inside "$program" "$work" "$shot"
status=$?
log=$(run_log)
printf '%s\n' "$log"

[ "$status" = 0 ] || fail "exit code $status"
grep -q $'\t<Warn>\tThe local database dudedoriv_db.db can only be read: changes will not be saved\tattempt to write a readonly database' \
    <<<"$log" || fail "no read-only line in the log"
grep -q $'\t<Info>\tLoad data from database dudedoriv_db.db success\r$' <<<"$log" || fail "no database line"
grep -q $'\t<Info>\tStop application\r$' <<<"$log" || fail "no stop line"
[ -s "$shot" ] || fail "no warning box"
[ "$(sha1sum <"$work/dudedoriv_db.db")" = "$before" ] || fail "the database file changed"
echo "PASS"
