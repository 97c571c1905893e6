#!/bin/sh
# Runs one fuzz target for a bounded time:
#   run-fuzzer.sh <fuzzer> <seed folder> <work folder> <seconds>
# PRISMEL_FUZZ_SECONDS, when set, replaces <seconds> (make fuzz sets it). The seeds in the
# repository are only read: inputs that reach new code go to <work>/corpus, where the next run
# starts from them, and an input that breaks a rule or trips a sanitizer goes to
# <work>/findings (crash-*, leak-*, timeout-*, oom-*), to be replayed with `<fuzzer> <file>`.
set -eu
fuzzer=$1 seeds=$2 work=$3
seconds=${PRISMEL_FUZZ_SECONDS:-$4}
mkdir -p "$work/corpus" "$work/findings"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/findings/" "$work/corpus" "$seeds"
