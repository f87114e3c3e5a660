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
    locales wixl msitools osslsigncode openssl zip unzip
)

# Wine shows the system's own dialogs in Spanish under this locale (scripts/wine-env.sh).
spanish_locale() {
    locale -a 2>/dev/null | grep -qix 'es_ES.utf-\?8'
}

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && spanish_locale && exit 0

if [[ $(id -u) -ne 0 ]]; then
    spanish_locale || missing+=("the es_ES.UTF-8 locale")
    echo "Missing: ${missing[*]}; run as root (or install them) and try again." >&2
    exit 1
fi
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if ! spanish_locale; then
    echo "Generating the es_ES.UTF-8 locale"
    sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    locale-gen >/dev/null
fi
