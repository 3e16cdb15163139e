#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each for the given number of
# seconds over a copy of its seed corpus. Exits non-zero on any finding.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
bash scripts/setup.sh fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
for target in build/fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=${target##*/fuzz_}
    mkdir -p "$work/$name"
    [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$work/$name/"
    echo "fuzz $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 \
            -artifact_prefix="$work/$name-" "$work/$name" > "$work/$name.log" 2>&1; then
        tail -n 40 "$work/$name.log"
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
