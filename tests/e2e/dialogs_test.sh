# The two accessory dialogs of the real vantrel.exe, opened by their buttons, by their
# mnemonics and (the About box) from the system menu, each closed again by the keyboard or the
# mouse; afterwards the main dialog takes input again and ends normally.
source "$(dirname "$0")/lib.sh"

GENERATOR="Object ID Generator"

is_hex32() { [[ $1 =~ ^[0-9A-F]{32}$ ]]; }
is_spaced() { [[ $1 =~ ^[0-9A-F]{8}\ [0-9A-F]{8}\ [0-9A-F]{8}\ [0-9A-F]{8}$ ]]; }
same_digits() { [ "${1// /}" = "$2" ]; }
opens() { e2e_wait_window "$1" 10 >/dev/null; }
closes() { e2e_wait_gone "$1" 10; }
main_enabled() { [ "$(e2e_probe enabled Vantrel)" = 1 ]; }
main_disabled() { [ "$(e2e_probe enabled Vantrel)" = 0 ]; }

# The main dialog is usable again: it is enabled, takes the keyboard, and Escape ends the
# program normally.
check_main_usable() {
    e2e_check "the main dialog is enabled again" main_enabled
    e2e_focus Vantrel
    e2e_key Escape
    e2e_check_eq "the main dialog then ends with exit code 0" 0 "$(e2e_wait_exit 10)"
}

e2e_begin "Object ID generator by its button"
e2e_reset_settings
e2e_start_app
e2e_click Vantrel 2012
e2e_check "\"Ob&jId Gen.\" opens the generator" opens "$GENERATOR"
e2e_check "the main dialog is disabled meanwhile" main_disabled
e2e_check_eq "it opens with the spaced field empty" "" "$(e2e_probe text "$GENERATOR" 2009)"
e2e_check_eq "it opens with the plain field empty" "" "$(e2e_probe text "$GENERATOR" 2010)"
e2e_focus "$GENERATOR"
e2e_click "$GENERATOR" 2011
spaced=$(e2e_probe text "$GENERATOR" 2009)
plain=$(e2e_probe text "$GENERATOR" 2010)
e2e_check "a click on \"&Generate\" shows 32 digits [$plain]" is_hex32 "$plain"
e2e_check "and the same digits in four groups [$spaced]" is_spaced "$spaced"
e2e_check "both fields hold the same GUID" same_digits "$spaced" "$plain"
e2e_key alt+g
second=$(e2e_probe text "$GENERATOR" 2010)
e2e_check "Alt+G generates another GUID" test "$second" != "$plain" -a -n "$second"
e2e_check "a screenshot of the generator is written" e2e_screenshot objid "$GENERATOR"
e2e_click "$GENERATOR" 2
e2e_check "\"Cancel\" closes it" closes "$GENERATOR"
check_main_usable
e2e_end

e2e_begin "Object ID generator by keyboard"
e2e_start_app
e2e_key alt+j
e2e_check "Alt+J opens the generator" opens "$GENERATOR"
e2e_focus "$GENERATOR"
e2e_check_eq "the focus is on \"&Generate\"" "$GENERATOR	Button	2011" "$(e2e_probe focus)"
e2e_key space
e2e_check "Space on \"&Generate\" generates" is_hex32 "$(e2e_probe text "$GENERATOR" 2010)"
e2e_key Escape
e2e_check "Escape closes it" closes "$GENERATOR"
e2e_check "the program is still running" e2e_app_running
check_main_usable
e2e_end

e2e_begin "About box by its button"
e2e_start_app
e2e_click Vantrel 2008
e2e_check "\"Abou&t\" opens the About box" opens About
e2e_check "the main dialog is disabled meanwhile" main_disabled
e2e_check_eq "it names the program" "Vantrel" "$(e2e_probe text About 2002)"
e2e_check_eq "it gives the version" "Version 1. 1. 0. 13" "$(e2e_probe text About 2003)"
e2e_check_eq "it gives the notice" "Copyright (C) 2026 Halvorik" "$(e2e_probe text About 2004)"
windows_line=$(e2e_probe text About 2005)
e2e_check "it gives the Windows version [$windows_line]" \
    eval '[[ $windows_line =~ ^(Windows\ NT|Windows\ v9\.x|MS\ Windows)\ ver\.\ [0-9]+\.[0-9]+\ \(build\ [0-9]+\)$ ]]'
memory_line=$(e2e_probe text About 2006)
e2e_check "it gives the free memory [$memory_line]" \
    eval '[[ $memory_line =~ ^Available\ memory\ to\ Windows:\ [0-9]{1,3}([^0-9]?[0-9]{3})*\ Kb\ \([0-9]{1,3}%\)$ ]]'
e2e_check "a screenshot of the About box is written" e2e_screenshot about About
e2e_focus About
e2e_click About 1
e2e_check "\"OK\" closes it" closes About
check_main_usable
e2e_end

e2e_begin "About box by keyboard"
e2e_start_app
e2e_key alt+t
e2e_check "Alt+T opens the About box" opens About
e2e_focus About
e2e_key Return
e2e_check "Enter closes it (\"OK\" is the default button)" closes About
e2e_check "the program is still running" e2e_app_running
check_main_usable
e2e_end

e2e_begin "About box from the system menu"
e2e_start_app
# The system menu opens on its first item; Up wraps round to the last one, "About".
e2e_key alt+space
e2e_key Up Return
e2e_check "the system menu's \"About\" opens the About box" opens About
e2e_focus About
e2e_key Escape
e2e_check "Escape closes it" closes About
e2e_check "the program is still running" e2e_app_running
check_main_usable
e2e_end
