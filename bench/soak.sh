#!/usr/bin/env bash
# Many decodes in one running Vantrel: DECODES decodes (default 200) of 300 lines each over the
# real main dialog, each Result window dismissed with OK, and what the process holds after
# decode 1, DECODES/2 and DECODES: kernel handles, GDI objects, windows of the thread (its USER
# objects), heap bytes in use and committed private bytes. Target: the last two rows equal, but
# for a little heap noise. Both builds (i686 and x86_64), under Wine in a private Xvfb.
# MODES picks the ways in (default both): "run", RunDecoder itself; "go", "&Go!" with the Save
# dialog answered. Wine's Save dialog, called alone the same way, keeps one registry key (its
# ComDlg32 LastVisitedMRU) open and about 100 heap bytes per use: "go" gains those each decode.
set -uo pipefail
cd "$(dirname "$0")/.."
decodes=${DECODES:-200}
modes=${MODES:-run go}
out=${VANTREL_BUILD_DIR:-build}
scripts/build --app win32 win64 >/dev/null || exit 1
for build in win32 win64; do
    cmake --build "$out/$build" --target soak_bench >/dev/null || exit 1
done
source scripts/lib/wine-env.sh
trap wine_env_stop EXIT
wine_env_start || exit 1

# The figures of one build as a table, and whether the last two rows agree.
table() {
    awk '
        function row(d, h, g, w, hp, p, r) { printf "  %-12s %8s %8s %8s %12s %14s   %s\n", d, h, g, w, hp, p, r }
        NR == 1 { row("after", "handles", "gdi", "windows", "heap_bytes", "private_bytes", "reported gdi/user/private") }
        { for (i = 1; i < NF; i += 2) v[NR, $i] = $(i + 1)
          row("decode " v[NR, "decode"], v[NR, "handles"], v[NR, "gdi_objects"], v[NR, "windows"], v[NR, "heap_bytes"],
              v[NR, "private_bytes"], v[NR, "gdi_reported"] "/" v[NR, "user_reported"] "/" v[NR, "private_reported"]) }
        END {
            if (NR < 3) { print "  no figures"; exit 1 }
            same = v[2, "handles"] == v[3, "handles"] && v[2, "gdi_objects"] == v[3, "gdi_objects"] &&
                   v[2, "windows"] == v[3, "windows"]
            printf "  handles, GDI objects and windows after decode %s as after decode %s: %s\n",
                   v[3, "decode"], v[2, "decode"], same ? "equal" : "DIFFERENT"
            printf "  from decode %s to %s: heap bytes %+d, private bytes %+d\n", v[2, "decode"], v[3, "decode"],
                   v[3, "heap_bytes"] - v[2, "heap_bytes"], v[3, "private_bytes"] - v[2, "private_bytes"]
        }'
}

for mode in $modes; do
    for build in win32 win64; do
        echo "$build: $decodes decodes ($mode)"
        figures=$(cd "$out/$build/bin/tests" && wine ./soak_bench.exe "$mode" "$decodes" 2>&1 | tr -d '\r')
        if grep -q '^decode ' <<<"$figures"; then
            grep '^decode ' <<<"$figures" | table
        else
            echo "  soak_bench did not run: $(grep -v '^wine: ' <<<"$figures" | head -n1)"
        fi
    done
done
echo "(reported: what GetGuiResources and PrivateUsage give; Wine gives 0 for all three)"
