#!/usr/bin/env bash
# Runs every fuzzer of build/fuzz for FUZZ_SECONDS each (default 10), keeping a corpus per fuzzer
# under build/fuzz/corpus, and prints how many inputs each ran. Fails when any fuzzer finds a
# crash, a leak or undefined behaviour (its reproducer is left in build/fuzz/findings).
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
seconds=${FUZZ_SECONDS:-10}
corpus_root="$build/corpus"
findings="$build/findings"
mkdir -p "$corpus_root" "$findings"

mapfile -t fuzzers < <(find "$build" -type f -name 'fuzz_*' -perm -u+x -not -path '*/CMakeFiles/*' \
    -not -path "$corpus_root/*" -not -path "$findings/*" | sort)
if [[ ${#fuzzers[@]} -eq 0 ]]; then
    echo "fuzz.sh: no fuzzers in $build; run 'make fuzz' first" >&2
    exit 1
fi

failed=0
for fuzzer in "${fuzzers[@]}"; do
    name=$(basename "$fuzzer")
    corpus="$corpus_root/$name"
    mkdir -p "$corpus"
    log="$build/$name.log"
    "$fuzzer" "$corpus" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/$name-" >"$log" 2>&1
    status=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    if [[ -z $runs ]]; then
        runs=$(grep -o 'Done [0-9]* runs' "$log" | grep -o '[0-9]*' | tail -1)
    fi
    if [[ $status -ne 0 ]]; then
        printf '%-24s FAILED after %s inputs (see %s)\n' "$name" "${runs:-?}" "$log"
        grep -m3 -E 'ERROR|SUMMARY|runtime error' "$log" | sed 's/^/    /'
        failed=1
    else
        printf '%-24s %12s inputs in %ss\n' "$name" "${runs:-?}" "$seconds"
    fi
done
exit $failed
