#!/usr/bin/env bash
# Runs every test after `make test` has built native, cross and fuzz: the native unit tests, the
# cross-built unit tests under Wine, the end-to-end tests under Wine on a private Xvfb, and the
# fuzzers for a short time. Prints a summary and exits non-zero when anything failed.
#
# Environment:
#   E2E_FILTER=Suite.Test*   run only these end-to-end tests (GoogleTest filter)
#   ZRT_TEST_ON_DISPLAY=1    run the end-to-end tests on $DISPLAY to watch them
#   FUZZ_SECONDS=N           time per fuzzer (default 10)
#   ONLY="unit e2e"          run only these steps (native, wine-unit, e2e, fuzz)
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
    timeout 900 wine "$ZRT_BUILD/win/tests/e2e/e2e_tests.exe" \
        --exe="$(zrt_winpath "$ZRT_BUILD/win/cnfzrt94.exe")" \
        --artefacts="$(zrt_winpath "$ARTEFACTS")" \
        --gtest_filter="${E2E_FILTER:-*}" || rc=$?
    # Screenshots come out of Wine as BMP; keep PNG.
    local bmp
    for bmp in "$ARTEFACTS"/*.bmp; do
        [[ -e $bmp ]] || continue
        convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
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
    # A null-modem pair of pseudo-terminals, one end as the program's serial port. The
    # controller simulator takes the other end once it exists; until then nobody answers.
    export ZRT_E2E_COM_PORT=3
    zrt_pty_pair && zrt_link_com "$ZRT_E2E_COM_PORT" "$ZRT_PTY_A"
    export ZRT_E2E_WORK='C:\e2e'
    wanted wine-unit && step "unit tests under Wine" wine_unit
    wanted e2e && step "end-to-end tests under Wine" e2e
fi

if wanted fuzz && [[ -x scripts/fuzz.sh ]]; then
    step "fuzzers (${FUZZ_SECONDS:-10} s each)" fuzz
fi

echo
echo "=== summary"
printf '%s\n' "${results[@]}"
echo "steps: $passed passed, $failed failed"
[[ $failed == 0 ]]
