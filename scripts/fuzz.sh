#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each for the given number of
# seconds (default 60) over a copy of its seed corpus. Exits non-zero on any
# finding; the input that made a target fail is kept under
# build/fuzz/findings/<date-time>/ and its path printed, to be replayed with
# `build/fuzz/bin/fuzz_<name> FILE`.
# FUZZ_SKIP_BUILD=1 runs what is already built.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
[ "${FUZZ_SKIP_BUILD:-0}" = 1 ] || bash scripts/setup.sh fuzz
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/.ci/lsan.supp}"
work=$(mktemp -d)
findings=$PWD/build/fuzz/findings/$(date +%Y%m%d-%H%M%S)
mkdir -p "$findings"
trap 'rm -rf "$work"; rmdir "$findings" 2>/dev/null || true' EXIT
passed=0
failed=0
for target in build/fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=${target##*/fuzz_}
    mkdir -p "$work/$name"
    [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$work/$name/"
    start=$SECONDS
    if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 \
            -artifact_prefix="$findings/$name-" "$work/$name" > "$work/$name.log" 2>&1; then
        passed=$((passed + 1))
        runs=$(grep -o 'Done [0-9]* runs' "$work/$name.log" | tail -n 1 | cut -d' ' -f2)
        echo "fuzz $name: ${runs:-?} runs in $((SECONDS - start)) s"
    else
        tail -n 40 "$work/$name.log"
        failed=$((failed + 1))
        echo "fuzz $name FAILED after $((SECONDS - start)) s"
        for input in "$findings/$name"-*; do
            [ -e "$input" ] && echo "fuzz $name: failing input kept in $input"
        done
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
