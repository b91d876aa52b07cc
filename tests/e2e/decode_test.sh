# Decodes as a user makes them: a scenery file through the panel (input path, options, a partial
# decode, "&Go!", the Save dialog, the Result window, its keys and Ctrl+C), then what the decoder
# received and wrote, the registry and the next start; a cancelled Save dialog; and "..."
# remembering its folder. The stand-in decoder beside vantrel.exe records what it received and,
# for the scenery file, hands the run to the real decoder (VANTREL_DECODER, by default the
# morvane.exe one folder up), whose output and XML are judged.
source "$(dirname "$0")/lib.sh"

MAPS="$E2E_WORK/maps"
RECORD="$E2E_WORK/record.txt" # the decoder writes the command line it received here
mkdir -p "$MAPS"
"$E2E_FIXTURE_WRITER" "$MAPS/area.bgl" || echo "no fixture writer at $E2E_FIXTURE_WRITER"
echo "another one" >"$MAPS/second.bgl"
IN=$(e2e_winpath "$MAPS/area.bgl")
OUT=$(e2e_winpath "$E2E_WORK/area.xml")
DECODER=${VANTREL_DECODER:-$VANTREL_BIN/../morvane.exe}
export MORVANE_RECORD MORVANE_DECODER
MORVANE_RECORD=$(e2e_winpath "$RECORD")
MORVANE_DECODER=$(e2e_winpath "$DECODER")

received() { head -n1 "$RECORD" | tr -d '\r'; }
# The lines as the clipboard should hold them: CR LF between lines, none after the last.
as_clipboard() { sed 's/$/\\r/' <<<"$1" | sed '$ s/\\r$//'; }
decoder_lines() { wine "$DECODER" "$@" 2>&1 </dev/null | tr -d '\r'; }
# copy_expect DESCRIPTION EXPECTED KEY...: Ctrl+C (among the keys) puts EXPECTED on the emptied clipboard.
copy_expect() { e2e_probe empty-clipboard && e2e_key "${@:3}" && e2e_expect "$1" "$2" e2e_probe clipboard; }
xml_records() { grep -oE '<(Waypoint|Airport|Vor|Ndb) |(waypointI|i)dent="[A-Z]+"' "$E2E_WORK/area.xml" | paste -sd' '; }

# go OUTPUT: presses "&Go!", saves as OUTPUT and waits until the decode has ended.
go() {
    e2e_key alt+g
    e2e_check "Go! opens the Save dialog" e2e_focus "Save As" 20
    [ -n "$2" ] && e2e_screenshot "$2" "Save As"
    e2e_type "$1" && e2e_key Return
    e2e_check "the Result window shows the decode to its end" e2e_until 20 e2e_decode_ended
}

e2e_begin "a scenery file decoded in a circle, with feet, miles and DD/MM/SS"
e2e_reset_settings
e2e_start_app
e2e_type "$IN"
e2e_key alt+a alt+d alt+l alt+w Tab && e2e_type 50.1 && e2e_key Tab && e2e_type 14.2 && e2e_key Tab && e2e_type 10
go "$OUT" decode_save
e2e_screenshot decode_result Result
listed=$(e2e_probe list Result)
e2e_expect "the decoder got the exact command line" \
    "morvane.exe -m -f -d -r10 -n50.10 -e14.20 \"$IN\" \"$OUT\"" received
# 10 statute miles round the airport hold the VOR but not the NDB, which lies 9.8 nautical miles off.
e2e_expect "the XML holds the waypoint, the airport and the VOR, not the NDB outside the circle" \
    '<Waypoint  waypointIdent="ABCD" <Airport  ident="LKSF" <Vor  ident="SFV"' xml_records
