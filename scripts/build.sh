#!/usr/bin/env bash
# Configures and builds the program and its tests.
#   build.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
[ $# -gt 0 ] && shift
cmake -S "$root" -B "$build" -G Ninja -DDUDEDORIV_WERROR=ON "$@" >/dev/null
cmake --build "$build" --parallel
