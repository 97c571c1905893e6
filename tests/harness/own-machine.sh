#!/bin/bash
# Sourced by the tests that run on a machine of their own: a Wine prefix copied from a template,
# on a display of its own, with a wineserver of its own, so the shared test prefix and the other
# tests' windows are never touched. Everything started is stopped, and the copy removed, when the
# sourcing script exits.
#   own_display WORK NAME          starts an Xvfb and sets DISPLAY to it (own_x_pid: any X server
#                                  started here, stopped at the end)
#   copy_prefix TEMPLATE MACHINE   copies a prefix (Wine's program files by hard links)
#   own_server MACHINE             sets WINEPREFIX to the copy and starts its wineserver
#   fresh_prefix ARCH WORK [NAME]  all three, from a pristine prefix of ARCH (win64 or win32) kept
#                                  under WORK (made once: Wine takes 15-20 s to make a prefix)
#   fresh_run PROGRAM [ARGS...]    runs a Windows program there; its output and exit code pass
own_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts; and no menu entries or desktop files written into the Linux
# account for the shortcuts the setup makes.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=d;winemenubuilder.exe=d"}

own_x_pid="" own_server_prefix="" own_machine=""
own_finish() {
    [ -n "$own_server_prefix" ] && WINEPREFIX=$own_server_prefix wineserver -k 2>/dev/null
    [ -n "$own_x_pid" ] && kill "$own_x_pid" 2>/dev/null
    [ -n "$own_machine" ] && rm -rf "$own_machine"
}
trap own_finish EXIT
trap 'exit 124' TERM INT

windows_path() { # a Unix path as the prefix's drive Z: shows it
    local path
    path=$(realpath "$1") || return 1
    echo "Z:${path//\//\\}"
}

own_display() {
    local file=$1/display-$2
    rm -f "$file"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$file" \
        >/dev/null 2>&1 </dev/null &
    own_x_pid=$!
    for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.05; done
    [ -s "$file" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(tr -d '\n' <"$file")"
}

# Wine's program files are only ever read, so they are shared by hard links; the registry, the
# users' folders and the rest are copied. A running server's own files stay behind.
copy_prefix() {
    local template=$1 item
    own_machine=$2
    rm -rf "$own_machine"
    mkdir -p "$own_machine/drive_c/windows"
    for item in "$template"/* "$template"/.update-timestamp; do
        case $(basename "$item") in
        drive_c | wineserver) ;;
        *) cp -a "$item" "$own_machine/" ;;
        esac
    done
    for item in "$template"/drive_c/*; do
        [ "$(basename "$item")" = windows ] || cp -a "$item" "$own_machine/drive_c/"
    done
    for item in "$template"/drive_c/windows/*; do
        case $(basename "$item") in
        system32 | syswow64 | winsxs) cp -al "$item" "$own_machine/drive_c/windows/" ;;
        *) cp -a "$item" "$own_machine/drive_c/windows/" ;;
        esac
    done
}

own_server() {
    export WINEPREFIX=$1
    own_server_prefix=$1
    wineserver -p
}

fresh_prefix() {
    local arch=$1 work=$2 name=${3:-run}
    local template=$work/template-$arch
    if [ "$arch" = win32 ] && [ "$PRISMEL_WINE32" = no ]; then
        echo "SKIPPED: a 32-bit Windows needs Wine's 32-bit loader, and this machine's kernel runs" \
            "no 32-bit programs (its ia32 emulation is off)."
        exit "$PRISMEL_SKIP"
    fi
    export WINEARCH=$arch
    own_display "$work" "$name-$arch" || return 1
    # The marker names what a template holds; a template of an older kind is made again.
    if [ ! -f "$template/prismel-template-2" ]; then
        rm -rf "$template"
        echo "Making a pristine $arch prefix (once): $template"
        export WINEPREFIX=$template
        own_server_prefix=$template
        wineboot -i >"$work/wineboot-$arch.log" 2>&1 || { cat "$work/wineboot-$arch.log"; return 1; }
        reg() { wine reg add "$@" /f >/dev/null 2>&1; }
        reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
        # A virtual desktop named as the shared test prefix's, so that the tests' real input finds
        # it; without a window manager, hiding a window would otherwise wait 2 s.
        reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Prismel
        reg 'HKCU\Software\Wine\Explorer\Desktops' /v Prismel /t REG_SZ /d 1024x768
        wineserver -w
        "$own_repo/scripts/install-wine-fonts.sh" "$template" || return 1
        touch "$template/prismel-template-2"
    fi
    copy_prefix "$template" "$work/$name-$arch"
    own_server "$own_machine"
}

fresh_run() {
    local output status pid
    output=$(mktemp)
    # In the background, so that a TERM from CTest reaches the trap at once and stops everything.
    wine "$@" >"$output" 2>&1 </dev/null &
    pid=$!
    trap 'kill "$pid" 2>/dev/null; cat "$output"; rm -f "$output"; exit 124' TERM INT
    wait "$pid"
    status=$?
    trap 'exit 124' TERM INT
    cat "$output"
    rm -f "$output"
    return $status
}
