#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine needs to build, test and run the program.
#   install-deps.sh [fuzz]
# "fuzz" adds clang and its runtimes (sanitizers, libFuzzer) for scripts/fuzz.sh.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5sql5-sqlite qttranslations5-l10n
    sqlite3 iproute2 xvfb xauth xdotool x11-utils imagemagick
)
if [ "${1:-}" = fuzz ]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
