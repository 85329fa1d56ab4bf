# Sourced, not run; needs $program_pid.
# File > Exit, as an operator closes the window. While the notice of the first reading is up the
# program takes no input, so the menu is tried again until the program ends.
close_through_menu() {
    local window="$1"
    for _ in $(seq 20); do
        kill -0 "$program_pid" 2>/dev/null || return 0
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        xdotool mousemove --window "$window" 20 10 click 1 2>/dev/null || true
        sleep 0.5
        # Exit is the menu's last entry, below Options and a separator.
        xdotool mousemove --window "$window" 40 57 click 1 2>/dev/null || true
        for _ in $(seq 10); do kill -0 "$program_pid" 2>/dev/null || return 0; sleep 0.2; done
        xdotool key Escape 2>/dev/null || true
    done
}
