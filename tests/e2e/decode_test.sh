# A decode as a user makes it: type the input path, tick options, enable the partial decode and
# type its centre and radius, press "&Go!", answer the Save dialog, read the Result window,
# dismiss it and quit; then what the decoder received, what the registry holds, and the next
# start. Also: a cancelled Save dialog, and "..." remembering its folder.
source "$(dirname "$0")/lib.sh"

MAPS="$E2E_WORK/maps"
OUT="$E2E_WORK/out"
RECORD="$E2E_WORK/record.txt"
mkdir -p "$MAPS" "$OUT"
printf 'not really a scenery file\n' >"$MAPS/area.bgl"
printf 'another one\n' >"$MAPS/second.bgl"
# The contract decoder writes the command line it received to this file.
export MORVANE_RECORD
MORVANE_RECORD=$(e2e_winpath "$RECORD")

# Waits until the Result window's OK button is enabled, that is until the decoder's output ended.
wait_result_done() {
    local i
    for i in $(seq 100); do
        [ "$(e2e_probe enabled Result 1)" = 1 ] && return 0
        sleep 0.1
    done
    return 1
}

e2e_begin "decode with options and a partial decode"
e2e_reset_settings
rm -f "$RECORD"
e2e_start_app
e2e_type "$(e2e_winpath "$MAPS/area.bgl")"
e2e_key alt+p alt+a alt+l alt+w
e2e_check_eq "the partial decode enables the latitude field" 1 "$(e2e_probe enabled Vantrel 1007)"
# Tab from the check box enters the latitude field with its text selected.
e2e_key Tab
e2e_type "-45.5"
e2e_key Tab
e2e_type "7.254"
e2e_key Tab
e2e_type "25"
e2e_key Tab
e2e_check_eq "leaving the latitude field formats it" "-45.500" "$(e2e_probe text Vantrel 1007)"
e2e_key alt+g
if e2e_focus "Save As" 20; then
    e2e_pass "Go! opens the Save dialog"
    e2e_screenshot decode_save "Save As"
    e2e_type "$(e2e_winpath "$OUT/result.xml")"
    e2e_key Return
else
    e2e_fail "Go! opens the Save dialog"
fi
e2e_check "the Result window appears" eval "e2e_wait_window Result 20 >/dev/null"
e2e_check "the decoder's output ends and OK is enabled" wait_result_done
e2e_check "the Result window lists the decoder's lines" test -n "$(e2e_probe list Result)"
e2e_screenshot decode_result Result
e2e_focus Result
e2e_key Escape
e2e_check "Escape dismisses the Result window" e2e_wait_gone Result 10
e2e_focus Vantrel
e2e_key Escape
e2e_check_eq "Escape ends the program with exit code 0" 0 "$(e2e_wait_exit 10)"

in_path=$(e2e_winpath "$MAPS/area.bgl")
out_path=$(e2e_winpath "$OUT/result.xml")
e2e_check_eq "the decoder got the exact command line" \
    "morvane.exe -t -f -d -r25 -nS45.50 -e7.25 \"$in_path\" \"$out_path\"" \
    "$(head -n1 "$RECORD" 2>/dev/null | tr -d '\r')"
e2e_check_eq "the input path is stored" "$in_path" "$(e2e_reg_query 3e8)"
e2e_check_eq "the output folder is stored" "$(e2e_winpath "$OUT/")" "$(e2e_reg_query 3f2)"
e2e_check_eq "the check boxes are stored" "0x1 0x1 0x0 0x1 0x1" \
    "$(for v in 3ea 3eb 3ec 3ed 3ee; do e2e_reg_query $v; done | xargs)"
e2e_check_eq "latitude -45.500 is stored as -2528220" 0xffd96c24 "$(e2e_reg_query 3ef)"
e2e_check_eq "longitude 7.254 is stored as 338060" 0x5288c "$(e2e_reg_query 3f0)"
e2e_check_eq "the radius is stored" 0x19 "$(e2e_reg_query 3f1)"

e2e_start_app
e2e_check_eq "the next start shows the input path" "$in_path" "$(e2e_probe text Vantrel 1000)"
e2e_check_eq "and the check boxes" "1 1 0 1 1" \
    "$(for id in 1002 1003 1004 1005 1006; do e2e_probe checked Vantrel $id; done | xargs)"
e2e_check_eq "and the numbers" "-45.500 7.254 25" \
    "$(for id in 1007 1008 1009; do e2e_probe text Vantrel $id; done | xargs)"
e2e_check_eq "with the numeric fields enabled" "1 1 1" \
    "$(for id in 1007 1008 1009; do e2e_probe enabled Vantrel $id; done | xargs)"
e2e_key Escape
e2e_wait_exit 10 >/dev/null
e2e_end

e2e_begin "cancelled Save dialog"
rm -f "$RECORD"
before=$(e2e_reg_query 3f2)
e2e_start_app
e2e_key alt+g
if e2e_focus "Save As" 20; then
    e2e_key Escape
    e2e_check "the Save dialog closes" e2e_wait_gone "Save As" 10
else
    e2e_fail "Go! opens the Save dialog"
fi
sleep 1
e2e_check_eq "no Result window appears" 0 "$(e2e_probe exists Result)"
e2e_check "no decode was started" test ! -e "$RECORD"
e2e_check_eq "the remembered output folder is unchanged" "$before" "$(e2e_reg_query 3f2)"
e2e_focus Vantrel
e2e_key Escape
e2e_check_eq "the program still ends with exit code 0" 0 "$(e2e_wait_exit 10)"
e2e_end

e2e_begin "the second ... opens in the folder of the first chosen file"
e2e_reset_settings
e2e_start_app
e2e_key Tab space
if e2e_focus Open 20; then
    e2e_type "$(e2e_winpath "$MAPS/area.bgl")"
    e2e_key Return
    e2e_wait_gone Open 10
fi
e2e_check_eq "the chosen file fills the input field" "$(e2e_winpath "$MAPS/area.bgl")" "$(e2e_probe text Vantrel 1000)"
e2e_check_eq "its folder is stored" "$(e2e_winpath "$MAPS/")" "$(e2e_reg_query 3e9)"
e2e_focus Vantrel
e2e_key space
if e2e_focus Open 20; then
    # A bare file name is found only if the dialog opened in the remembered folder.
    e2e_type "second.bgl"
    e2e_key Return
    e2e_wait_gone Open 10
fi
e2e_check_eq "a bare name picks the file in that folder" "$(e2e_winpath "$MAPS/second.bgl")" \
    "$(e2e_probe text Vantrel 1000)"
e2e_focus Vantrel
e2e_key Escape
e2e_wait_exit 10 >/dev/null
e2e_end
