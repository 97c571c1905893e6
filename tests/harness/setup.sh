#!/bin/bash
# Test fixture: a display (our own Xvfb when DISPLAY is unset), the Wine prefix (made once) and
# one persistent wineserver for the whole run. Everything started is recorded by pid for cleanup.
set -eu
# Whatever step fails says which it was, with the end of the log it wrote.
report_failure() {
    echo "harness setup failed at line $1 (exit $2): $3" >&2
    for log in "${HARNESS_DIR:-}"/wineboot.log "${HARNESS_DIR:-}"/xvfb.log; do
        [ -s "$log" ] && { echo "--- end of $log" >&2; tail -n 15 "$log" >&2; }
    done
    return 0
}
trap 'report_failure "$LINENO" "$?" "$BASH_COMMAND"' ERR
given_display=${DISPLAY:-}
# A display that nothing serves would only show later, as programs that never show a window.
if [ -n "$given_display" ] && ! DISPLAY=$given_display xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "No X server answers on the display DISPLAY names, $given_display: start one there," \
        "or unset DISPLAY to run on a virtual display of our own." >&2
    exit 1
fi
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$HARNESS_DIR"
"$(dirname "$0")/cleanup.sh" # a run that was killed may have left its processes behind

if [ -n "$given_display" ]; then
    echo "$given_display" >"$HARNESS_DIR/display"
else
    # -displayfd makes Xvfb pick a free display and tell us which.
    rm -f "$HARNESS_DIR/display.fd"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$HARNESS_DIR/display.fd" \
        >"$HARNESS_DIR/xvfb.log" 2>&1 </dev/null &
    echo $! >"$HARNESS_DIR/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$HARNESS_DIR/display.fd" ] && break
        sleep 0.05
    done
    [ -s "$HARNESS_DIR/display.fd" ] || { echo "Xvfb did not start" >&2; exit 1; }
    echo ":$(tr -d '\n' <"$HARNESS_DIR/display.fd")" >"$HARNESS_DIR/display"
fi
DISPLAY=$(cat "$HARNESS_DIR/display")
export DISPLAY

if [ ! -f "$WINEPREFIX/prismel-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >"$HARNESS_DIR/wineboot.log" 2>&1
    reg() { wine reg add "$@" /f >/dev/null 2>&1; }
    # A crashing program ends with exit code 5 instead of waiting on a dialog.
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    # A virtual desktop at the display's origin: title bars are drawn, clicks on the desktop
    # reach hooks, and screen coordinates equal the X display's.
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d "$PRISMEL_DESKTOP"
    reg "HKCU\\Software\\Wine\\Explorer\\Desktops" /v "$PRISMEL_DESKTOP" /t REG_SZ /d 1024x768
    wineserver -w
    touch "$WINEPREFIX/prismel-ready"
fi
"$repo_dir/scripts/install-wine-fonts.sh" "$WINEPREFIX"

setsid wineserver -f -p >"$HARNESS_DIR/wineserver.log" 2>&1 </dev/null &
echo $! >"$HARNESS_DIR/wineserver.pid"
echo "display $DISPLAY, prefix $WINEPREFIX"
