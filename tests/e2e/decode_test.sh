# A decode as a user makes it: input path, options, partial decode, "&Go!", the Save dialog, the
# Result window, quit; then what the decoder received, the registry and the next start. Also a
# cancelled Save dialog, and "..." remembering its folder.
source "$(dirname "$0")/lib.sh"

MAPS="$E2E_WORK/maps"
OUT="$E2E_WORK/out"
RECORD="$E2E_WORK/record.txt" # the contract decoder writes the command line it received here
mkdir -p "$MAPS" "$OUT"
echo "not really a scenery file" >"$MAPS/area.bgl"
echo "another one" >"$MAPS/second.bgl"
IN_PATH=$(e2e_winpath "$MAPS/area.bgl")
OUT_PATH=$(e2e_winpath "$OUT/result.xml")
export MORVANE_RECORD
MORVANE_RECORD=$(e2e_winpath "$RECORD")

# The Result window's OK button is enabled once the decoder's output has ended.
wait_result_done() {
    for _ in $(seq 100); do [ "$(e2e_probe enabled Result 1)" = 1 ] && return 0; sleep 0.1; done
    return 1
}
# Runs `$1 ARG` for each further argument; prints the results on one line.
each() { for arg in "${@:2}"; do $1 "$arg"; done | paste -sd' '; }
checked() { e2e_probe checked Vantrel "$1"; }
text() { e2e_probe text Vantrel "$1"; }
enabled() { e2e_probe enabled Vantrel "$1"; }
quit() { e2e_focus Vantrel && e2e_key Escape; }

e2e_begin "decode with options and a partial decode"
e2e_reset_settings
e2e_start_app
e2e_type "$IN_PATH"
e2e_key alt+p alt+a alt+l alt+w
# Tab from the check box enters each numeric field with its text selected.
e2e_key Tab && e2e_type "-45.5" && e2e_key Tab && e2e_type "7.254" && e2e_key Tab && e2e_type "25" && e2e_key Tab
e2e_key alt+g
e2e_check "Go! opens the Save dialog" e2e_focus "Save As" 20
e2e_screenshot decode_save "Save As"
e2e_type "$OUT_PATH"
e2e_key Return
e2e_check "the Result window lists the decoder's lines" wait_result_done
e2e_check "its list is not empty" test -n "$(e2e_probe list Result)"
e2e_screenshot decode_result Result
e2e_focus Result && e2e_key Escape
e2e_check "Escape dismisses the Result window" e2e_wait_gone Result 10
quit
e2e_check_eq "Escape ends the program with exit code 0" 0 "$(e2e_wait_exit 10)"
e2e_check_eq "the decoder got the exact command line" \
    "morvane.exe -t -f -d -r25 -nS45.50 -e7.25 \"$IN_PATH\" \"$OUT_PATH\"" "$(head -n1 "$RECORD" | tr -d '\r')"
e2e_check_eq "the registry holds the panel and the output folder" \
    "$IN_PATH 0x1 0x1 0x0 0x1 0x1 0xffd96c24 0x5288c 0x19 $(e2e_winpath "$OUT/")" \
    "$(each e2e_reg_query 3e8 3ea 3eb 3ec 3ed 3ee 3ef 3f0 3f1 3f2)"
e2e_start_app
e2e_check_eq "the next start shows the same panel" "$IN_PATH 1 1 0 1 1 -45.500 7.254 25 1 1 1" \
    "$(text 1000) $(each checked 1002 1003 1004 1005 1006) $(each text 1007 1008 1009) $(each enabled 1007 1008 1009)"
quit && e2e_wait_exit 10 >/dev/null
e2e_end

e2e_begin "cancelled Save dialog"
rm -f "$RECORD"
before=$(e2e_reg_query 3f2)
e2e_start_app
e2e_key alt+g
e2e_check "Go! opens the Save dialog" e2e_focus "Save As" 20
e2e_key Escape
e2e_check "Escape closes it" e2e_wait_gone "Save As" 10
sleep 1 # time for a Result window that should not come
e2e_check_eq "no Result window appears" 0 "$(e2e_probe exists Result)"
e2e_check "no decode was started" test ! -e "$RECORD"
e2e_check_eq "the remembered output folder is unchanged" "$before" "$(e2e_reg_query 3f2)"
quit
e2e_check_eq "the program still ends with exit code 0" 0 "$(e2e_wait_exit 10)"
e2e_end

e2e_begin "the second ... opens in the folder of the first chosen file"
e2e_reset_settings
e2e_start_app
e2e_key Tab # from the input field to "..."
for name in "$IN_PATH" second.bgl; do
    e2e_key space
    e2e_focus Open 20 && e2e_type "$name" && e2e_key Return && e2e_wait_gone Open 10
    e2e_focus Vantrel
done
e2e_check_eq "its folder was stored" "$(e2e_winpath "$MAPS/")" "$(e2e_reg_query 3e9)"
# A bare file name finds the file only if the dialog opened in the remembered folder.
e2e_check_eq "a bare name picked the file in that folder" "$(e2e_winpath "$MAPS/second.bgl")" "$(text 1000)"
quit && e2e_wait_exit 10 >/dev/null
e2e_end
