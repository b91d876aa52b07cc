# End-to-end helpers: the real vantrel.exe under Wine in Xvfb, driven with X keyboard and
# mouse input (xdotool), its windows read back with probe.exe from inside Wine.
# Needs DISPLAY and WINEPREFIX (scripts/test sets them up), VANTREL_BIN (the folder holding
# vantrel.exe, morvane.exe and probe.exe: for the tests, build/<build>/bin/tests, where the
# stand-in decoder is morvane.exe) and VANTREL_RESULTS (where PASS/FAIL lines go).
# Nothing here sleeps to let the program catch up: every check waits for its condition, with a bound.

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${VANTREL_BIN:?VANTREL_BIN must name the folder with vantrel.exe}"
: "${VANTREL_RESULTS:=/dev/stdout}"
E2E_SHOTS=${E2E_SHOTS:-$E2E_ROOT/out/screenshots/${VANTREL_BUILD_NAME:-app}}
E2E_FIXTURE_WRITER=${VANTREL_FIXTURE_WRITER:-$E2E_ROOT/build/native/bgl_fixture}
E2E_WORK=$(mktemp -d /tmp/vantrel-e2e.XXXXXX)
E2E_SCENARIO=
APP_PID=
PROGRAM_KEY='HKCU\Software\Halvorik\Vantrel'

e2e_cleanup() { e2e_kill_app; rm -rf "$E2E_WORK"; }
trap e2e_cleanup EXIT

# A Unix path as Wine's Z: drive sees it.
e2e_winpath() { local p=${1//\//\\}; echo "Z:$p"; }

e2e_begin() { e2e_kill_app; E2E_SCENARIO=$1; echo "-- $1"; }
e2e_result() { echo "$1 e2e ${VANTREL_BUILD_NAME:-}: $E2E_SCENARIO: $2" | tee -a "$VANTREL_RESULTS"; }

# e2e_check DESCRIPTION COMMAND...: passes when the command succeeds.
e2e_check() { if "${@:2}"; then e2e_result PASS "$1"; else e2e_result FAIL "$1"; fi; }

# e2e_expect DESCRIPTION EXPECTED COMMAND...: passes when the command prints EXPECTED within 5 s.
e2e_expect() {
    local actual
    for _ in $(seq 25); do actual=$("${@:3}"); [ "$actual" == "$2" ] && break; sleep 0.2; done
    if [ "$actual" == "$2" ]; then e2e_result PASS "$1"; else e2e_result FAIL "$1 (expected [$2], got [$actual])"; fi
}

# e2e_until SECONDS COMMAND...: waits until the command succeeds; fails when it never does.
e2e_until() { for _ in $(seq $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done; return 1; }

# e2e_holds SECONDS COMMAND...: the command succeeds at every look for that long. For checks
# that something does not happen: the command looks for the event that would show the fault.
e2e_holds() { for _ in $(seq $(($1 * 10))); do "${@:2}" || return 1; sleep 0.1; done; }

e2e_probe() { wine "$VANTREL_BIN/probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# e2e_each COMMAND ARG...: runs "COMMAND ARG" for each ARG and prints the results on one line.
e2e_each() { local arg; for arg in "${@:2}"; do $1 "$arg"; done | paste -sd' '; }

e2e_reset_settings() { wine reg delete "$PROGRAM_KEY" /f </dev/null >/dev/null 2>&1; }

# Prints the data of the named values of the program's key on one line ("-" for a missing one).
e2e_reg() {
    local dump
    dump=$(wine reg query "$PROGRAM_KEY" </dev/null 2>/dev/null | tr -d '\r')
    for name; do
        awk -v name="$name" '$1 == name { print $3; found = 1 } END { if (!found) print "-" }' <<<"$dump"
    done | paste -sd' '
}

# The text of a control (by id) of the main dialog.
e2e_field() { e2e_probe text Vantrel "$1"; }

e2e_shown() { [ "$(e2e_probe exists "$1")" = 1 ] && [ -n "$(e2e_xid "$1")" ]; }
e2e_gone() { [ "$(e2e_probe exists "$1")" = 0 ]; }
e2e_xid() { xdotool search --name "^$1\$" 2>/dev/null | tail -n1; }
e2e_focus_in() { [[ $(e2e_probe focus) == "$1"$'\t'* ]]; }

# Gives the X focus to a window (no window manager runs, so windowactivate cannot work) and
# waits until the program's keyboard focus is inside it.
e2e_focus() {
    e2e_until "${2:-10}" e2e_shown "$1" || return 1
    xdotool windowfocus --sync "$(e2e_xid "$1")" 2>/dev/null
    e2e_until 5 e2e_focus_in "$1"
}

e2e_start_app() {
    (cd "$VANTREL_BIN" && exec wine ./vantrel.exe) </dev/null >"$E2E_WORK/app.log" 2>&1 &
    APP_PID=$!
    e2e_focus Vantrel 30
}

e2e_running() { [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; }
e2e_ended() { ! e2e_running; }

# e2e_wait_exit: waits up to 10 s for the program to end and puts its exit code (or "timeout")
# in E2E_EXIT_CODE. Called in this shell, not in a command substitution, whose subshell could
# not collect the exit code.
e2e_wait_exit() {
    E2E_EXIT_CODE=timeout
    e2e_until 10 e2e_ended && { wait "$APP_PID"; E2E_EXIT_CODE=$?; APP_PID=; }
}

# e2e_expect_exit DESCRIPTION: the program ends within 10 s with exit code 0.
e2e_expect_exit() { e2e_wait_exit; e2e_expect "$1" 0 echo "$E2E_EXIT_CODE"; }

# The Result window's OK is enabled: the decoder's output has ended.
e2e_decode_ended() { [ "$(e2e_probe enabled Result 1)" = 1 ]; }

e2e_kill_app() { e2e_running && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null; APP_PID=; }

e2e_key() { xdotool key --delay 50 "$@"; }
e2e_type() { xdotool type --delay 20 -- "$1"; }

# Clicks the middle of a control (by id) of a top-level window.
e2e_click() {
    local left top width height
    read -r left top width height < <(e2e_probe rect "$1" "$2") &&
        xdotool mousemove --sync $((left + width / 2)) $((top + height / 2)) click 1
}

# Writes a picture of the window with that title to the screenshots folder. The short pause
# lets the window finish painting; the picture is an artefact, not a check. Without a window,
# import would wait for a click to choose one, so none is taken.
e2e_screenshot() {
    local xid
    mkdir -p "$E2E_SHOTS"
    sleep 0.3
    xid=$(e2e_xid "$2") && [ -n "$xid" ] && timeout 20 import -window "$xid" "$E2E_SHOTS/$1.png" 2>/dev/null
}
