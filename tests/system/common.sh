# Shared start of the whole-program runs: skips without what they need, gives them a
# throw-away working folder ($work) and the helpers below. Sourced, not run.
here="$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"

if [ "$(id -u)" != 0 ] || ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null \
    || ! command -v import >/dev/null; then
    echo "SKIP: needs root (network namespaces), Xvfb, xdotool and ImageMagick"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

# The run's log file, printed for the test output as well.
run_log() {
    cat "$work"/Logs/log_*.txt 2>/dev/null
}

# Runs the calling script's "--inside" half in the namespaces against the fake unit, started
# with the options in $1; the rest are the half's arguments after the program, $work and $ctl.
# Prints the program's log and the unit's, and fails unless the half and the program ended well.
run_inside() {
    local unit_options="$1"
    shift
    "$root/scripts/prepare-workdir.sh" "$work" >/dev/null
    "$root/scripts/netns-run.sh" \
        --unit "$fakeunit --address 172.31.254.1 --port 40000 --log $work/fakeunit.log $unit_options" \
        -- bash "$here/$(basename "$0")" --inside "$program" "$work" "$ctl" "$@"
    local inside=$?
    run_log | grep -aE $'^[0-9-]+ [0-9:.]+\t<(Info|Warn|Error|Send)>\t'
    echo "--- fake unit"
    cat "$work/fakeunit.log"
    [ "$inside" = 0 ] || fail "the run inside the namespaces failed"
    [ "$(cat "$work/exit_code")" = 0 ] || fail "exit code $(cat "$work/exit_code")"
}
