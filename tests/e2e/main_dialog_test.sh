# The real vantrel.exe as a user first meets it: the main dialog, the keys that end it (and
# Enter, which does not), and the partial-decode fields taking typed and stepped numbers.
source "$(dirname "$0")/lib.sh"

enabled() { e2e_probe enabled Vantrel "$1"; }
partial_fields() { echo "$(e2e_each enabled 1007 1008 1009) $(e2e_each e2e_field 1007 1008 1009)"; }

e2e_begin "start-up, Enter and Escape"
e2e_reset_settings
e2e_check "the main dialog appears" e2e_start_app
e2e_expect "its caption is the product name" Vantrel e2e_probe text Vantrel
e2e_expect "the focus is in the input field" "Vantrel	Edit	1000" e2e_probe focus
e2e_screenshot main Vantrel
e2e_key Return
e2e_check "Enter in the input field does not end the program (watched for 2 s)" e2e_holds 2 e2e_running
e2e_key Escape
e2e_expect_exit "Escape ends it with exit code 0"

e2e_begin "partial decode fields, typed and stepped, saved by a click on Cancel"
e2e_start_app
e2e_expect "the three fields start disabled, showing zeros" "0 0 0 0.000 0.000 0" partial_fields
e2e_key alt+w
e2e_expect "\"Allo&w partial decode\" enables exactly them" "1 1 1" e2e_each enabled 1007 1008 1009
# Keys, then text typed, then the field and the text it must show, read while the field still
# has the focus. Tab from the check box enters the latitude with its text selected, so typing
# replaces it. Backspace and the clipboard's Ctrl+C, Ctrl+V and Ctrl+X reach the fields as the
# control characters they type.
while IFS='|' read -r keys typed field shown description; do
    [ -z "$keys" ] || e2e_key $keys
    [ -z "$typed" ] || e2e_type "$typed"
    e2e_expect "$description" "$shown" e2e_field "$field"
done <<'END'
Tab|-3x00|1007|-300|a letter cannot be typed into the latitude
shift+Up||1007|-90.000|Shift+Up adds its step before clamping: from below the range it ends at the bound
Home shift+End|-3001|1007|-3001|typing replaces the selected text
BackSpace||1007|-300|Backspace takes back the digit typed last
Up||1007|-89.900|Up clamps to the range, then steps by 0.1
shift+Up||1007|-88.900|Shift+Up steps by 1
Tab|1e1|1008|1e1|an exponent can be typed into the longitude
BackSpace|1|1008|1e1|Backspace takes back a digit typed into the longitude
Tab|17.8|1008|10.000|leaving the longitude rewrites it as a formatted number
||1009|178|a decimal point cannot be typed into the radius
shift+Up||1009|180|Shift+Up stops at the radius's upper bound, shown so at once
ctrl+Down Down||1009|174|Ctrl+Down steps by 5, Down by 1
End BackSpace|6|1009|176|Backspace takes back a digit of the radius
End shift+Left ctrl+x||1009|17|Ctrl+X cuts the selected last digit
Home ctrl+v||1009|617|Ctrl+V pastes the cut digit in front
Home shift+End ctrl+c End ctrl+v||1009|617617|Ctrl+C copies the selected text, pasted again at the end
END
e2e_key shift+Tab shift+Tab && e2e_type "95"
# The click moves the focus out of the latitude first, which clamps it, then ends the program.
e2e_click Vantrel 2
e2e_expect_exit "a click on Cancel ends the program with exit code 0"
e2e_expect "the values were saved, the latitude and the radius clamped as on leaving the field" \
    "0x1 0x4c4eab 0x71c71 0xb4" e2e_reg 3ee 3ef 3f0 3f1
