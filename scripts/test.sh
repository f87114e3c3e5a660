#!/usr/bin/env bash
# Runs every test after `make test` has built native, cross and fuzz: the native unit tests, the
# cross-built unit tests under Wine, the end-to-end tests under Wine on a private Xvfb, the
# release (tests/release) and the fuzzers for a short time. Prints a summary and exits non-zero
# when anything failed.
#
# Environment:
#   E2E_FILTER=Suite.Test*   run only these end-to-end tests (GoogleTest filter)
#   E2E_TIMEOUT=S            seconds the end-to-end tests may take (default 900)
#   ZRT_TEST_ON_DISPLAY=1    run the end-to-end tests on $DISPLAY to watch them
#   FUZZ_SECONDS=N           time per fuzzer (default 10)
#   ONLY="unit e2e"          run only these steps (native, wine-unit, e2e, release, fuzz)
#   ZRT_E2E_COM_PORT=N       the program's serial port in the tests (default 2), on which the
#                            controller simulator answers
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

ARTEFACTS=$ZRT_BUILD/artefacts
results=()
passed=0
failed=0

wanted() { [[ -z ${ONLY:-} || " $ONLY " == *" $1 "* ]]; }

# step NAME COMMAND...: runs one step and records its result.
step() {
    local name=$1 start=$SECONDS
    shift
    echo
    echo "=== $name"
    if "$@"; then
        results+=("PASS  $name ($((SECONDS - start)) s)")
        passed=$((passed + 1))
    else
        results+=("FAIL  $name ($((SECONDS - start)) s)")
        failed=$((failed + 1))
    fi
}

native_unit() {
    ctest --test-dir "$ZRT_BUILD/native" --output-on-failure -j2 --timeout 120
}

wine_unit() {
    timeout 300 wine "$ZRT_BUILD/win/tests/unit/unit_tests.exe" --gtest_brief=1
}

e2e() {
    local rc=0
    rm -rf "$ARTEFACTS"
    mkdir -p "$ARTEFACTS"
    timeout "${E2E_TIMEOUT:-900}" wine "$ZRT_BUILD/win/tests/e2e/e2e_tests.exe" \
        --exe="$(zrt_winpath "$ZRT_BUILD/win/cnfzrt94.exe")" \
        --artefacts="$(zrt_winpath "$ARTEFACTS")" \
        --gtest_filter="${E2E_FILTER:-*}" || rc=$?
    [[ $rc == 0 ]] && echo "screenshots: $ARTEFACTS"
    return $rc
}

fuzz() {
    FUZZ_SECONDS=${FUZZ_SECONDS:-10} scripts/fuzz.sh
}

wanted native && step "native unit tests" native_unit

if wanted wine-unit || wanted e2e; then
    if [[ ${ZRT_TEST_ON_DISPLAY:-0} == 1 ]]; then zrt_display; else zrt_display --private; fi
    zrt_wine_prefix "$ZRT_BUILD/wine-test" 1024x768
    # The program's serial port is the controller simulator's pseudo-terminal. The tests change
    # the simulator's behaviour through its control file and read its frame log.
    export ZRT_E2E_COM_PORT=${ZRT_E2E_COM_PORT:-2}
    sim_dir=$ZRT_BUILD/e2e-sim
    rm -rf "$sim_dir"
    mkdir -p "$sim_dir"
    if zrt_start_sim "$ZRT_E2E_COM_PORT" --control "$sim_dir/control" --log "$sim_dir/sim.log" \
        --link "$WINEPREFIX/dosdevices/com$ZRT_E2E_COM_PORT"
    then
        export ZRT_E2E_SIM_CONTROL ZRT_E2E_SIM_LOG
        ZRT_E2E_SIM_CONTROL=$(zrt_winpath "$sim_dir/control")
        ZRT_E2E_SIM_LOG=$(zrt_winpath "$sim_dir/sim.log")
    else
        # Without the simulator the port still opens; nobody answers on it.
        zrt_pty_pair && zrt_link_com "$ZRT_E2E_COM_PORT" "$ZRT_PTY_A"
    fi
    export ZRT_E2E_WORK='C:\e2e'
    # The printer: a private CUPS whose default printer writes PDFs into build/e2e-pdf.
    if zrt_start_cups "$ZRT_BUILD/e2e-cups" "$ZRT_BUILD/e2e-pdf"; then
        export ZRT_E2E_CUPS ZRT_E2E_PDF
        ZRT_E2E_CUPS=$(zrt_winpath "$ZRT_BUILD/e2e-cups")
        ZRT_E2E_PDF=$(zrt_winpath "$ZRT_PDF_DIR")
        rm -f "$ZRT_PDF_DIR"/*.pdf
    fi
    # A small disk for the tests to fill, where this machine lets root mount one.
    full_disk=$ZRT_BUILD/full-disk
    mkdir -p "$full_disk"
    mountpoint -q "$full_disk" && umount -l "$full_disk"
    if mount -t tmpfs -o size=64k tmpfs "$full_disk" 2>/dev/null; then
        zrt_on_exit "umount -l '$full_disk'"
        export ZRT_E2E_FULL_DISK
        ZRT_E2E_FULL_DISK=$(zrt_winpath "$full_disk")
    else
        echo "test.sh: no tmpfs can be mounted here; the full-disk save is left out" >&2
    fi
    wanted wine-unit && step "unit tests under Wine" wine_unit
    wanted e2e && step "end-to-end tests under Wine" e2e
fi

# Installer and zip, in a Wine prefix and on a display of their own.
wanted release && step "release under Wine" tests/release/release_test.sh

if wanted fuzz && [[ -x scripts/fuzz.sh ]]; then
    step "fuzzers (${FUZZ_SECONDS:-10} s each)" fuzz
fi

echo
echo "=== summary"
printf '%s\n' "${results[@]}"
echo "steps: $passed passed, $failed failed"
[[ $failed == 0 ]]
