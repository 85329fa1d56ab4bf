#!/usr/bin/env bash
# Runs a command with the whole program's network inside two throw-away network namespaces
# joined by a veth pair: the program's side holds 172.31.254.2/24, the unit's side
# 172.31.254.1/24 and, for a second host of the unit's network, 172.31.254.3/24. Neither
# namespace has any other link or route, so nothing sent inside can reach a real network. Both
# namespaces are removed afterwards, also on failure or interrupt.
#
#   netns-run.sh [--unit "COMMAND"] [--] PROGRAM [ARGS...]
#
# --unit starts COMMAND in the unit's namespace first (the fake unit, listening on
# 172.31.254.1:40000) and stops it at the end. PROGRAM runs in the program's namespace; its
# exit code is this script's. PROGRAM finds the namespaces' names in NETNS_PROGRAM and
# NETNS_UNIT, so that it can act from the unit's side too (ip netns exec "$NETNS_UNIT" ...).
# Needs root (ip netns).
set -euo pipefail

unit_cmd=""
while [ $# -gt 0 ]; do
    case "$1" in
        --unit) unit_cmd="$2"; shift 2 ;;
        --) shift; break ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--unit COMMAND] [--] PROGRAM [ARGS...]" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "$0: network namespaces need root" >&2; exit 2; }

tag="dzk$$"
prog_ns="${tag}p"
unit_ns="${tag}u"
unit_pid=""

cleanup() {
    if [ -n "$unit_pid" ]; then
        kill "$unit_pid" 2>/dev/null || true
        wait "$unit_pid" 2>/dev/null || true
    fi
    # Ends anything still running inside before the namespaces go.
    for ns in "$prog_ns" "$unit_ns"; do
        if ip netns list 2>/dev/null | grep -qw "$ns"; then
            ip netns pids "$ns" 2>/dev/null | xargs -r kill 2>/dev/null || true
            ip netns del "$ns" 2>/dev/null || true
        fi
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ip netns add "$prog_ns"
ip netns add "$unit_ns"
ip link add "${tag}a" netns "$prog_ns" type veth peer name "${tag}b" netns "$unit_ns"
ip -n "$prog_ns" link set lo up
ip -n "$unit_ns" link set lo up
ip -n "$prog_ns" addr add 172.31.254.2/24 dev "${tag}a"
ip -n "$unit_ns" addr add 172.31.254.1/24 dev "${tag}b"
ip -n "$unit_ns" addr add 172.31.254.3/24 dev "${tag}b"
ip -n "$prog_ns" link set "${tag}a" up
ip -n "$unit_ns" link set "${tag}b" up

if [ -n "$unit_cmd" ]; then
    ip netns exec "$unit_ns" bash -c "exec $unit_cmd" &
    unit_pid=$!
    sleep 0.3
    kill -0 "$unit_pid" 2>/dev/null || { echo "$0: the fake unit did not start" >&2; exit 1; }
fi

export NETNS_PROGRAM="$prog_ns" NETNS_UNIT="$unit_ns"
set +e
ip netns exec "$prog_ns" "$@"
status=$?
set -e
exit "$status"
