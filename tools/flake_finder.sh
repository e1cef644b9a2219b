#!/usr/bin/env bash
# Runs chosen tests of a built tree again and again and counts how often each passed:
# a test that fails one run in twenty fails CI now and then.
#
#   tools/flake_finder.sh [--runs N] [--load] [--build DIR] PATTERN
#
# PATTERN is a ctest regular expression (the fixtures' set-up and teardown come along
# by themselves). --load keeps every core busy beside the tests, as a loaded CI
# machine would. The log of each run that failed is kept in DIR/flakes/.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=20 load=0 build=build/native
while (($#)); do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --load) load=1; shift ;;
        --build) build=$2; shift 2 ;;
        -h|--help) sed -n '2,9s/^# \{0,1\}//p' "$0"; exit 0 ;;
        *) break ;;
    esac
done
pattern=${1:?"usage: tools/flake_finder.sh [--runs N] [--load] [--build DIR] PATTERN"}
[[ -f $build/CTestTestfile.cmake ]] || { echo "no test tree in $build (run ./test first)" >&2; exit 1; }

loaders=()
stop_load() { ((${#loaders[@]})) && kill "${loaders[@]}" 2>/dev/null; true; }
trap stop_load EXIT
if ((load)); then
    for _ in $(seq "$(nproc)"); do
        (while :; do :; done) &
        loaders+=($!)
    done
fi

logs=$build/flakes
mkdir -p "$logs"
declare -A passed failed skipped
order=()
for run in $(seq "$runs"); do
    log=$logs/run-$run.log
    ctest --test-dir "$build" -j "$(nproc)" --output-on-failure -R "$pattern" >"$log" 2>&1 || true
    # "  3/12 Test  #41: wine64_settings ......   Passed   12.01 sec"
    while read -r name outcome; do
        [[ -v "passed[$name]" ]] || { order+=("$name"); passed[$name]=0 failed[$name]=0 skipped[$name]=0; }
        case $outcome in
            Passed) passed[$name]=$((passed[$name] + 1)) ;;
            *Skipped*|*Not\ Run*) skipped[$name]=$((skipped[$name] + 1)) ;;
            *) failed[$name]=$((failed[$name] + 1)) ;;
        esac
    done < <(sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) \.*[^A-Za-z*]*(\*\*\*)?([A-Za-z ]+[A-Za-z]).*/\1 \3/p' "$log")
    # A skipped test is no failure: only a run with a failure keeps its log.
    grep -qE '\*\*\*(Failed|Timeout|Exception)' "$log" || rm -f "$log"
    echo "run $run of $runs done" >&2
done

printf '| %-40s | %6s | %6s | %7s |\n' test passed failed skipped
printf '|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..42})" -------- -------- ---------
status=0
for name in "${order[@]}"; do
    printf '| %-40s | %6d | %6d | %7d |\n' "$name" "${passed[$name]}" "${failed[$name]}" "${skipped[$name]}"
    ((failed[$name] == 0)) || status=1
done
((status == 0)) || echo "some failed; their runs' logs are in $logs/" >&2
exit $status
