#!/usr/bin/env bash
# The decoder's command line on the real morvane.exe under Wine, as one table: what each
# command line gives back (exit code, standard output and error, the XML written or not).
# Needs WINEPREFIX (scripts/test sets it up), VANTREL_BIN (the folder with morvane.exe),
# VANTREL_BUILD_NAME, VANTREL_RESULTS, and the native fixture writer.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
: "${VANTREL_BIN:?VANTREL_BIN must name the folder with morvane.exe}"
: "${VANTREL_RESULTS:=/dev/stdout}"
build=${VANTREL_BUILD_NAME:-app}
work=$(mktemp -d /tmp/vantrel-cmdline.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
"${VANTREL_FIXTURE_WRITER:-$root/build/native/bgl_fixture}" in.bgl cmdline || exit 1
head -c 200 in.bgl >damaged.bgl # the header and the section pointers, the records cut off

# run ARGS...: morvane.exe in the work folder; sets code, out, err; out.xml removed first.
run() {
    rm -f out.xml
    wine "$VANTREL_BIN/morvane.exe" "$@" </dev/null >stdout.txt 2>stderr.txt
    code=$?
    out=$(tr -d '\r' <stdout.txt)
    err=$(tr -d '\r' <stderr.txt)
}

result() { echo "$1 $build cmdline: $2" | tee -a "$VANTREL_RESULTS"; }

# Checks on the last run.
has_out() { grep -qF -- "$1" <<<"$out"; }
has_err() { grep -qF -- "$1" <<<"$err"; }
has_xml() { [ -f out.xml ] && grep -qF -- "$1" out.xml; }
no_xml() { [ ! -e out.xml ]; }
usage_out() { has_out "usage: morvane" && has_out "nautical miles" && has_out "exit codes" && [ -z "$err" ]; }
usage_err() { has_err "usage: morvane" && [ -z "$out" ]; }
quiet_lines() { [ "$out" = "$(grep '^written:' <<<"$out")" ] && [ "$(wc -l <<<"$out")" = 1 ] && [ -z "$err" ]; }
summary() { [ "$(tail -n1 <<<"$out")" = "$1" ]; }
# The waypoints round S33.50 W70.50 and the airport there are kept; their mirror images are not.
south_west() {
    for ident in SW1 SW2 SW3; do has_xml "waypointIdent=\"$ident\"" || return 1; done
    for ident in NE NW SE ZERO; do has_xml "waypointIdent=\"$ident\"" && return 1; done
    has_xml 'ident="SCEL"' && has_out "; 4 outside the radius"
}
whole_sections() { [ "$(grep -c '<Waypoint ' out.xml)" = 7 ] && has_out "written: 7 Waypoint"; }
well_formed() {
    python3 -c 'import sys, xml.etree.ElementTree as E
r = E.parse("out.xml").getroot()
names = [e.get("name") for e in r.iter() if e.get("name")]
sys.exit(names != ["A&B <C> \"D\"", "Tower & <Ground> \"1\"", "ATIS"])'
}
damage_named() { has_err "offset 0x" && has_err "nothing written to out.xml" && no_xml; }
dms_feet() { has_xml 'lat="S33' && has_xml 'alt="1640.42F"'; }

# name | expected exit code | check | arguments
rows=(
    "no arguments|1|usage_err|"
    "-h|0|usage_out|-h"
    "--help|0|usage_out|--help"
    "/?|0|usage_out|/?"
    "help among other options|0|usage_out|-t -h in.bgl out.xml"
    "an unknown option|1|has_err unknown option '-x'|-x in.bgl out.xml"
    "an option twice|1|has_err option -t given twice|-t -t in.bgl out.xml"
    "a radius without its centre|1|has_err needs all of|-r5 in.bgl out.xml"
    "a latitude past 90|1|has_err bad value in '-n95.00'|-r5 -n95.00 -e10.00 in.bgl out.xml"
    "a radius that is no number|1|has_err bad value in '-rfive'|-rfive -n5.00 -e10.00 in.bgl out.xml"
    "one path only|1|has_err expected an input file and an output file|-t in.bgl"
    "an input that cannot be read|2|has_err cannot read missing.bgl|missing.bgl out.xml"
    "an output that cannot be written|3|has_err cannot write nofolder\\out.xml|in.bgl nofolder\\out.xml"
    "a damaged file|4|damage_named|damaged.bgl out.xml"
    "-t: only errors and the summary|0|quiet_lines|-t in.bgl out.xml"
    "a southern and western centre|0|south_west|-t -r10 -nS33.50 -eW70.50 in.bgl out.xml"
    "the same in any order|0|south_west|-eW70.50 -t -nS33.50 -r10 in.bgl out.xml"
    "the front end's order, every option|0|dms_feet|-t -m -f -d -r10 -nS33.50 -eW70.50 in.bgl out.xml"
    "a section of several subsections|0|whole_sections|in.bgl out.xml"
    "names XML escapes|0|well_formed|in.bgl out.xml"
    "the summary's figures|0|summary written: 7 Waypoint, 2 Com, 1 Airport; skipped: 2 records, 1 sections; 0 outside the radius|in.bgl out.xml"
)

for row in "${rows[@]}"; do
    IFS='|' read -r name expected check arguments <<<"$row"
    read -r -a args <<<"$arguments"
    run "${args[@]}"
    read -r check_fn check_arg <<<"$check"
    if [ "$code" = "$expected" ] && $check_fn ${check_arg:+"$check_arg"}; then
        result PASS "$name"
    else
        result FAIL "$name (exit code $code, expected $expected; stdout [$out]; stderr [$err])"
    fi
done
