#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer) and runs each for a bounded time,
# starting from the seeds in fuzz/seeds. A crash fails the run and leaves the
# input as build/fuzz/crash-*; turn it into a regression test.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for target in ini table numbers html project ooxml; do
    corpus="$work/$target"
    mkdir -p "$corpus"
    cp fuzz/seeds/"$target"/* "$corpus"/
    log="$work/$target.log"
    # Templates are larger than the other inputs: whole packages, and parts
    # with deep nesting or long paragraphs.
    max_len=4096
    [ "$target" = ooxml ] && max_len=262144
    # An input that takes seconds is a finding too, not only a crash.
    if QT_QPA_PLATFORM=offscreen build/fuzz/bin/fuzz-"$target" -max_total_time="$seconds" \
        -timeout=10 -max_len="$max_len" -artifact_prefix=build/fuzz/crash-"$target"- \
        "$corpus" >"$log" 2>&1; then
        runs=$(grep -oE 'Done [0-9]+ runs' "$log" | tail -1 | grep -oE '[0-9]+')
        printf '%-8s %10s Ausführungen in %s s\n' "$target" "${runs:-?}" "$seconds"
    else
        echo "fuzz-$target hat einen Fehler gefunden:"
        tail -30 "$log"
        status=1
    fi
done
exit $status
