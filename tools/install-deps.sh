#!/bin/bash
# Installs what building, playing and testing the game needs on Debian 12,
# skipping apt entirely when everything is already there.
#   --fuzz   also clang and its runtime, for the fuzz targets (tools/fuzz.sh)
set -eu
packages=(
    build-essential cmake pkg-config
    libsfml-dev libx11-dev libgl1-mesa-dri libglx-mesa0
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils
)
for arg in "$@"; do
    case "$arg" in
        --fuzz) packages+=(clang libclang-rt-dev) ;;
        *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
