#!/usr/bin/env bash
# What each decoder line costs, in microseconds: the time for 100,000 lines less the time for
# 10,000, over the 90,000 lines between, so starting the decoder and making the windows drop
# out. For three ways of taking the same 36-byte lines from the same kind of pipe: a tight read
# (the pipe's own share), adding them to a hidden list box with redrawing off (the least that
# listing them costs) and the Result window (target: within 1.25 times the list box). Also a
# one-byte-per-read drain for comparison, the processor time used while the window waits 10 s
# for the user (target: near zero) and the peak memory of the 100,000-line run. Medians of RUNS
# runs (default 7), under Wine in a private Xvfb with a warm persistent wineserver; BUILD picks
# the build (default win32, the program users get, where this machine can run it; else win64).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine-env.sh
wine_pick_loader
runs=${RUNS:-7}
build=${BUILD:-$(wine_app_build)}
out=${VANTREL_BUILD_DIR:-build}
scripts/build --app "$build" >/dev/null && cmake --build "$out/$build" --target result_bench >/dev/null || exit 1
trap wine_env_stop EXIT
wine_env_start || exit 1
# Beside the stand-in decoder, whose MORVANE_LINES switch makes the lines.
cd "$out/$build/bin/tests"

# figure MODE N NAME: the median over the runs of one "NAME value" line of result_bench.
figure() {
    local i
    for i in $(seq "$runs"); do
        wine ./result_bench.exe "$1" "$2" | tr -d '\r' | awk -v n="$3" '$1 == n { print $2 }'
    done | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

wine ./result_bench.exe tight 1000 >/dev/null 2>&1 # warm-up
# The three ways and the two sizes take turns in every round, so a change in the machine's
# load falls on all of them alike; each figure is the median of its rounds.
timings=$(for round in $(seq "$runs"); do
    for mode in tight listbox window; do
        for lines in 10000 100000; do
            wine ./result_bench.exe "$mode" "$lines" | tr -d '\r' | awk -v m="$mode" -v n="$lines" '$1 == "seconds" { print m, n, $2 }'
        done
    done
done)
# per_line MODE: microseconds a line between 10,000 and 100,000 lines.
per_line() {
    awk -v m="$1" '$1 == m { t[$2, ++c[$2]] = $3 }
        function median(n,   i, j, v, k) { k = c[n]; for (i = 1; i <= k; ++i) v[i] = t[n, i]
            for (i = 1; i <= k; ++i) for (j = i + 1; j <= k; ++j) if (v[j] < v[i]) { x = v[i]; v[i] = v[j]; v[j] = x }
            return v[int((k + 1) / 2)] }
        END { printf "%.2f", (median(100000) - median(10000)) * 1e6 / 90000 }' <<<"$timings"
}
tight=$(per_line tight)
listbox=$(per_line listbox)
window=$(per_line window)
echo "$build: microseconds per line at 100,000 lines of 36 bytes (median of $runs, start-up excluded):"
echo "  tight read of the pipe          $tight"
echo "  hidden list box, redrawing off  $listbox (floor)"
echo "  the Result window               $window"
awk -v w="$window" -v f="$listbox" 'BEGIN { if (f > 0) printf "  window / floor                  %.2f (target <= 1.25)\n", w / f }'
bytewise=$(figure bytewise 2000 lines_per_second)
echo "one byte per read (2000 lines): $bytewise lines/s"

peak=$(wine ./result_bench.exe window 100000 | tr -d '\r')
echo "100000-line run: peak working set $(awk '$1 == "peak_working_set_kib" { print $2 }' <<<"$peak") KiB," \
     "peak private bytes $(awk '$1 == "peak_private_kib" { print $2 }' <<<"$peak") KiB"

cpu=$(wine ./result_bench.exe wait 10 | tr -d '\r' | awk '$1 == "cpu_seconds" { print $2 }')
echo "processor time while the Result window waits 10 s: $cpu s (target: near zero)"
