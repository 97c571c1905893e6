#!/bin/bash
# Test fixture: stops what setup.sh started, by the pids it recorded, and nothing else.
. "$(dirname "$0")/wine-env.sh"
running() { # a zombie has ended; only its parent can reap it
    [ -n "$(ps -o stat= -p "$1" 2>/dev/null | grep -v Z)" ]
}
stop() {
    local pidfile=$HARNESS_DIR/$1.pid
    [ -f "$pidfile" ] || return 0
    local pid
    pid=$(cat "$pidfile")
    if running "$pid"; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 50); do running "$pid" || break; sleep 0.1; done
        running "$pid" && kill -9 "$pid" 2>/dev/null
    fi
    rm -f "$pidfile"
}
if [ -f "$HARNESS_DIR/wineserver.pid" ]; then
    wineserver -k 2>/dev/null # ends the Windows programs of our prefix and its server
    stop wineserver
fi
stop xvfb
rm -f "$HARNESS_DIR/display"
exit 0
