#!/bin/bash
# Sourced by the tests that run on a machine that has never seen Prismel: a Wine prefix of their
# own (64-bit or 32-bit Windows), on a display of their own, with a wineserver of their own, so
# the shared test prefix and other tests' windows are never touched.
#   fresh_prefix ARCH WORK_FOLDER   sets WINEPREFIX to a new copy, DISPLAY to a new Xvfb
# Making a prefix takes Wine 15-20 s, so the first run makes a pristine one under WORK_FOLDER
# and keeps it; each run gets a copy of it, removed when the script exits.
fresh_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

export WINEDEBUG=-all
# No Mono or Gecko prompts; and no menu entries or desktop files written into the Linux
# account for the shortcuts the setup makes.
export WINEDLLOVERRIDES="mscoree,mshtml=d;winemenubuilder.exe=d"

fresh_xvfb_pid="" fresh_server_prefix="" fresh_machine=""
fresh_finish() {
    [ -n "$fresh_server_prefix" ] && WINEPREFIX=$fresh_server_prefix wineserver -k 2>/dev/null
    [ -n "$fresh_xvfb_pid" ] && kill "$fresh_xvfb_pid" 2>/dev/null
    [ -n "$fresh_machine" ] && rm -rf "$fresh_machine"
}
trap fresh_finish EXIT
trap 'exit 124' TERM INT

windows_path() { # a Unix path as the prefix's drive Z: shows it
    local path
    path=$(realpath "$1") || return 1
    echo "Z:${path//\//\\}"
}

fresh_prefix() {
    local arch=$1 work=$2 name=${3:-run}
    local template=$work/template-$arch
    fresh_machine=$work/$name-$arch
    export WINEARCH=$arch

    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display-$name-$arch" \
        >/dev/null 2>&1 </dev/null &
    fresh_xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display-$name-$arch" ] && break; sleep 0.05; done
    [ -s "$work/display-$name-$arch" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(tr -d '\n' <"$work/display-$name-$arch")"

    # The marker names what a template holds; a template of an older kind is made again.
    if [ ! -f "$template/prismel-template-2" ]; then
        rm -rf "$template"
        echo "Making a pristine $arch prefix (once): $template"
        export WINEPREFIX=$template
        fresh_server_prefix=$template
        wineboot -i >"$work/wineboot-$arch.log" 2>&1 || { cat "$work/wineboot-$arch.log"; return 1; }
        reg() { wine reg add "$@" /f >/dev/null 2>&1; }
        reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
        # A virtual desktop named as the shared test prefix's, so that the tests' real input finds
        # it; without a window manager, hiding a window would otherwise wait 2 s.
        reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Prismel
        reg 'HKCU\Software\Wine\Explorer\Desktops' /v Prismel /t REG_SZ /d 1024x768
        wineserver -w
        "$fresh_repo/tools/install-wine-fonts.sh" "$template" || return 1
        touch "$template/prismel-template-2"
    fi

    # The copy: Wine's program files, the bulk of a prefix, are only ever read, so they are
    # shared by hard links; the registry, the users' folders and the rest are copied.
    rm -rf "$fresh_machine"
    mkdir -p "$fresh_machine/drive_c/windows"
    local item
    for item in "$template"/* "$template"/.update-timestamp; do
        [ "$(basename "$item")" = drive_c ] || cp -a "$item" "$fresh_machine/"
    done
    for item in "$template"/drive_c/*; do
        [ "$(basename "$item")" = windows ] || cp -a "$item" "$fresh_machine/drive_c/"
    done
    for item in "$template"/drive_c/windows/*; do
        case $(basename "$item") in
        system32 | syswow64 | winsxs) cp -al "$item" "$fresh_machine/drive_c/windows/" ;;
        *) cp -a "$item" "$fresh_machine/drive_c/windows/" ;;
        esac
    done

    export WINEPREFIX=$fresh_machine
    fresh_server_prefix=$fresh_machine
    wineserver -p
}

# Runs a Windows program in the fresh prefix and passes its output and exit code through.
fresh_run() {
    local output status
    output=$(mktemp)
    wine "$@" >"$output" 2>&1 </dev/null
    status=$?
    cat "$output"
    rm -f "$output"
    return $status
}
