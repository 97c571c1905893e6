#!/bin/bash
# Runs the install test program on a machine that has never seen Prismel: a Wine prefix of its
# own (64-bit Windows, or 32-bit Windows), on a display of its own, with a wineserver of its
# own, so the shared test prefix and other tests' windows are never touched.
#   install-in-fresh-prefix.sh win64|win32 TEST_PROGRAM WIN64_BIN WIN32_BIN WORK_FOLDER [ARGS...]
# ARGS go to the test program (--gtest_filter=...).
# Making a prefix takes Wine 15-20 s, so the first run makes a pristine one under WORK_FOLDER
# and keeps it; each run installs into a copy of it, removed at the end.
set -u
arch=$1 program=$2 win64_bin=$3 win32_bin=$4
mkdir -p "$5" && work=$(cd "$5" && pwd) || exit 1
shift 5
repo=$(cd "$(dirname "$0")/../.." && pwd)
template=$work/template-$arch
machine=$work/run-$arch

export WINEARCH=$arch WINEDEBUG=-all
# No Mono or Gecko prompts; and no menu entries or desktop files written into the Linux
# account for the shortcuts the setup makes.
export WINEDLLOVERRIDES="mscoree,mshtml=d;winemenubuilder.exe=d"

xvfb_pid="" server_started=""
finish() {
    [ -n "$server_started" ] && WINEPREFIX=$machine wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$machine"
}
trap finish EXIT
trap 'exit 124' TERM INT

windows_path() { # a Unix path as the prefix's drive Z: shows it
    local path
    path=$(realpath "$1") || return 1
    echo "Z:${path//\//\\}"
}

setup=$("$repo/installer/make-setup.sh" "$work/setup-$arch" "$win64_bin" "$win32_bin") || exit 1

setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display-$arch" \
    >/dev/null 2>&1 </dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display-$arch" ] && break; sleep 0.05; done
[ -s "$work/display-$arch" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -d '\n' <"$work/display-$arch")"

if [ ! -f "$template/prismel-template" ]; then
    rm -rf "$template"
    echo "Making a pristine $arch prefix (once): $template"
    export WINEPREFIX=$template
    server_started=yes
    wineboot -i >"$work/wineboot-$arch.log" 2>&1 || { cat "$work/wineboot-$arch.log"; exit 1; }
    reg() { wine reg add "$@" /f >/dev/null 2>&1; }
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    # A virtual desktop: without a window manager, hiding a window would otherwise wait 2 s.
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768
    wineserver -w
    touch "$template/prismel-template"
fi

# The copy: Wine's program files, the bulk of a prefix, are only ever read, so they are shared
# by hard links; the registry, the users' folders and the rest are copied.
rm -rf "$machine"
mkdir -p "$machine/drive_c/windows"
for item in "$template"/* "$template"/.update-timestamp; do
    [ "$(basename "$item")" = drive_c ] || cp -a "$item" "$machine/"
done
for item in "$template"/drive_c/*; do
    [ "$(basename "$item")" = windows ] || cp -a "$item" "$machine/drive_c/"
done
for item in "$template"/drive_c/windows/*; do
    case $(basename "$item") in
    system32 | syswow64 | winsxs) cp -al "$item" "$machine/drive_c/windows/" ;;
    *) cp -a "$item" "$machine/drive_c/windows/" ;;
    esac
done

export WINEPREFIX=$machine
server_started=yes
wineserver -p
output=$(mktemp)
wine "$program" "$(windows_path "$setup")" "$(windows_path "$win64_bin")" \
    "$(windows_path "$win32_bin")" "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit $status
