#!/usr/bin/env bash
# `make bench`:
# 0. the portable core natively (build/native/bench/core_bench, Google Benchmark): receiver,
#    wire encoding and report, each with its ratio to a baseline that only touches the bytes;
# then, on a private Xvfb in the prefix build/wine-bench:
# 1. start-up of cnfzrt94.exe under Wine against a minimal Win32 window program, started
#    alternately by a launcher inside Wine (build/win/bench/startup_bench.exe); prints every run,
#    the medians, spreads and their ratio;
# 2. the controller exchanges (version, two-part receive, two-part transmit with verification)
#    against the controller simulator answering at once (build/win/bench/link_bench.exe); prints
#    every run and, per exchange, the median time from the command to the result box and its
#    ratio to the floor that the 200 ms poll timer and the bytes at 19200 baud set.
# 3. full repaints of the label view (off-screen drawing and copy) at the label's width and at
#    800 %, as a fraction of a 60 Hz frame (build/win/bench/label_view_bench.exe).
# 4. the history dialog with 100,000 lines in the history, from the command to the dialog shown
#    with its list filled (build/win/bench/history_bench.exe).
#   BENCH_RUNS=N        start-up runs per program (default 15)
#   BENCH_LINK_RUNS=N   runs of each exchange (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

"$ZRT_BUILD/native/bench/core_bench" --benchmark_color=false
echo

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

echo
wine "$ZRT_BUILD/win/bench/label_view_bench.exe" 100

echo
wine "$ZRT_BUILD/win/bench/history_bench.exe" "${BENCH_RUNS:-15}" 100000 "$(zrt_winpath "$work")" \
    "$(zrt_winpath "$ZRT_BUILD/win/cnfzrt94.exe")"

# The controller: the simulator on COM2, in place of the idle pair above.
echo
echo "Controller exchanges against zrt94sim on COM2; ${BENCH_LINK_RUNS:-7} runs each"
zrt_start_sim 2
rm -f "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/cnfzrt94.ini"
wine "$ZRT_BUILD/win/bench/link_bench.exe" "${BENCH_LINK_RUNS:-7}" "$(zrt_winpath "$work")" \
    "$(zrt_winpath "$ZRT_BUILD/win/cnfzrt94.exe")"
