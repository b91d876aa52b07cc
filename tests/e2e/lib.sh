# End-to-end helpers: the real vantrel.exe under Wine in Xvfb, driven with X keyboard and
# mouse input (xdotool), its windows read back with probe.exe from inside Wine.
# Needs DISPLAY and WINEPREFIX (scripts/test sets them up), VANTREL_BIN (the folder holding
# vantrel.exe, morvane.exe and probe.exe) and VANTREL_RESULTS (where PASS/FAIL lines go).

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${VANTREL_BIN:?VANTREL_BIN must name the folder with vantrel.exe}"
: "${VANTREL_RESULTS:=/dev/stdout}"
E2E_SHOTS=${E2E_SHOTS:-$E2E_ROOT/docs/screenshots}
E2E_WORK=$(mktemp -d /tmp/vantrel-e2e.XXXXXX)
E2E_SCENARIO=
APP_PID=
PROGRAM_KEY='HKCU\Software\Halvorik\Vantrel'

e2e_cleanup() {
    e2e_kill_app
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

# A Unix path as Wine's Z: drive sees it.
e2e_winpath() {
    local p=${1//\//\\}
    printf 'Z:%s\n' "$p"
}

e2e_begin() {
    E2E_SCENARIO=$1
    echo "-- $E2E_SCENARIO"
}

e2e_end() {
    e2e_kill_app
    E2E_SCENARIO=
}

e2e_pass() { echo "PASS e2e ${VANTREL_BUILD_NAME:-}: $E2E_SCENARIO: $1" >>"$VANTREL_RESULTS"; echo "   ok: $1"; }
e2e_fail() { echo "FAIL e2e ${VANTREL_BUILD_NAME:-}: $E2E_SCENARIO: $1" >>"$VANTREL_RESULTS"; echo "   FAILED: $1"; }

# e2e_check DESCRIPTION COMMAND...: records whether the command succeeds.
e2e_check() {
    local description=$1
    shift
    if "$@"; then e2e_pass "$description"; else e2e_fail "$description"; fi
}

# e2e_check_eq DESCRIPTION EXPECTED ACTUAL
e2e_check_eq() {
    if [ "$2" == "$3" ]; then
        e2e_pass "$1"
    else
        e2e_fail "$1 (expected [$2], got [$3])"
    fi
}

e2e_reset_settings() {
    wine reg delete "$PROGRAM_KEY" /f </dev/null >/dev/null 2>&1 || true
}

# Prints the data of one value of the program's key (empty when it is missing).
e2e_reg_query() {
    wine reg query "$PROGRAM_KEY" /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^  /, ""); print; exit }'
}

e2e_probe() {
    wine "$VANTREL_BIN/probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'
}

# Prints the X window id of the top-level window with exactly that title, waiting for it.
e2e_wait_window() {
    local title=$1 seconds=${2:-20} i id
    for i in $(seq $((seconds * 10))); do
        id=$(xdotool search --name "^${title}\$" 2>/dev/null | tail -n1)
        if [ -n "$id" ] && [ "$(e2e_probe exists "$title")" = 1 ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits until no window with that title is left.
e2e_wait_gone() {
    local title=$1 seconds=${2:-10} i
    for i in $(seq $((seconds * 10))); do
        [ "$(e2e_probe exists "$title")" = 1 ] || return 0
        sleep 0.1
    done
    return 1
}

# Gives the X focus to a window (no window manager runs, so windowactivate cannot work).
e2e_focus() {
    local id
    id=$(e2e_wait_window "$1" "${2:-10}") || return 1
    xdotool windowfocus --sync "$id" 2>/dev/null
    sleep 0.2
}

e2e_start_app() {
    (cd "$VANTREL_BIN" && exec wine ./vantrel.exe) </dev/null >"$E2E_WORK/app.log" 2>&1 &
    APP_PID=$!
    e2e_focus Vantrel 30
}

e2e_app_running() {
    [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null
}

# Waits for the program to end and prints its exit code ("timeout" when it did not end).
e2e_wait_exit() {
    local seconds=${1:-10} i
    for i in $(seq $((seconds * 10))); do
        if ! e2e_app_running; then
            wait "$APP_PID" 2>/dev/null
            echo $?
            APP_PID=
            return 0
        fi
        sleep 0.1
    done
    echo timeout
}

e2e_kill_app() {
    if e2e_app_running; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    APP_PID=
}

e2e_key() {
    xdotool key --delay 60 "$@"
    sleep 0.3
}

e2e_type() {
    xdotool type --delay 20 -- "$1"
    sleep 0.2
}

# Clicks the middle of a control (by id) of a top-level window.
e2e_click() {
    local title=$1 id=$2 left top width height
    read -r left top width height < <(e2e_probe rect "$title" "$id") || return 1
    xdotool mousemove --sync $((left + width / 2)) $((top + height / 2)) click 1
    sleep 0.3
}

# Writes a picture of the window with that title (default: the main dialog) to the screenshots folder.
e2e_screenshot() {
    local name=$1 title=${2:-Vantrel} id
    id=$(e2e_wait_window "$title" 10) || return 1
    mkdir -p "$E2E_SHOTS"
    sleep 0.3
    import -window "$id" "$E2E_SHOTS/$name.png" 2>/dev/null
}
