#!/usr/bin/env bash
# `make bench`: start-up of cnfzrt94.exe under Wine against a minimal Win32 window program,
# started alternately by a launcher inside Wine (build/win/bench/startup_bench.exe), on a private
# Xvfb in the prefix build/wine-bench. Prints every run, the medians, spreads and their ratio.
#   BENCH_RUNS=N   runs per program (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

runs=${BENCH_RUNS:-15}
zrt_display --private
zrt_wine_prefix "$ZRT_BUILD/wine-bench" 1024x768
# The program opens its serial port at start-up (COM2 by default): give it one, so that it
# starts as it does at a technician's desk, without a message about a missing port.
zrt_pty_pair
zrt_link_com 2 "$ZRT_PTY_A"
work=$ZRT_BUILD/bench-work
mkdir -p "$work"
rm -f "$WINEPREFIX/drive_c/windows/cnfzrt94.ini" \
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/cnfzrt94.ini"

echo "Wine $(wine --version), $(nproc) cores; $runs runs each"
wine "$ZRT_BUILD/win/bench/startup_bench.exe" "$runs" "$(zrt_winpath "$work")" \
    "$(zrt_winpath "$ZRT_BUILD/win/bench/minimal_window.exe")" MinimalWindow \
    "$(zrt_winpath "$ZRT_BUILD/win/cnfzrt94.exe")" ClaseCNFZRT94
