#!/usr/bin/env bash
# `make run`: starts build/win/cnfzrt94.exe under Wine in its own prefix (build/wine-run), on
# your display, or on a new Xvfb when there is none. Arguments go to the program (a Windows path
# of a .Z94 file, e.g. 'Z:\home\me\A00001_1.Z94'). Everything started here stops when the
# program exits. Files saved without a folder land in build/files; printed documents, as PDF files,
# in build/pdf.
#   ZRT_NO_SIM=1          do not attach the controller simulator
#   ZRT_SIM_ARGS="..."    options for the simulator, e.g. "--version 02.40 --delay 600"; they
#                         come after a short event log and its counters, and override them
# While it runs, the simulator takes option changes written to build/sim.ctl (see the README)
# and logs every frame to build/sim.log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

desktop=""
if [[ -z ${DISPLAY:-} ]]; then
    zrt_display 1024x768x24
    desktop=1024x768 # a Wine desktop draws the title bars that Xvfb's missing window manager would
    cat >&2 <<MSG
[run] No DISPLAY: the program runs on the virtual display $DISPLAY. To look at it:
[run]   screenshot:  import -display $DISPLAY -window root shot.png
[run]   live:        x11vnc -display $DISPLAY -localhost, then a VNC viewer on localhost:5900
MSG
fi
zrt_wine_prefix "$ZRT_BUILD/wine-run" "$desktop"

# The controller: the simulator on a pseudo-terminal, linked as the port in the settings, with
# a few events to read (system start, a door that did not close, EXS and EXD together).
port=$(zrt_configured_port)
demo_log="--events 16:1,4:12,7:3 --hours 1520 --operations 48211"
rm -f "$ZRT_BUILD/sim.ctl"
# shellcheck disable=SC2086 # the options are words
if [[ ${ZRT_NO_SIM:-0} != 1 ]] &&
    zrt_start_sim "$port" --control "$ZRT_BUILD/sim.ctl" $demo_log ${ZRT_SIM_ARGS:-}; then
    echo "[run] controller simulator on COM$port ($ZRT_SIM_PTY); frames in $ZRT_BUILD/sim.log," \
        "option changes through $ZRT_BUILD/sim.ctl" >&2
else
    echo "[run] no controller attached to COM$port" >&2
fi

# The printer: a private CUPS whose default printer "PDF" writes each job as a PDF file.
if zrt_start_cups "$ZRT_BUILD/cups" "$ZRT_BUILD/pdf"; then
    echo "[run] printer PDF: printed documents land in $ZRT_PDF_DIR" >&2
fi

mkdir -p "$ZRT_BUILD/files"
cd "$ZRT_BUILD/files"
# In the background, so that an interrupt runs the clean-up at once.
wine "$ZRT_BUILD/win/cnfzrt94.exe" "$@" &
wait $!
