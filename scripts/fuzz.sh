#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs each
# for SECONDS (default 60) from its committed inputs; fails on any crash, leak, time-out, memory
# overrun or broken invariant.
#   fuzz.sh [SECONDS]
#   FUZZ_BUILD   build folder (default build-fuzz)
#   FUZZ_SCRATCH folder for what the runs find (default $FUZZ_BUILD/fuzz-scratch)
#
# Targets (tests/fuzz/):
#   replies  datagrams of the unit, separated by NUL bytes, through one fresh reply interpreter
#            over the program's database in memory (changes are undone after each input)
#   pdu      one PDU line through the SMS decoder, with and without SMS-SUBMIT accepted
#
# Committed inputs: tests/fuzz/corpus/<target>/ (seeds: the fake unit's replies, the tests' PDUs)
# and tests/fuzz/regressions/<target>/ (past findings). tst_fuzzreplay runs all of them through the
# same entry functions in every build, so `bash scripts/test.sh` and the sanitizer build of CI
# replay them without libFuzzer. New inputs the fuzzers find go to $FUZZ_SCRATCH/<target>/corpus,
# never to the committed folders.
#
# When a run fails, its input is at $FUZZ_SCRATCH/<target>/crash-<sha1> (or leak-, timeout-,
# oom-). To keep it as a test:
#   1. reproduce:  build-fuzz/tests/fuzz/fuzz_<target> FILE
#      and shrink: build-fuzz/tests/fuzz/fuzz_<target> -minimize_crash=1 -runs=100000 FILE
#   2. copy the (shrunk) input to tests/fuzz/regressions/<target>/ under a name that says what it
#      does, e.g. regressions/replies/ussd-without-closing-quote; commit it with the fix. Until
#      the fix, tst_fuzzreplay fails on it (bash scripts/test.sh; the line "input: ..." names it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${FUZZ_BUILD:-$root/build-fuzz}"
scratch="${FUZZ_SCRATCH:-$build/fuzz-scratch}"
targets=(replies pdu)

"$root/scripts/install-deps.sh" fuzz
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DDUDEDORIV_FUZZ=ON \
    -DDUDEDORIV_WERROR=ON >/dev/null
cmake --build "$build" --parallel --target "${targets[@]/#/fuzz_}"

# The sanitizers' own settings, whatever the caller exported: unwinding each allocation slowly,
# as the test runs do, would cut the executions per second several times over. A smaller
# quarantine keeps the resident size far enough below the limit that growth shows.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:quarantine_size_mb=64:malloc_context_size=20"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/.ci/lsan.supp:print_suppressions=0"

failed=()
for target in "${targets[@]}"; do
    work="$scratch/$target"
    mkdir -p "$work/corpus"
    rm -f "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$work"/slow-unit-*
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=512 -malloc_limit_mb=64
             -print_final_stats=1 -artifact_prefix="$work/")
    case $target in
        replies) options+=(-max_len=4096 -dict="$root/tests/fuzz/replies.dict") ;;
        pdu) options+=(-max_len=1024) ;;
    esac
    echo "fuzz: $target for ${seconds}s (log: $work/fuzz.log)"
    status=0
    "$build/tests/fuzz/fuzz_$target" "${options[@]}" "$work/corpus" \
        "$root/tests/fuzz/corpus/$target" "$root/tests/fuzz/regressions/$target" >"$work/fuzz.log" 2>&1 || status=$?
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$work/fuzz.log" \
        | sed "s/^/fuzz: $target /" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$work/fuzz.log"
        echo "fuzz: $target FAILED (exit $status); input: $(ls "$work"/{crash,leak,timeout,oom}-* 2>/dev/null | head -n 1)"
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed: ${failed[*]} (see the header of scripts/fuzz.sh to keep the input as a test)"
    exit 1
fi
echo "fuzz: no findings"
