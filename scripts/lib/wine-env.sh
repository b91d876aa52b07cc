# Sourced by the test and run scripts: a private X display and a throwaway Wine prefix with
# one persistent wineserver, and their clean-up.
#   wine_env_start    Xvfb on a free display, a fresh prefix, wineserver -p, wineboot
#   wine_env_stop     ends every process it started and removes the prefix
#   wine_pick_loader  only chooses the Wine loader (wine_env_start calls it): sets WINE_RUNS_32BIT
#                     to 1 when this machine can run 32-bit programs under Wine, else 0
#   wine_app_build    the build to run here: win32, the program users get, where it can run
#   wine_runs BUILD   whether this machine can run that build (win32 or win64)

wine_env_start() {
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    WINE_ENV_DIR=$(mktemp -d /tmp/vantrel-wine.XXXXXX)
    export WINEPREFIX="$WINE_ENV_DIR/prefix"
    mkdir -p "$WINEPREFIX"
    wine_pick_loader

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

# Debian's wine starts the 32-bit loader whenever wine32 is installed. Some kernels cannot run
# 32-bit Linux code at all (exec fails with "Exec format error"); there the 64-bit loader runs
# the 64-bit build, through wrappers put first on PATH, and 32-bit programs cannot run.
wine_pick_loader() {
    WINE_RUNS_32BIT=0
    if [ ! -x /usr/lib/wine/wine ]; then
        return 0
    fi
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        WINE_RUNS_32BIT=1
        return 0
    fi
    local bin="${WINE_ENV_DIR:-$(mktemp -d /tmp/vantrel-wine.XXXXXX)}/bin"
    mkdir -p "$bin"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/wine"
    printf '#!/bin/sh\nexec "%s/wine" wineboot.exe "$@"\n' "$bin" >"$bin/wineboot"
    chmod +x "$bin/wine" "$bin/wineboot"
    export PATH="$bin:$PATH"
}

wine_app_build() {
    if wine_runs win32; then echo win32; else echo win64; fi
}

wine_runs() {
    [ "$1" != win32 ] || [ "$WINE_RUNS_32BIT" = 1 ]
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
