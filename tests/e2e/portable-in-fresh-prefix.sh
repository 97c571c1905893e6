#!/bin/bash
# Runs the portable release's test program on a machine that has never seen Prismel
# (tests/harness/own-machine.sh): the release is packed from the two builds, as `make dist` packs
# it, and unpacked into the fresh prefix's C:\Portable.
#   portable-in-fresh-prefix.sh win64|win32 TEST_PROGRAM WIN64_BIN WIN32_BIN WORK_FOLDER [ARGS...]
set -u
arch=$1 program=$2 win64_bin=$3 win32_bin=$4
mkdir -p "$5" && work=$(cd "$5" && pwd) || exit 1
shift 5
. "$(dirname "$0")/../harness/own-machine.sh"
prismel_skip_unrunnable "$program"

archive=$("$own_repo/installer/make-portable.sh" "$work/packed-$arch" "$win64_bin" "$win32_bin") ||
    exit 1
fresh_prefix "$arch" "$work" portable || exit 1
unzip -q "$archive" -d "$WINEPREFIX/drive_c/Portable" || exit 1
release=$(basename "$archive" -portable.zip)
# Wine runs a global mouse hook only in processes of its library's bitness, so the window to
# take a colour from is of the bitness of the Tintview this Windows gets.
board=$win32_bin/colour_board.exe
[ "$arch" = win64 ] && board=$win64_bin/colour_board.exe
fresh_run "$program" "C:\\Portable\\$release" "$(windows_path "$board")" "$@"
