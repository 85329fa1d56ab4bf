# Starts a virtual display of this run's own and exports DISPLAY; sets $xvfb_pid. Sourced, not
# run. Runs may overlap, each in network namespaces of its own: a display number chosen by the
# server alone would be the same for all of them (their sockets do not see each other's), and one
# server, ending, would remove the socket file of another. Each run starts at a number of its own
# and moves on past numbers in use.
start_virtual_display() {
    local display_file first n
    display_file=$(mktemp)
    first=$((100 + $$ % 800))
    for n in $(seq "$first" $((first + 40))); do
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$display_file" >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 100); do
            [ -s "$display_file" ] && break
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        if [ -s "$display_file" ]; then
            export DISPLAY=":$(head -n1 "$display_file")"
            rm -f "$display_file"
            return 0
        fi
        kill "$xvfb_pid" 2>/dev/null || true
    done
    rm -f "$display_file"
    echo "no virtual display could start" >&2
    return 1
}
