#!/bin/bash
# Runs the install test program on a machine that has never seen Prismel (tests/harness/own-machine.sh).
#   install-in-fresh-prefix.sh win64|win32 TEST_PROGRAM WIN64_BIN WIN32_BIN WORK_FOLDER [ARGS...]
# ARGS go to the test program (--gtest_filter=...).
set -u
arch=$1 program=$2 win64_bin=$3 win32_bin=$4
mkdir -p "$5" && work=$(cd "$5" && pwd) || exit 1
shift 5
. "$(dirname "$0")/../harness/own-machine.sh"
prismel_skip_unrunnable "$program"

setup=$("$own_repo/installer/make-setup.sh" "$work/setup-$arch" "$win64_bin" "$win32_bin") || exit 1
fresh_prefix "$arch" "$work" || exit 1
fresh_run "$program" "$(windows_path "$setup")" "$(windows_path "$win64_bin")" \
    "$(windows_path "$win32_bin")" "$@"
