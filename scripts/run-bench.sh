#!/bin/bash
# make bench: runs the benchmark under the tests' Wine, display and prefix, then stops them.
set -u
cd "$(dirname "$0")/.."
tests/harness/setup.sh >/dev/null || exit 1
tests/harness/wine-run build/win64/bin/prismel_bench.exe
status=$?
tests/harness/cleanup.sh
exit $status
