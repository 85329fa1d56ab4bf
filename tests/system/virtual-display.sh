# Starts a virtual display of this run's own and exports DISPLAY; sets $xvfb_pid. Sourced, not
# run. Runs may overlap, each in network namespaces of its own: a display number chosen by the
# server alone would be the same for all of them (their sockets do not see each other's), and one
# server, ending, would remove the socket file of another. Each run starts at a number of its own
# and moves on past numbers in use, and past a server that does not take a client once it says it
# is ready (the probe's client leaving must not reset it: -noreset). What the server said goes
# to $xvfb_log, for virtual_display_report; the caller removes it.
xvfb_log=""
start_virtual_display() {
    local display_file first n
    first=$((100 + $$ % 800))
    xvfb_log=$(mktemp)
    for n in $(seq "$first" $((first + 40))); do
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        # A file of this attempt's own: a server given up on may still write its number.
        display_file=$(mktemp)
        Xvfb ":$n" -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -noreset 4>"$display_file" >/dev/null 2>>"$xvfb_log" &
        xvfb_pid=$!
        # A loaded machine may take its time; a server given up on is not waited for again.
        for _ in $(seq 300); do
            [ -s "$display_file" ] && break
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        if [ -s "$display_file" ] && xdpyinfo -display ":$n" >/dev/null 2>>"$xvfb_log"; then
            export DISPLAY=":$n"
            rm -f "$display_file"
            return 0
        fi
        echo "display :$n given up" >>"$xvfb_log"
        kill "$xvfb_pid" 2>/dev/null || true
        rm -f "$display_file"
    done
    echo "no virtual display could start" >&2
    virtual_display_report
    return 1
}

# What a run that failed on its display prints: whether the server still runs, and what it said.
virtual_display_report() {
    if [ -n "${xvfb_pid:-}" ]; then
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            echo "virtual display ${DISPLAY:-} (server $xvfb_pid) still runs" >&2
        else
            echo "virtual display ${DISPLAY:-} (server $xvfb_pid) has ended" >&2
        fi
    fi
    [ -s "${xvfb_log:-}" ] && tail -n 20 "$xvfb_log" | sed 's/^/Xvfb: /' >&2
    return 0
}
