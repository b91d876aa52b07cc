#!/usr/bin/env bash
# Start-up time: from process start to the main dialog shown, against the same figure for a
# minimal dialog program built the same way (the floor), for the 32-bit build (the program
# users get; where this machine can run it) and the 64-bit build. Medians of RUNS starts
# (default 9), under Wine in a private Xvfb with a warm persistent wineserver.
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-9}
scripts/setup && scripts/build win32 win64 >/dev/null || exit 1
source scripts/lib/wine-env.sh
trap wine_env_stop EXIT
wine_env_start || exit 1
for build in win32 win64; do
    if ! wine_runs $build; then
        echo "$build: not run (32-bit programs cannot run on this machine)"
        continue
    fi
    (
        cd "build/$build/bin"
        # One warm-up start each, so neither pays for loading Wine's libraries from disk.
        wine ./startup_timer.exe vantrel.exe Vantrel 1 >/dev/null 2>&1
        wine ./startup_timer.exe minimal_dialog.exe Floor 1 >/dev/null 2>&1
        # The two programs take turns, so a change in the machine's load falls on both alike.
        times=$(for i in $(seq "$runs"); do
            echo "program $(wine ./startup_timer.exe vantrel.exe Vantrel 1 | tr -d '\r')"
            echo "floor $(wine ./startup_timer.exe minimal_dialog.exe Floor 1 | tr -d '\r')"
        done)
        median() { awk -v n="$1" '$1 == n { print $2 }' <<<"$times" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
        program=$(median program)
        floor=$(median floor)
        echo "$build: start to main dialog shown (median of $runs):"
        echo "  vantrel.exe         ${program} ms"
        echo "  minimal dialog      ${floor} ms (floor)"
        awk -v p="$program" -v f="$floor" 'BEGIN { if (f > 0) printf "  ratio               %.2f\n", p / f }'
    )
done
