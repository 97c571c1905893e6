# Sourced by the harness scripts: where the shared test display, prefix and server live.
# Every Windows test of every build shares one prefix under the top build folder.
repo_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
HARNESS_DIR=${PRISMEL_HARNESS_DIR:-$repo_dir/build/harness}
export WINEPREFIX=$HARNESS_DIR/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
# No sound: every warning box would otherwise probe the audio drivers (some 30 ms each).
export WINEDLLOVERRIDES="mscoree,mshtml=d;winemenubuilder.exe=d;winealsa.drv,winepulse.drv,wineoss.drv=d"
# The virtual desktop that the prefix runs every program in; tests find it by this name.
PRISMEL_DESKTOP=Prismel
if [ -f "$HARNESS_DIR/display" ]; then
    DISPLAY=$(cat "$HARNESS_DIR/display")
    export DISPLAY
fi
