#!/usr/bin/env bash
# Start-up speed with a large local database: how much longer the program takes from its start
# to its launcher when the database holds 100,000 received and 20,000 sent messages and 10,000
# contacts, against the time the sqlite3 command-line tool takes to read those same rows.
#
#   scripts/bench-startup.sh [RUNS]      (default 11 rounds; needs root, Xvfb, xev and xdotool)
#   JOBS=n scripts/bench-startup.sh      build with n jobs (default 3)
#
# Builds its own Release tree (build-db-rel, or $BENCH_STARTUP_BUILD), unless
# $BENCH_STARTUP_PROGRAM names a program to time instead (an older build, say). The program
# runs only inside the project's network namespaces, on a virtual display. Prints medians (and
# fastest):
#   start to launcher with the starting database and with the large one;
#   the floor: sqlite3 reading the added rows (SELECT * of each table to /dev/null, the large
#   database less the starting one, so that starting the tool cancels out);
#   the ratio (large - starting) / floor.
# Exits 0 when it measured, whatever the ratio, and when it cannot run here (it says SKIP), so
# that scripts/bench.sh goes on; non-zero when a build or a run failed. The figures wander with
# the machine's load: on a shared machine, take several runs.
set -euo pipefail
export LC_ALL=C
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-11}"
build="${BENCH_STARTUP_BUILD:-$root/build-db-rel}"

for tool in sqlite3 Xvfb xev xdotool stdbuf cmake; do
    command -v "$tool" >/dev/null || { echo "bench-startup: SKIP, $tool is missing"; exit 0; }
done
[ "$(id -u)" = 0 ] || { echo "bench-startup: SKIP, the program runs only inside network namespaces (root)"; exit 0; }

program="${BENCH_STARTUP_PROGRAM:-}"
if [ -z "$program" ]; then
    echo "bench-startup: building the Release tree in $build" >&2
    if [ ! -f "$build/CMakeCache.txt" ]; then
        mkdir -p "$build"
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    if ! cmake --build "$build" --parallel "${JOBS:-3}" --target dudedoriv >"$build/bench-startup-build.log" 2>&1; then
        tail -n 30 "$build/bench-startup-build.log" >&2
        echo "bench-startup: the build failed" >&2
        exit 1
    fi
    program="$build/dudedoriv"
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
for name in starting large; do
    "$root/scripts/prepare-workdir.sh" "$scratch/$name" >/dev/null
done
sqlite3 -bail -batch "$scratch/large/dudedoriv_db.db" <"$root/bench/startup/large-rows.sql"

echo "bench-startup: $runs rounds" >&2
if ! XDG_RUNTIME_DIR="$scratch/runtime" "$root/scripts/netns-run.sh" -- "$root/bench/startup/measure.sh" \
    "$program" "$runs" "$scratch/starting" "$scratch/large" >"$scratch/times.txt" 2>"$scratch/errors.txt"; then
    cat "$scratch/errors.txt" "$scratch"/*/stderr.txt >&2 2>/dev/null
    echo "bench-startup: the runs failed" >&2
    exit 1
fi

# $1: label, $2: median or fastest; microseconds.
pick() {
    awk -v label="$1" '$1 == label { print $2 }' "$scratch/times.txt" | sort -n | awk -v how="$2" '
        { v[NR] = $1 }
        END { if (how == "fastest") print v[1]; else print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
ms() { awk -v us="$1" 'BEGIN { printf "%6.1f ms", us / 1000 }'; }

for how in median fastest; do
    starting=$(pick program-starting $how)
    large=$(pick program-large $how)
    floor=$(( $(pick sqlite-large $how) - $(pick sqlite-starting $how) ))
    ratio=$(awk -v a="$large" -v b="$starting" -v f="$floor" 'BEGIN { printf "%.2f", (a - b) / f }')
    declare "starting_$how=$starting" "large_$how=$large" "floor_$how=$floor" "ratio_$how=$ratio"
done
echo "start-up benchmark: Release build, $runs rounds, median (fastest)"
echo "  start to launcher, starting database:  $(ms "$starting_median")  ($(ms "$starting_fastest"))"
echo "  start to launcher, large database:     $(ms "$large_median")  ($(ms "$large_fastest"))"
echo "  sqlite3 reading the added rows:        $(ms "$floor_median")  ($(ms "$floor_fastest"))"
echo "  (large - starting) / sqlite3:          $ratio_median  ($ratio_fastest)   target: at most 3"
