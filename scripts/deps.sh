#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
set -euo pipefail

packages=(
    cmake make g++ python3
    googletest libgtest-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev llvm-14
    g++-mingw-w64-x86-64 mingw-w64-tools
    wine64 xvfb x11-utils xdotool imagemagick
    socat
    cups printer-driver-cups-pdf poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]}; run as root (or install them) and try again." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
