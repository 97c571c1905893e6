#!/bin/bash
# Sourced by the tests that run on a desktop of two displays, one of them at negative
# coordinates, which Xvfb cannot make (it puts every screen at 0,0). Xorg with the dummy video
# driver, started as root without a VT, lays out two 1024 x 768 monitors:
#   left   the other display left of the primary: Windows x from -1024 to 0
#   above  the other display above the primary:   Windows y from -768 to 0
# Wine's virtual desktop would show one monitor only, so the shared test prefix is copied
# without it. The wineserver starts after the layout is set: Wine takes in the monitors when its
# server starts, and a later change reaches it only in part. Sources own-machine.sh, whose exit
# trap stops the server and the X server by pid and removes the copy.
#   two_displays LAYOUT WORK   starts Xorg with LAYOUT and sets DISPLAY; copies the test prefix
#                              and starts its wineserver
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
two_displays_template=$WINEPREFIX
. "$(dirname "${BASH_SOURCE[0]}")/own-machine.sh"

# An xorg.conf of the dummy driver: the primary (DUMMY0) at PRIMARY, the other (DUMMY1) at the
# X root's origin, in a frame buffer of SIZE; "x y" and "width height" as xorg.conf writes them.
two_displays_config() {
    local primary=$1 size=$2
    cat <<EOF
Section "ServerFlags"
    Option "DontVTSwitch" "true"
    Option "AllowMouseOpenFail" "true"
    Option "AutoAddDevices" "false"
EndSection
Section "Module"
    Disable "glx"
EndSection
Section "Device"
    Identifier "dummy"
    Driver     "dummy"
    VideoRam   256000
    Option     "Monitor-DUMMY0" "primary"
    Option     "Monitor-DUMMY1" "other"
EndSection
Section "Monitor"
    Identifier  "modes"
    HorizSync   5.0 - 1000.0
    VertRefresh 5.0 - 200.0
    Modeline "1024x768" 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
EndSection
Section "Monitor"
    Identifier "primary"
    Option "Primary" "true"
    Option "PreferredMode" "1024x768"
    Option "Position" "$primary"
EndSection
Section "Monitor"
    Identifier "other"
    Option "Enable" "true"
    Option "PreferredMode" "1024x768"
    Option "Position" "0 0"
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "modes"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
        Virtual $size
    EndSubSection
EndSection
Section "ServerLayout"
    Identifier "layout"
    Screen "screen"
EndSection
EOF
}

# A run that was killed may have left its X server behind: the one its pid file names, if that
# still runs with our configuration.
two_displays_stop_stale() {
    local pidfile=$1 config=$2 pid
    [ -f "$pidfile" ] || return 0
    pid=$(cat "$pidfile")
    if [ -r "/proc/$pid/cmdline" ] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "-config $config "; then
        kill "$pid"
        for _ in $(seq 40); do [ -d "/proc/$pid" ] || break; sleep 0.05; done
    fi
    rm -f "$pidfile"
}

two_displays_xorg() {
    local layout=$1 work=$2 config=$2/xorg-$1.conf fd=$2/display-$1 started
    case $layout in
    left) two_displays_config "1024 0" "2048 768" >"$config" ;;
    above) two_displays_config "0 768" "1024 1536" >"$config" ;;
    *) echo "no layout called '$layout' (left, above)" >&2; return 1 ;;
    esac
    if [ "$(id -u)" != 0 ]; then
        echo "SKIPPED: Xorg's dummy driver, which lays out two displays, starts only as root here."
        exit "$PRISMEL_SKIP"
    fi
    command -v Xorg >/dev/null || { echo "no Xorg: run scripts/install-deps.sh" >&2; return 1; }
    two_displays_stop_stale "$work/xorg-$layout.pid" "$config"
    rm -f "$fd"
    started=$(date +%s%N)
    # -displayfd: Xorg takes a free display and names it once it listens.
    setsid Xorg -displayfd 3 -config "$config" -logfile "$work/Xorg-$layout.log" -noreset \
        -nolisten tcp 3>"$fd" >/dev/null 2>&1 </dev/null &
    own_x_pid=$!
    echo "$own_x_pid" >"$work/xorg-$layout.pid"
    for _ in $(seq 200); do [ -s "$fd" ] && break; sleep 0.025; done
    [ -s "$fd" ] || { echo "Xorg did not start: see $work/Xorg-$layout.log" >&2; return 1; }
    export DISPLAY=":$(tr -d '\n' <"$fd")"
    for _ in $(seq 200); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.025; done
    xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xorg does not answer on $DISPLAY" >&2; return 1; }
    echo "Xorg ($layout) answered on $DISPLAY in $((($(date +%s%N) - started) / 1000000)) ms"
}

two_displays() {
    local layout=$1 work=$2 started
    [ -f "$two_displays_template/prismel-ready" ] ||
        { echo "no test prefix at $two_displays_template: run the harness.setup fixture first" >&2; return 1; }
    [ -d "$work/prefix-$layout" ] && WINEPREFIX=$work/prefix-$layout wineserver -k 2>/dev/null
    two_displays_xorg "$layout" "$work" || return 1
    started=$(date +%s%N)
    copy_prefix "$two_displays_template" "$work/prefix-$layout"
    own_server "$own_machine" || return 1
    # No virtual desktop; and, without a window manager, a hidden window would otherwise wait
    # 2 s for one.
    cat >"$work/no-desktop.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"=-

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
EOF
    wine reg import "$(windows_path "$work/no-desktop.reg")" >"$work/reg-$layout.log" 2>&1 ||
        { cat "$work/reg-$layout.log"; return 1; }
    echo "prefix copied, its wineserver started, the virtual desktop removed in" \
        "$((($(date +%s%N) - started) / 1000000)) ms"
}
