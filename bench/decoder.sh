#!/usr/bin/env bash
# What decoding a 50 MB BGL file costs: a fixture of about 1.9 million waypoints written by
# bgl_fixture, decoded (1) by the decoder's core built natively with -O2, timing the decode
# alone from the file in memory to the XML on disk, and (2) by morvane.exe under Wine, the
# whole run less that of a run on the small sample, so starting the program drops out.
# Medians of RUNS runs (default 3). BUILD picks the Windows build (default win32, the program
# users get, where this machine can run it; else win64); WINE the loader (default wine).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine-env.sh
wine_pick_loader
runs=${RUNS:-3}
build=${BUILD:-$(wine_app_build)}
wine=${WINE:-wine}
out=${VANTREL_BUILD_DIR:-build}
work=$(mktemp -d /tmp/vantrel-decoder-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

scripts/build native >/dev/null && scripts/build --app "$build" >/dev/null || exit 1
"$out/native/bgl_fixture" "$work/big.bgl" 1900000 || exit 1
"$out/native/bgl_fixture" "$work/small.bgl" || exit 1

cat >"$work/time_decode.cpp" <<'EOF'
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <vector>
#include "decoder.h"
static void Write(void *file, const char *bytes, size_t count) { fwrite(bytes, 1, count, (FILE *)file); }
int main(int, char **argv)
{
    FILE *in = fopen(argv[1], "rb");
    std::vector<unsigned char> bytes;
    for (int c; (c = getc(in)) != EOF;)
        bytes.push_back((unsigned char)c);
    fclose(in);
    FILE *xml = fopen(argv[2], "wb");
    DecodeOutput output = {xml, Write, NULL};
    DecodeResult result;
    timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    bool ok = DecodeBgl(bytes.data(), bytes.size(), DecodeOptions(), output, &result);
    fclose(xml);
    clock_gettime(CLOCK_MONOTONIC, &end);
    printf("%.3f %s\n", (double)(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9,
           ok ? DecodeSummary(result).c_str() : result.error.c_str());
    return ok ? 0 : 1;
}
EOF
clang++ -O2 -std=c++17 -Isrc/decoder "$work/time_decode.cpp" $(ls src/decoder/*.cpp | grep -v /main.cpp) -o "$work/time_decode" || exit 1

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
mb=$(awk -v b="$(stat -c %s "$work/big.bgl")" 'BEGIN { printf "%.1f", b / 1048576 }')
native=$(for _ in $(seq "$runs"); do "$work/time_decode" "$work/big.bgl" "$work/big.xml" | cut -d' ' -f1; done | median)
echo "decoder: $mb MB decoded natively (-O2) in $native s, $(stat -c %s "$work/big.xml") bytes of XML"
"$work/time_decode" "$work/big.bgl" "$work/big.xml" | cut -d' ' -f2- | sed 's/^/decoder: /'

trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start || exit 1
exe=$(cd "$out/$build/bin" && pwd)/morvane.exe
cd "$work"
# wall SECONDS of one morvane.exe run on FILE, quiet.
wall() {
    local start
    start=$(date +%s.%N)
    "$wine" "$exe" -t "$1" out.xml </dev/null >/dev/null 2>&1 || { echo "decoder: morvane.exe failed on $1" >&2; return 1; }
    awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.3f\n", e - s }'
}
wall small.bgl >/dev/null || exit 1 # warm-up
small=$(for _ in $(seq "$runs"); do wall small.bgl; done | median)
big=$(for _ in $(seq "$runs"); do wall big.bgl; done | median)
awk -v s="$small" -v b="$big" -v m="$mb" -v n="$build" 'BEGIN {
    printf "decoder: morvane.exe (%s, Wine) %.3f s for %s MB less %.3f s for the sample: %.3f s of work\n", n, b, m, s, b - s }'
