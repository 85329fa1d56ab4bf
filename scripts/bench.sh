#!/usr/bin/env bash
# Builds the SMS codec benchmark on a Release build and runs it: the decoder and the encoder
# against libgammu's, which only this benchmark links. Not part of the tests or of CI.
# Then the start-up and the SMS tab's benchmarks (scripts/bench-startup.sh, bench-smsbox.sh).
#   bench.sh [BUILD_DIR]      (default: build-bench in the repository)
#   JOBS=n bench.sh           build with n jobs (default 3)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-bench}"

missing=()
for package in libgammu-dev pkg-config; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" = 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUDEDORIV_BENCH=ON >/dev/null
cmake --build "$build" --parallel "${JOBS:-3}" --target dudedoriv_smsbench
"$build/bench/dudedoriv_smsbench"

if [ -x "$root/scripts/bench-startup.sh" ]; then
    "$root/scripts/bench-startup.sh"
fi

if [ -x "$root/scripts/bench-smsbox.sh" ]; then
    "$root/scripts/bench-smsbox.sh" "$build"
fi
