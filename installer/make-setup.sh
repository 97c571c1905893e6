#!/bin/sh
# Builds the setup program from the two Windows builds and prints its path.
#   installer/make-setup.sh OUTPUT_FOLDER WIN64_BIN WIN32_BIN
# The 64-bit build gives the 64-bit Tintview.exe and Mousetap.dll; the 32-bit build its pair,
# uninstall.exe and the help files.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
output=$1 win64=$2 win32=$3
icon=$win32/../picker/resources/artwork/tintview.ico
for file in "$win64/Tintview.exe" "$win64/Mousetap.dll" "$win32/Tintview.exe" \
    "$win32/Mousetap.dll" "$win32/uninstall.exe" "$win32/Tintview.HLP" "$win32/Tintview.cnt" \
    "$icon"; do
    [ -f "$file" ] || { echo "$file is missing: build the win64 and win32 presets first" >&2; exit 1; }
done
mkdir -p "$output"
output=$(cd "$output" && pwd)
version=$(sed -n 's/^#define PRISMEL_VERSION_TEXT "\(.*\)"$/\1/p' "$here/../version/prismel_version.h")
# -V2: warnings and errors only; a warning fails the build as in the compilers' -Werror.
makensis -V2 -WX -DOUTDIR="$output" -DWIN64_BIN="$(cd "$win64" && pwd)" \
    -DWIN32_BIN="$(cd "$win32" && pwd)" -DICON="$(realpath "$icon")" "$here/Prismel.nsi" >&2
echo "$output/Prismel-$version-setup.exe"
