# Sourced by the test and run scripts: a private X display and a throwaway Wine prefix with
# one persistent wineserver, and their clean-up.
#   wine_env_start    Xvfb on a free display, a fresh prefix, wineserver -p, wineboot
#   wine_env_stop     ends every process it started and removes the prefix

wine_env_start() {
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    WINE_ENV_DIR=$(mktemp -d /tmp/vantrel-wine.XXXXXX)
    export WINEPREFIX="$WINE_ENV_DIR/prefix"
    mkdir -p "$WINEPREFIX"

    # Xvfb picks a free display itself and writes its number to the file.
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$WINE_ENV_DIR/display" \
        </dev/null >"$WINE_ENV_DIR/xvfb.log" 2>&1 &
    WINE_ENV_XVFB=$!
    local i
    for i in $(seq 100); do
        [ -s "$WINE_ENV_DIR/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$WINE_ENV_DIR/display" ]; then
        echo "wine-env: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$WINE_ENV_DIR/display")"

    # The server keeps no pipe of ours open, or a caller reading our output would wait for it.
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >/dev/null 2>&1
    # No window manager runs: Wine then moves the X focus itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    return 0
}

wine_env_stop() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
    fi
    if [ -n "${WINE_ENV_XVFB:-}" ]; then
        kill "$WINE_ENV_XVFB" 2>/dev/null || true
        wait "$WINE_ENV_XVFB" 2>/dev/null || true
    fi
    if [ -n "${WINE_ENV_DIR:-}" ]; then
        rm -rf "$WINE_ENV_DIR"
    fi
    WINE_ENV_XVFB=
    WINE_ENV_DIR=
}
