#!/bin/sh
# Makes a release as `make dist` does, with a download address of the test's own, and checks the
# package managers' manifests written for it.
#   manifests-test.sh WIN64_BIN WIN32_BIN WORK_FOLDER
set -eu
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
win64=$1 win32=$2 work=$3
release_url=https://downloads.prismel.test/releases/
rm -rf "$work" && mkdir -p "$work"
setup=$("$repo/installer/make-setup.sh" "$work" "$win64" "$win32")
portable=$("$repo/installer/make-portable.sh" "$work" "$win64" "$win32")
"$repo/installer/make-manifests.sh" "$work" "$setup" "$portable" "$release_url" >/dev/null
exec "$here/check_manifests.py" "$repo" "$release_url" "$work/winget" \
    "$work/scoop/prismel.json" "$setup" "$portable" \
    "$win64/Tintview.exe" "$win64/Mousetap.dll" "$win32/Tintview.exe" "$win32/Mousetap.dll"
