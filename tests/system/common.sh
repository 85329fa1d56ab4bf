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
