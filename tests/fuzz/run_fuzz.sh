#!/usr/bin/env bash
# Runs one fuzz target of a fuzz build (SCINTLE_FUZZ, tests/fuzz/), one of two ways:
#
#   run_fuzz.sh test BUILD TARGET WORK    for ./test: replays every input of the
#       target's seed corpus, then runs FUZZ_RUNS new inputs (5000 by default, at most
#       FUZZ_SECONDS, 30 by default) from a fixed seed, in a corpus of its own under WORK
#   run_fuzz.sh fuzz BUILD TARGET SECONDS   for ./fuzz: fuzzes for SECONDS, keeping the
#       inputs it finds in BUILD/fuzz-corpus/TARGET (the seed corpus beside it) and a
#       failing one in BUILD/fuzz-failures/TARGET/
#
# Prints what it ran and found, on one line at the end; fails when an input failed,
# naming the file that holds it.
set -uo pipefail
mode=${1:?test or fuzz} build=$(realpath "${2:?fuzz build}") target=${3:?target}
root=$(cd "$(dirname "$0")/../.." && pwd)
fuzzer=$build/tests/fuzz/fuzz_$target
seeds=$root/tests/fuzz/corpus/$target
[[ -x $fuzzer ]] || { echo "FAIL: no fuzz target $fuzzer (build it with SCINTLE_FUZZ)"; exit 1; }
[[ -d $seeds ]] || { echo "FAIL: no seed corpus $seeds"; exit 1; }

# clang 14's sanitizers map their shadow memory at fixed addresses, which kernels that
# randomise mmap with more bits than they know (vm.mmap_rnd_bits above 28) can take:
# without address randomisation they run everywhere.
run=()
setarch "$(uname -m)" -R true 2>/dev/null && run=(setarch "$(uname -m)" -R)

symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[[ -x $symbolizer ]] && export ASAN_SYMBOLIZER_PATH=$symbolizer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# A picture or a command takes milliseconds; 20 s for one input is a hang (a busy
# machine included). The targets' own output is noise here; reports still show.
options=(-timeout=20 -rss_limit_mb=2048 -close_fd_mask=3)

# The last "Done N runs" line of a libFuzzer log.
runs_in() { sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 inputs in \2 s/p' "$1" | tail -1; }

# Prints the failure's report and the input that caused it, and fails.
report_failure() {
    local log=$1 artifacts=$2
    grep -E -A 14 'ERROR|fuzz check failed|runtime error|deadly signal|timeout' "$log" | head -40
    echo "FAIL: $target: a failing input is in $(ls "$artifacts"* 2>/dev/null | head -1)" \
         "(replay: $fuzzer FILE)"
    exit 1
}

case $mode in
    test)
        work=${4:?work folder}/$target
        rm -rf "$work"; mkdir -p "$work/corpus" "$work/failures"
        seedFiles=("$seeds"/*)
        "${run[@]}" "$fuzzer" "${options[@]}" -artifact_prefix="$work/failures/" "${seedFiles[@]}" \
            >"$work/replay.log" 2>&1 || report_failure "$work/replay.log" "$work/failures/"
        cp "${seedFiles[@]}" "$work/corpus/"
        "${run[@]}" "$fuzzer" "${options[@]}" -seed=1 -runs="${FUZZ_RUNS:-5000}" -max_total_time="${FUZZ_SECONDS:-30}" \
            -artifact_prefix="$work/failures/" "$work/corpus" >"$work/run.log" 2>&1 ||
            report_failure "$work/run.log" "$work/failures/"
        echo "$target: replayed ${#seedFiles[@]} seed inputs; ran $(runs_in "$work/run.log"); nothing failed"
        ;;
    fuzz)
        seconds=${4:?seconds}
        corpus=$build/fuzz-corpus/$target failures=$build/fuzz-failures/$target
        mkdir -p "$corpus" "$failures"
        log=$build/fuzz-$target.log
        "${run[@]}" "$fuzzer" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$failures/" "$corpus" "$seeds" >"$log" 2>&1 ||
            report_failure "$log" "$failures/"
        echo "$target: ran $(runs_in "$log"); corpus $(ls "$corpus" | wc -l) inputs" \
             "($corpus); nothing failed"
        ;;
    *) echo "run_fuzz.sh: test or fuzz, not '$mode'" >&2; exit 2 ;;
esac
