#!/bin/bash
# Runs CTest for each build given and prints each summary, then the total over all of them.
set -u
cd "$(dirname "$0")/.."
total=0 failed=0 skipped=0 status=0
for preset in "$@"; do
    echo "== $preset build"
    log=build/$preset/ctest-summary.log
    ctest --preset "$preset" 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    # "100% tests passed, 0 tests failed out of 12"
    counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$log")
    if [ -n "$counts" ]; then
        failed=$((failed + ${counts% *}))
        total=$((total + ${counts#* }))
    fi
    # Tests this machine cannot run say why in their output; CTest lists them as skipped.
    skipped=$((skipped + $(grep -c '(Skipped)$' "$log")))
done
echo "make test: $((total - failed - skipped)) passed, $failed failed, $skipped skipped"
exit $status
