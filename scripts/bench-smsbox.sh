#!/usr/bin/env bash
# The SMS tab with a large inbox: the GUI thread's time for one incoming message and the time the
# tab takes to show, on the start-up benchmark's database (100,000 received and 20,000 sent
# messages, 10,000 contacts), each beside its floor: the sqlite3 command-line tool reading the
# same rows, the time the tool takes to start taken off.
#
#   scripts/bench-smsbox.sh [BUILD_DIR] [ROUNDS]   (default: build-bench in the repository, 21)
#   JOBS=n scripts/bench-smsbox.sh                  build with n jobs (default 3)
#
# Needs no root and no namespaces: the window runs offscreen with its link pointed at a silent
# fake unit on loopback, and never comes up. Prints medians (and slowest). Exits 0 when it
# measured, whatever the figures, and when it cannot run here (it says SKIP); non-zero when the
# build or a run failed. The figures wander with the machine's load.
set -euo pipefail
export LC_ALL=C
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-bench}"
rounds="${2:-21}"

for tool in sqlite3 cmake ninja; do
    command -v "$tool" >/dev/null || { echo "bench-smsbox: SKIP, $tool is missing"; exit 0; }
done

echo "bench-smsbox: building the Release tree in $build" >&2
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUDEDORIV_BENCH=ON >/dev/null
log="$build/bench-smsbox-build.log"
if ! cmake --build "$build" --parallel "${JOBS:-3}" --target dudedoriv_smsboxbench >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "bench-smsbox: the build failed" >&2
    exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
"$root/scripts/prepare-workdir.sh" "$scratch/work" >/dev/null
db="$scratch/work/dudedoriv_db.db"
sqlite3 -bail -batch "$db" <"$root/bench/startup/large-rows.sql"
card=$(sqlite3 -batch "$db" "SELECT ID FROM SIMCARDS WHERE ACTIVE = 'true' ORDER BY ID LIMIT 1;")
card="${card:-0}"
# A contact's number, as the benchmark's incoming messages use half of the time.
number=$(sqlite3 -batch "$db" "SELECT MSISDN FROM MSISDN_SMS ORDER BY ID LIMIT 1;")

elapsed() { echo $(( ${2/./} - ${1/./} )); }
time_sql() { # SQL
    local start end
    start=$EPOCHREALTIME
    sqlite3 -batch "$db" "$1" >/dev/null
    end=$EPOCHREALTIME
    elapsed "$start" "$end"
}

echo "bench-smsbox: $rounds rounds" >&2
times="$scratch/times.txt"
for _ in $(seq "$rounds"); do
    start=$(time_sql "SELECT 1;")
    tab=$(time_sql "SELECT ID, DATE, CONTENT, FROM_MSISDN FROM RECEIVE_MESSAGES WHERE ID_SIMCARD = $card;
        SELECT MSISDN, NAME FROM MSISDN_SMS;")
    message=$(time_sql "SELECT ID, DATE, CONTENT, FROM_MSISDN FROM RECEIVE_MESSAGES
        WHERE ID = (SELECT MAX(ID) FROM RECEIVE_MESSAGES); SELECT NAME FROM MSISDN_SMS WHERE MSISDN = '$number';")
    echo "floor-tab $((tab - start))" >>"$times"
    echo "floor-message $((message - start))" >>"$times"
done

if ! QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" DUDEDORIV_SOURCE_DIR="$root" \
    "$build/bench/dudedoriv_smsboxbench" "$scratch/work" "$rounds" >>"$times" 2>"$scratch/errors.txt"; then
    tail -n 30 "$scratch/errors.txt" >&2
    echo "bench-smsbox: the run failed" >&2
    exit 1
fi

# $1: label, $2: column (2 or 3), $3: median or slowest; microseconds.
pick() {
    awk -v label="$1" -v column="$2" '$1 == label { print $column }' "$times" | sort -n | awk -v how="$3" '
        { v[NR] = $1 }
        END {
            if (how == "slowest") print v[NR]
            else print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2)
        }'
}
ms() { awk -v us="$1" 'BEGIN { printf "%7.1f ms", us / 1000 }'; }
both() { echo "$(ms "$(pick "$1" "$2" median)")  ($(ms "$(pick "$1" "$2" slowest)"))"; }

echo "SMS tab benchmark: Release build, $rounds rounds, median (slowest)"
echo "  SMS tab shown, the first time:               $(both tab-first 2)"
echo "  SMS tab shown again:                         $(both tab 2)   target: at most 500 ms"
echo "  sqlite3 reading the card's messages, names:  $(both floor-tab 2)"
echo "  one incoming message, GUI thread:            $(both message 2)   target: at most 50 ms"
echo "    of it, storing the message:                $(both message 3)"
echo "  sqlite3 reading one message and its name:    $(both floor-message 2)"
