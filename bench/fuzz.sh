#!/usr/bin/env bash
# Deep fuzzing: every fuzzer of the native build for SECONDS each (default 60), one after the
# other, each on a copy of its seed corpus in a temporary folder so the repository stays clean.
# Prints the executions and executions per second of each; a fault found is reported with the
# fuzzer's own log lines (the input that shows it is kept in the build folder), never as a
# failure of this script.
#   bench/fuzz.sh [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=${VANTREL_BUILD_DIR:-build}
scripts/build native >/dev/null || exit 1
source scripts/lib/fuzzers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$out/native/fuzz-artifacts"
mkdir -p "$artifacts"

printf '%-20s %12s %10s  %s\n' fuzzer executions "per s" result
while read -r fuzzer; do
    name=$(basename "$fuzzer")
    fuzz_seeds "$fuzzer" "$work/$name"
    start=$(date +%s.%N)
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/$name" \
        </dev/null >"$work/$name.log" 2>&1
    status=$?
    end=$(date +%s.%N)
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/$name.log" | grep -o '[0-9]*$')
    result=ok
    [ $status -eq 0 ] || result="fault (exit $status)"
    awk -v n="$name" -v r="${runs:-0}" -v s="$start" -v e="$end" -v res="$result" \
        'BEGIN { printf "%-20s %12d %10.0f  %s\n", n, r, r / (e - s), res }'
    [ $status -eq 0 ] || grep -E 'ERROR|SUMMARY|Test unit written' "$work/$name.log" | head -n 5
done < <(fuzzers_in "$out/native")
exit 0
