#!/usr/bin/env bash
# Installs what is missing, builds, prepares the working folder run/ and starts the program
# against the fake unit inside the project's network namespaces (see netns-run.sh). Without a
# display it runs on a virtual one. Needs root for the namespaces.
#   start.sh [PROGRAM ARGS...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build"
"$root/scripts/prepare-workdir.sh" "$root/run"

unit=()
fake="$build/tests/tools/fakeunit/fakeunit"
if [ -x "$fake" ]; then
    unit=(--unit "$fake --address 172.31.254.1 --port 40000 --log $root/run/fakeunit.log")
fi

display=()
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: the program runs on a virtual one (Xvfb). Stop it with Ctrl+C."
    display=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp")
fi

cd "$root/run"
exec "$root/scripts/netns-run.sh" "${unit[@]}" -- "${display[@]}" "$build/dudedoriv" "$@"
