#!/usr/bin/env bash
# Mutation check: puts one small fault at a time into the source (a line of
# mutants.txt), rebuilds the release build with tests, and runs the tests of
# the mutated library, fastest first, until one fails.
#   tests/mutation/mutate.sh [PATTERN]          every mutant whose line contains PATTERN
#   tests/mutation/mutate.sh --recheck RESULTS  the mutants RESULTS lists as killed; names any that survive
# Writes build/measure/mutation-results.tsv (mutation-recheck.tsv for a recheck)
# and keeps the output of each killing test in build/measure/mutation-logs/.
set -uo pipefail
shopt -s nullglob
cd "$(dirname "$0")/../.." || exit 1

MUTANTS=tests/mutation/mutants.txt
BUILD=build/measure
LOGS=$BUILD/mutation-logs
# Few events at a fixed seed: the same run every time, in seconds.
export RAYLORE_FUZZ_SEED=1 RAYLORE_FUZZ_EVENTS=1000 RAYLORE_FUZZ_INPUTS=2000
# One screen class; settings in a home of their own, apart from test runs beside this one.
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/support/screen-800x600.json"
export HOME=$PWD/$BUILD/mutation-home

pattern="" recheck="" results=$BUILD/mutation-results.tsv
if [ "${1:-}" = --recheck ]; then
    recheck=${2:?usage: $0 --recheck RESULTS}
    results=$BUILD/mutation-recheck.tsv
else
    pattern=${1:-}
fi

# The test programs, by the folder of the mutated file.
tests_for() {
    local t=$BUILD/tests
    case "$1" in
        mirror/*) echo $t/mirror/*_test ;;
        lens/*) echo $t/lens/*_test ;;
        kit/*) echo $t/kit/*_test ;;
        disk/*) echo $t/disk/*_test ;;
        files/*) echo $t/files/*_test $t/*/*_file_test ;;
        forms/*) echo $t/forms/*_test $t/mirror/mirror_window_test $t/lens/lens_window_test \
                      $t/kit/kit_window_test $t/disk/disk_window_test ;;
        common/*) echo "${model_tests[@]}" ;;
    esac
}

# Replaces the one occurrence of $2 in file $1 by $3; fails when there is none or several.
replace_once() {
    local LC_ALL=C text rest
    [ -n "$2" ] && text=$(cat "$1" && printf x) || return 1
    text=${text%x}
    rest=${text//"$2"/}
    [ $(((${#text} - ${#rest}) / ${#2})) -eq 1 ] || return 1
    printf '%s' "${text/"$2"/"$3"}" >"$1"
}

# Runs one test program, in its folder as CTest does, with a time limit.
run_test() {
    local seconds=$1 test=$2 log=$3
    (cd "$(dirname "$test")" && exec timeout --foreground -k 10 "$seconds" "./$(basename "$test")") </dev/null >"$log" 2>&1
}

mutated="" backup=$(mktemp)
restore() {
    # A fresh time stamp, so that the next build compiles the original again.
    [ -n "$mutated" ] && ! cmp -s "$backup" "$mutated" && cat "$backup" >"$mutated"
    mutated=""
}
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM

mkdir -p "$LOGS" "$HOME"
cmake --preset measure >/dev/null && cmake --build --preset measure >"$LOGS/build.log" 2>&1 \
    || { echo "the unmutated build fails: $LOGS/build.log" >&2; exit 1; }
model_tests=()
for name in $(ctest --test-dir "$BUILD" -N | sed -n 's/^ *Test *#[0-9]*: \([a-z_]*_test\)$/\1/p'); do
    model_tests+=("$BUILD"/tests/*/"$name")
done

# The mutants to run: those matching the pattern, or the killed ones of an earlier run.
selected=$(grep -v -e '^#' -e '^$' "$MUTANTS" | grep -F -- "$pattern")
if [ -n "$recheck" ]; then
    selected=$(awk -F'\t' 'NR == FNR { if ($2 == "killed") want[$1]; next } $1 in want' "$recheck" - <<<"$selected")
fi
[ -n "$selected" ] || { echo "no mutants selected" >&2; exit 1; }

# Each needed test once, unmutated: it must pass, and its time orders the runs and sets the limit.
declare -A took
needed=$(while IFS=$'\t' read -r _ path _; do tests_for "$path"; done <<<"$selected" | tr ' ' '\n' | sort -u)
for test in $needed; do
    start=$(date +%s%N)
    run_test 900 "$test" "$LOGS/baseline.log" || { echo "unmutated, $test fails: $LOGS/baseline.log" >&2; exit 1; }
    took[$test]=$((($(date +%s%N) - start) / 1000000))
done
by_time=$(for test in $needed; do echo "${took[$test]} $test"; done | sort -n | cut -d' ' -f2)

started=$SECONDS
printf 'id\tstatus\ttest\tdescription\n' >"$results"
while IFS=$'\t' read -r -u 3 id path original replacement description; do
    tests=" $(tests_for "$path") " killer=""
    cp "$path" "$backup" 2>/dev/null && mutated=$path
    if [ -z "$description" ] || [ -z "${tests// /}" ] || ! replace_once "$path" "$original" "$replacement"; then
        status=stale
    elif ! cmake --build --preset measure --target $(for t in $tests; do basename "$t"; done) \
        </dev/null >"$LOGS/$id.log" 2>&1; then
        status=no-compile
    else
        status=survived
        for test in $by_time; do
            [[ $tests == *" $test "* ]] || continue
            run_test $((took[$test] * 10 / 1000 + 30)) "$test" "$LOGS/$id.log" && continue
            [ $? -eq 124 ] && killer=" (time-out)"
            status=killed killer=$(basename "$test")$killer
            break
        done
    fi
    restore
    [ "$status" = killed ] || [ "$status" = no-compile ] || rm -f "$LOGS/$id.log"
    printf '%s\t%s\t%s\t%s\n' "$id" "$status" "$killer" "$description" | tee -a "$results"
done 3<<<"$selected"

echo "== $(($(wc -l <"$results") - 1)) mutants in $(((SECONDS - started) / 60)) min, results in $results"
tail -n +2 "$results" | cut -f2 | sort | uniq -c
if [ -n "$recheck" ]; then
    lost=$(awk -F'\t' 'NR > 1 && $2 != "killed" && $2 != "no-compile"' "$results")
    [ -z "$lost" ] || { echo "killed before, not now:"; echo "$lost"; exit 1; }
fi
