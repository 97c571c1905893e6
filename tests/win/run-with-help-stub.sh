#!/bin/bash
# Runs a Windows test program where the help viewer is the stub of Windows 10 and 11: in a copy
# of the test prefix whose C:\windows\winhlp32.exe is STAND_IN and which has no other
# winhlp32.exe, on a display and with a wineserver of its own (the shared prefix and the other
# tests' windows are never touched).
#   run-with-help-stub.sh STAND_IN WORK_FOLDER PROGRAM [ARGS...]
# WinHelpA would start Wine's built-in viewer whatever file stands there, unless winhlp32.exe is
# loaded as a native program: WINEDLLOVERRIDES says so, so that a call of WinHelpA really starts
# the stand-in. The program gets PRISMEL_WINE_VIEWER, the Windows path of Wine's own viewer, and
# runs in the folder it lies in.
set -u
stand_in=$1
mkdir -p "$2" && work=$(cd "$2" && pwd) || exit 1
shift 2
. "$(dirname "$0")/../harness/wine-env.sh"
template=$WINEPREFIX
[ -f "$template/prismel-ready" ] || { echo "no test prefix at $template: run the harness.setup fixture first" >&2; exit 1; }
machine=$work/prefix
. "$(dirname "$0")/../harness/own-machine.sh"

copy_prefix "$template" "$machine"
# As on Windows 10 and 11: the stub in the Windows folder, and no viewer in the system folders
# (which a search for winhlp32.exe would find first). Removing a link leaves the template's file.
rm -f "$machine"/drive_c/windows/{system32,syswow64}/winhlp32.exe "$machine/drive_c/windows/winhlp32.exe"
cp "$stand_in" "$machine/drive_c/windows/winhlp32.exe" || exit 1

own_display "$work" help-stub || exit 1

export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winhlp32.exe=n"
# Wine's own viewer: in the Windows folder, or only in the system folder of a prefix that
# Wine's 64-bit loader alone made (tests/harness/wine-loader.sh).
viewer=$template/drive_c/windows/winhlp32.exe
[ -f "$viewer" ] || viewer=$template/drive_c/windows/system32/winhlp32.exe
viewer=$(realpath "$viewer")
export PRISMEL_WINE_VIEWER="Z:${viewer//\//\\}"
own_server "$machine"
program=$(realpath "$1") || exit 1
prismel_skip_unrunnable "$program"
shift
cd "$(dirname "$program")" || exit 1
fresh_run "$program" "$@"
