#!/bin/sh
# Packs the portable release from the two Windows builds and prints its path.
#   installer/make-portable.sh OUTPUT_FOLDER WIN64_BIN WIN32_BIN
# One folder inside the archive, Prismel-<version>, with a folder per build (x64, x86) holding
# Tintview.exe, Mousetap.dll and the help files, and README.txt. No uninstaller and no record:
# deleting the folder removes it.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
output=$1 win64=$2 win32=$3
files="Tintview.exe Mousetap.dll Tintview.HLP Tintview.cnt"
for bin in "$win64" "$win32"; do
    for file in $files; do
        [ -f "$bin/$file" ] || { echo "$bin/$file is missing: build the win64 and win32 presets first" >&2; exit 1; }
    done
done
command -v zip >/dev/null || { echo "zip is missing: run scripts/install-deps.sh" >&2; exit 1; }
mkdir -p "$output"
output=$(cd "$output" && pwd)
version=$(sed -n 's/^#define PRISMEL_VERSION_TEXT "\(.*\)"$/\1/p' "$here/../version/prismel_version.h")
archive=$output/Prismel-$version-portable.zip

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
top=$staging/Prismel-$version
mkdir -p "$top/x64" "$top/x86"
for file in $files; do
    cp "$win64/$file" "$top/x64/"
    cp "$win32/$file" "$top/x86/"
done
# Windows line ends, so that any text editor of any Windows shows the lines.
sed "s/@VERSION@/$version/; s/\$/\r/" "$here/portable-README.txt" >"$top/README.txt"
# The same archive for the same files: fixed times, no Unix extra fields.
find "$top" -exec touch -d "2000-01-01 00:00:00" {} +
rm -f "$archive"
(cd "$staging" && zip -q -X -r -D "$archive" "Prismel-$version")
echo "$archive"