# The window itself holds the focus at first, where a user copies first; Tab enters the list.
e2e_focus Result
e2e_expect "the Result window itself holds the focus when the decode has ended" "Result	#32770	0" e2e_probe focus
copy_expect "Ctrl+C there copies every listed line" "$(as_clipboard "$listed")" ctrl+c
copy_expect "Ctrl+C in the list copies them too" "$(as_clipboard "$listed")" Tab ctrl+c
e2e_key Tab
e2e_expect "Tab moves the focus from the list to OK" "Result	Button	1" e2e_probe focus
e2e_key shift+Tab
e2e_expect "Shift+Tab moves it back to the list" "Result	ListBox" eval 'e2e_probe focus | cut -f1,2'
e2e_key Tab Return
e2e_check "Enter on OK dismisses the Result window" e2e_until 10 e2e_gone Result
e2e_focus Vantrel && e2e_key Escape
e2e_expect_exit "Escape ends the program with exit code 0"
e2e_expect "the Result window listed exactly what the decoder prints" \
    "$(decoder_lines -m -f -d -r10 -n50.10 -e14.20 "$IN" "$OUT")" echo "$listed"
e2e_expect "the registry holds the panel and the output folder" \
    "$IN 0x0 0x1 0x1 0x1 0x1 0x2a7a4c 0xa1907 0xa $(e2e_winpath "$E2E_WORK/")" \
    e2e_reg 3e8 3ea 3eb 3ec 3ed 3ee 3ef 3f0 3f1 3f2

e2e_begin "a cancelled Save dialog, then a decode copied from OK"
rm -f "$RECORD"
unset MORVANE_DECODER
export MORVANE_EMIT='first\r\nsecond\nthird'
e2e_start_app
e2e_expect "the next start shows the same panel" "$IN 0 1 1 1 1 50.100 14.200 10" \
    eval 'echo "$(e2e_field 1000) $(e2e_each "e2e_probe checked Vantrel" 1002 1003 1004 1005 1006) $(e2e_each e2e_field 1007 1008 1009)"'
e2e_key alt+g
e2e_focus "Save As" 20 && e2e_key Escape
e2e_check "no Result window follows Escape in the Save dialog (watched for 2 s)" e2e_holds 2 e2e_gone Result
e2e_check "no decode was started" test ! -e "$RECORD"
e2e_expect "the remembered output folder is unchanged" "$(e2e_winpath "$E2E_WORK/")" e2e_reg 3f2
e2e_focus Vantrel && e2e_key alt+p
go "$(e2e_winpath "$MAPS/lines.xml")"
e2e_focus Result && copy_expect "Ctrl+C on OK copies them, CR LF between lines" "$(printf 'first\\r\nsecond\\r\nthird')" Tab Tab ctrl+c
e2e_key space
e2e_check "the space bar on OK dismisses the Result window" e2e_until 10 e2e_gone Result
e2e_expect "the decoder got -t for \"Do not &print verbose informations\"" \
    "morvane.exe -t -m -f -d -r10 -n50.10 -e14.20 \"$IN\" \"$(e2e_winpath "$MAPS/lines.xml")\"" received
e2e_focus Vantrel && go "$(e2e_winpath "$MAPS/again.xml")"
e2e_focus Result && e2e_key Escape
e2e_check "Escape dismisses the Result window while it holds the focus itself" e2e_until 10 e2e_gone Result
unset MORVANE_EMIT

e2e_begin "the second ... opens in the folder of the first chosen file"
e2e_reset_settings
e2e_start_app
e2e_key Tab # from the input field to "..."
for name in "$IN" second.bgl; do
    e2e_key space
    e2e_focus Open 20 && e2e_type "$name" && e2e_key Return && e2e_until 10 e2e_gone Open
    e2e_focus Vantrel
done
e2e_expect "its folder was stored" "$(e2e_winpath "$MAPS/")" e2e_reg 3e9
# A bare file name finds the file only if the dialog opened in the remembered folder.
e2e_expect "a bare name picked the file in that folder" "$(e2e_winpath "$MAPS/second.bgl")" e2e_field 1000
