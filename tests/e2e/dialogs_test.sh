# The two accessory dialogs of the real vantrel.exe, opened by a mnemonic, a button and (the
# About box) the system menu, and closed by the keyboard; the main dialog is disabled while one
# is up and takes the keyboard again afterwards, down to Alt+F4.
source "$(dirname "$0")/lib.sh"

GENERATOR="Object ID Generator"

main_enabled() { e2e_probe enabled Vantrel; }
guids() { echo "$(e2e_probe text "$GENERATOR" 2009)|$(e2e_probe text "$GENERATOR" 2010)"; }
is_guid_pair() { [[ $1 =~ ^([0-9A-F]{8}( [0-9A-F]{8}){3})\|([0-9A-F]{32})$ && ${BASH_REMATCH[1]// /} == "${BASH_REMATCH[3]}" ]]; }
about_lines() {
    [[ $(e2e_probe text About 2005) =~ ^Windows\ NT\ ver\.\ [0-9]+\.[0-9]+\ \(build\ [0-9]+\)$ &&
        $(e2e_probe text About 2006) =~ ^Available\ memory\ to\ Windows:\ [0-9][0-9,.]*\ Kb\ \([0-9]+%\)$ ]]
}

# open_dialog TITLE COMMAND...: the command opens the dialog, which takes the focus.
open_dialog() {
    local title=$1
    shift
    "$@"
    e2e_check "\"$title\" opens and takes the focus" e2e_focus "$title"
    e2e_expect "the main dialog is disabled meanwhile" 0 main_enabled
}

# close_dialog TITLE KEY: the key closes it and the main dialog gets the keyboard back.
close_dialog() {
    e2e_key "$2"
    e2e_check "$2 closes \"$1\"" e2e_until 10 e2e_gone "$1"
    e2e_expect "the main dialog is enabled again" 1 main_enabled
    e2e_focus Vantrel
}

e2e_begin "Object ID generator and About box"
e2e_reset_settings
e2e_start_app
open_dialog "$GENERATOR" e2e_key alt+j
e2e_expect "the generator opens with both fields empty" "|" guids
e2e_click "$GENERATOR" 2011
e2e_check "a click on \"&Generate\" shows one GUID in both forms" e2e_until 5 eval 'is_guid_pair "$(guids)"'
first=$(guids)
e2e_key alt+g
e2e_check "Alt+G generates another GUID" e2e_until 5 eval '[[ $(guids) != "$first" ]] && is_guid_pair "$(guids)"'
e2e_screenshot objid "$GENERATOR"
close_dialog "$GENERATOR" Escape

open_dialog About e2e_click Vantrel 2008
e2e_expect "the About box gives the version" "Version 1. 1. 0. 13" e2e_probe text About 2003
e2e_check "and a Windows line and a memory line" e2e_until 5 about_lines
e2e_screenshot about About
close_dialog About Return
# The system menu opens on its first item; Up wraps round to the last one, "About".
open_dialog About e2e_key alt+space Up Return
close_dialog About Escape
e2e_key alt+F4
e2e_expect_exit "Alt+F4 ends the program with exit code 0"
