#!/bin/bash
# Starts Tintview under Wine on the user's display, or on a virtual display when there is none,
# in a Wine prefix of its own under build/run. Ends when Tintview ends (or on Ctrl+C).
set -u
program=$(realpath "$1")
run_dir=$(cd "$(dirname "$0")/.." && pwd)/build/run
mkdir -p "$run_dir"
export WINEPREFIX=$run_dir/wineprefix WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=d;winemenubuilder.exe=d"
# Wine's 64-bit loader alone where the kernel runs no 32-bit programs.
. "$(dirname "$0")/../tests/harness/wine-loader.sh"

xvfb_pid=""
stop() {
    [ -n "${wine_pid:-}" ] && kill "$wine_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && { wineserver -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null; }
}
trap 'stop; exit 130' INT TERM

if [ -n "${DISPLAY:-}" ] && ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "No X server answers on the display DISPLAY names, $DISPLAY: start one there," \
        "or unset DISPLAY to run Tintview on a virtual display." >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$run_dir/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$run_dir/display" ] && break; sleep 0.05; done
    export DISPLAY=":$(tr -d '\n' <"$run_dir/display")"
    echo "No display: Tintview runs on the virtual display $DISPLAY."
fi

if [ ! -f "$WINEPREFIX/prismel-ready" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)..."
    wineboot -i >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/prismel-ready"
fi
"$(dirname "$0")/install-wine-fonts.sh" "$WINEPREFIX" || exit 1

cd "$(dirname "$program")" || exit 1
if [ -n "$xvfb_pid" ]; then
    # Without a window manager, a Wine desktop window gives Tintview its title bar.
    wine explorer /desktop=Prismel,1024x768 "$program" >/dev/null 2>&1 &
    wine_pid=$!
    for _ in $(seq 100); do
        xdotool search --name 'Prismel - Wine desktop' >/dev/null 2>&1 && break
        sleep 0.1
    done
    sleep 2 # the window itself follows its desktop
    import -window root "$run_dir/screenshot.png" 2>/dev/null &&
        echo "A screenshot of the display: $run_dir/screenshot.png"
    echo "Press Ctrl+C to end it."
else
    wine "$program" >/dev/null 2>&1 &
    wine_pid=$!
fi
wait "$wine_pid"
status=$?
wine_pid=""
stop
exit $status
