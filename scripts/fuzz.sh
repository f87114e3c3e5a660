#!/usr/bin/env bash
# Runs every fuzzer of build/fuzz for FUZZ_SECONDS each (default 10; with FUZZ_RUNS, until it has
# run that many inputs if that comes first) with its dictionary
# (tests/fuzz/<fuzzer>.dict), starting from its committed seeds (tests/fuzz/corpus/<fuzzer>, only
# read) and what earlier runs kept (build/fuzz/corpus/<fuzzer>, where new inputs go). Prints the
# inputs each ran and the edges it reached (cov), and fails when any fuzzer finds a crash, a leak,
# undefined behaviour or a broken property (its reproducer is left in build/fuzz/findings).
#
# FUZZ_ONLY="fuzz_a fuzz_b" runs only the fuzzers named.
#
# fuzz.sh --coverage runs the coverage build instead (build/fuzz-cov, from `make fuzz-coverage`)
# once over the same inputs and lists, per fuzzer, the functions of src/ and tools/ it linked and
# never ran: a fuzzer that cannot get past a check shows there.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
seeds_root="$root/tests/fuzz/corpus"
corpus_root="$build/corpus"
findings="$build/findings"
mkdir -p "$corpus_root" "$findings"

# The inputs of a fuzzer: its seeds, then what earlier runs kept.
inputs() {
    local name=$1
    [[ -d $seeds_root/$name ]] && echo "$seeds_root/$name"
    [[ -d $corpus_root/$name ]] && echo "$corpus_root/$name"
}

fuzzers_in() {
    find "$1" -type f -name 'fuzz_*' -perm -u+x -not -path '*/CMakeFiles/*' -not -path "$1/corpus/*" \
        -not -path "$1/findings/*" | sort | while read -r fuzzer; do
        [[ -z ${FUZZ_ONLY:-} || " $FUZZ_ONLY " == *" $(basename "$fuzzer") "* ]] && echo "$fuzzer"
    done
}

# Functions of the core and the tools with no execution, from an llvm-cov export on stdin: by
# file for the files the fuzzer entered, then the files it linked and never entered. Functions
# that the compiler evaluates (constexpr) never run and are left out.
unreached() {
    python3 -c '
import collections, json, re, subprocess, sys
root = sys.argv[1] + "/"
def line(path, number):
    with open(path, errors="replace") as f:
        return f.readlines()[number - 1]
functions = [f for f in json.load(sys.stdin)["data"][0]["functions"]
             if f["filenames"][0].startswith((root + "src/", root + "tools/"))
             and "constexpr" not in line(f["filenames"][0], f["regions"][0][0])]
names = subprocess.run(["llvm-cxxfilt-14"], input="\n".join(f["name"].split(":")[-1] for f in functions),
                       capture_output=True, text=True).stdout.splitlines()
never, entered = collections.defaultdict(set), set()
for f, name in zip(functions, names):
    path = f["filenames"][0][len(root):]
    if f["count"]:
        entered.add(path)
        continue
    name = name.replace("(anonymous namespace)::", "")
    while re.search(r"\([^()]*\)", name):
        name = re.sub(r"\([^()]*\)", "", name)
    name = re.sub(r"^[\w:<>]+ (?=[\w:]+<)", "", name.replace(" const", ""))
    never[path].add(re.sub(r"::\$_\d+::operator", " (a lambda)", name))
print("  reached %d of %d functions" % (len(functions) - sum(map(len, never.values())), len(functions)))
for path in sorted(p for p in never if p in entered):
    print("    never in %s: %s" % (path, ", ".join(sorted(never[path]))))
unentered = sorted(p for p in never if p not in entered)
if unentered:
    print("    linked, never entered: " + ", ".join(unentered))
' "$root"
}

if [[ ${1:-} == --coverage ]]; then
    cov="$root/build/fuzz-cov"
    mapfile -t fuzzers < <(fuzzers_in "$cov")
    if [[ ${#fuzzers[@]} -eq 0 ]]; then
        echo "fuzz.sh: no fuzzers in $cov; run 'make fuzz-coverage'" >&2
        exit 1
    fi
    for fuzzer in "${fuzzers[@]}"; do
        name=$(basename "$fuzzer")
        mapfile -t dirs < <(inputs "$name")
        rm -f "$cov/$name.profraw"
        LLVM_PROFILE_FILE="$cov/$name.profraw" "$fuzzer" -runs=0 "${dirs[@]}" >"$cov/$name.log" 2>&1
        llvm-profdata-14 merge -sparse "$cov/$name.profraw" -o "$cov/$name.profdata" || exit 1
        echo "$name, over $(find "${dirs[@]}" -type f | wc -l) inputs:"
        llvm-cov-14 export -instr-profile="$cov/$name.profdata" "$fuzzer" | unreached || exit 1
    done
    exit 0
fi

seconds=${FUZZ_SECONDS:-10}
# Longest inputs, where longer ones reach no new edges and only cost time: a help book's source
# cut to 1 KiB still holds topics, links, contents and index, and every layout width (the size
# modulo 600); an editor session of about a hundred operations visits every page and control.
declare -A max_len=([fuzz_help_book]=1024 [fuzz_editor_pages]=512)
mapfile -t fuzzers < <(fuzzers_in "$build")
if [[ ${#fuzzers[@]} -eq 0 ]]; then
    echo "fuzz.sh: no fuzzers in $build; run 'make fuzz' first" >&2
    exit 1
fi

failed=0
for fuzzer in "${fuzzers[@]}"; do
    name=$(basename "$fuzzer")
    mkdir -p "$corpus_root/$name"
    mapfile -t seeds < <([[ -d $seeds_root/$name ]] && echo "$seeds_root/$name")
    dict="$root/tests/fuzz/$name.dict"
    options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/$name-")
    [[ -n ${FUZZ_RUNS:-} ]] && options+=(-runs="$FUZZ_RUNS")
    [[ -f $dict ]] && options+=(-dict="$dict")
    [[ -n ${max_len[$name]:-} ]] && options+=(-max_len="${max_len[$name]}")
    log="$build/$name.log"
    "$fuzzer" "${options[@]}" "$corpus_root/$name" "${seeds[@]}" >"$log" 2>&1
    status=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
    if [[ $status -ne 0 ]]; then
        printf '%-22s FAILED after %s inputs (see %s)\n' "$name" "${runs:-?}" "$log"
        grep -m3 -E 'ERROR|SUMMARY|runtime error|deadly signal' "$log" | sed 's/^/    /'
        failed=1
    else
        time=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o '[0-9]* second' || echo "$seconds")
        printf '%-22s %12s inputs in %ss, cov %s\n' "$name" "${runs:-?}" "${time%% *}" "${edges:-?}"
    fi
done
exit $failed
