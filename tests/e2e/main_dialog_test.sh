# The real vantrel.exe: it shows its dialog, and Escape, "Cancel" and Alt+F4 each end it with
# exit code 0, while Enter in the input field does not.
source "$(dirname "$0")/lib.sh"

e2e_begin "start-up and Escape"
e2e_reset_settings
e2e_check "the main dialog appears" e2e_start_app
e2e_check_eq "its caption is the product name" "Vantrel" "$(e2e_probe text Vantrel)"
e2e_check_eq "the focus is in the input field" "Vantrel	Edit	1000" "$(e2e_probe focus)"
e2e_check "a screenshot of the main dialog is written" e2e_screenshot main
e2e_key Return
sleep 0.5
e2e_check "Enter in the input field does not end the program" e2e_app_running
e2e_key Escape
e2e_check_eq "Escape ends it with exit code 0" 0 "$(e2e_wait_exit 10)"
e2e_end

e2e_begin "Cancel button"
e2e_start_app
e2e_click Vantrel 2
e2e_check_eq "a click on Cancel ends it with exit code 0" 0 "$(e2e_wait_exit 10)"
e2e_end

e2e_begin "Alt+F4"
e2e_start_app
e2e_key alt+F4
e2e_check_eq "Alt+F4 ends it with exit code 0" 0 "$(e2e_wait_exit 10)"
e2e_end
