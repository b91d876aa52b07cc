# The two accessory dialogs of the real vantrel.exe, opened by their buttons, by their
# mnemonics and (the About box) from the system menu, each closed again by the keyboard or the
# mouse; afterwards the main dialog takes input again and ends normally.
source "$(dirname "$0")/lib.sh"

GENERATOR="Object ID Generator"

is_guid_pair() { [[ $1 =~ ^[0-9A-F]{8}(\ [0-9A-F]{8}){3}$ && $2 =~ ^[0-9A-F]{32}$ && ${1// /} == "$2" ]]; }
opens() { e2e_wait_window "$1" 10 >/dev/null; }
main_enabled() { [ "$(e2e_probe enabled Vantrel)" = "$1" ]; }

# scenario NAME TITLE OPEN CHECKS CLOSE: starts the program, opens the dialog TITLE with the
# command OPEN, runs the function CHECKS on it, closes it with the command CLOSE, and checks
# that the main dialog is usable again: enabled, taking the keyboard, ending with exit code 0.
scenario() {
    local name=$1 title=$2 open=$3 checks=$4 close=$5
    e2e_begin "$name"
    e2e_start_app
    eval "$open"
    e2e_check "it opens" opens "$title"
    e2e_check "the main dialog is disabled meanwhile" main_enabled 0
    e2e_focus "$title"
    $checks
    eval "$close"
    e2e_check "it closes" e2e_wait_gone "$title" 10
    e2e_check "the main dialog is enabled again" main_enabled 1
    e2e_focus Vantrel
    e2e_key Escape
    e2e_check_eq "the main dialog then ends with exit code 0" 0 "$(e2e_wait_exit 10)"
    e2e_end
}

generator_by_button() {
    e2e_check_eq "it opens with both fields empty" "|" "$(e2e_probe text "$GENERATOR" 2009)|$(e2e_probe text "$GENERATOR" 2010)"
    e2e_click "$GENERATOR" 2011
    local spaced plain second
    spaced=$(e2e_probe text "$GENERATOR" 2009)
    plain=$(e2e_probe text "$GENERATOR" 2010)
    e2e_check "a click on \"&Generate\" shows one GUID in both forms [$spaced] [$plain]" is_guid_pair "$spaced" "$plain"
    e2e_key alt+g
    second=$(e2e_probe text "$GENERATOR" 2010)
    e2e_check "Alt+G generates another GUID [$second]" test "$second" != "$plain" -a -n "$second"
    e2e_check "a screenshot of the generator is written" e2e_screenshot objid "$GENERATOR"
}

generator_by_keyboard() {
    e2e_check_eq "the focus is on \"&Generate\"" "$GENERATOR	Button	2011" "$(e2e_probe focus)"
    e2e_key space
    e2e_check "Space on \"&Generate\" generates" eval '[[ $(e2e_probe text "$GENERATOR" 2010) =~ ^[0-9A-F]{32}$ ]]'
}

about_by_button() {
    e2e_check_eq "it gives the version" "Version 1. 1. 0. 13" "$(e2e_probe text About 2003)"
    e2e_check "a screenshot of the About box is written" e2e_screenshot about About
}

e2e_reset_settings
scenario "Object ID generator by its button" "$GENERATOR" "e2e_click Vantrel 2012" generator_by_button "e2e_click '$GENERATOR' 2"
scenario "Object ID generator by keyboard" "$GENERATOR" "e2e_key alt+j" generator_by_keyboard "e2e_key Escape"
scenario "About box by its button" About "e2e_click Vantrel 2008" about_by_button "e2e_click About 1"
# Enter presses "OK", the default button.
scenario "About box by keyboard" About "e2e_key alt+t" : "e2e_key Return"
# The system menu opens on its first item; Up wraps round to the last one, "About".
scenario "About box from the system menu" About "e2e_key alt+space; e2e_key Up Return" : "e2e_key Escape"
