#!/usr/bin/env bash
# Decoder lines through the Result window: lines per second for 10,000 and 100,000 lines
# against the same bytes drained from the same kind of pipe by a tight read loop (the limit),
# and their ratio (target: at least 0.5); a one-byte-per-read drain for comparison; the
# processor time used while the window waits 10 s for the user (target: near zero); the peak
# memory of the 100,000-line run. Medians of RUNS runs (default 3), under Wine in a private
# Xvfb with a warm persistent wineserver. Every figure includes starting morvane.exe.
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-3}
out=${VANTREL_BUILD_DIR:-build}
scripts/build win64 >/dev/null || exit 1
source scripts/lib/wine-env.sh
trap wine_env_stop EXIT
wine_env_start || exit 1
cd "$out/win64/bin"

# figure MODE N NAME: the median over the runs of one "NAME value" line of result_bench.
figure() {
    local i
    for i in $(seq "$runs"); do
        wine ./result_bench.exe "$1" "$2" | tr -d '\r' | awk -v n="$3" '$1 == n { print $2 }'
    done | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

wine ./result_bench.exe tight 1000 >/dev/null 2>&1 # warm-up
for lines in 10000 100000; do
    tight=$(figure tight "$lines" lines_per_second)
    window=$(figure window "$lines" lines_per_second)
    echo "$lines lines of 36 bytes (median of $runs):"
    echo "  tight read of the pipe     $tight lines/s (limit)"
    echo "  through the Result window  $window lines/s"
    awk -v w="$window" -v t="$tight" 'BEGIN { if (t > 0) printf "  ratio                      %.2f (target >= 0.5)\n", w / t }'
done
bytewise=$(figure bytewise 2000 lines_per_second)
echo "one byte per read (2000 lines): $bytewise lines/s"

peak=$(wine ./result_bench.exe window 100000 | tr -d '\r')
echo "100000-line run: peak working set $(awk '$1 == "peak_working_set_kib" { print $2 }' <<<"$peak") KiB," \
     "peak private bytes $(awk '$1 == "peak_private_kib" { print $2 }' <<<"$peak") KiB"

cpu=$(wine ./result_bench.exe wait 10 | tr -d '\r' | awk '$1 == "cpu_seconds" { print $2 }')
echo "processor time while the Result window waits 10 s: $cpu s (target: near zero)"
