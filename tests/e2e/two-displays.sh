#!/bin/bash
# Runs a Windows test program on a desktop of two displays, one at negative coordinates
# (tests/harness/two-displays.sh), with an X server, prefix and wineserver of its own.
#   two-displays.sh left|above PROGRAM WORK_FOLDER [ARGS...]
# ARGS go to the test program (--gtest_filter=...).
set -u
layout=$1
program=$(realpath "$2") || exit 1
mkdir -p "$3" && work=$(cd "$3" && pwd) || exit 1
shift 3
. "$(dirname "$0")/../harness/two-displays.sh"
prismel_skip_unrunnable "$program"
two_displays "$layout" "$work" || exit 1
fresh_run "$program" "$@"
