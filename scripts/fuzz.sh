#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each for the given number of
# seconds (default 60) over a copy of its seed corpus. Exits non-zero on any
# finding; the input that made a target fail is kept under
# build/fuzz/findings/<date-time>/ and its path printed, to be replayed with
# `build/fuzz/bin/fuzz_<name> FILE`.
# FUZZ_SKIP_BUILD=1 runs what is already built; FUZZ_JOBS=N runs N targets at
# once (default 1).
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
[ "${FUZZ_SKIP_BUILD:-0}" = 1 ] || bash scripts/setup.sh fuzz
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/.ci/lsan.supp}"
work=$(mktemp -d)
findings=$PWD/build/fuzz/findings/$(date +%Y%m%d-%H%M%S)
mkdir -p "$findings"
trap 'rm -rf "$work"; rmdir "$findings" 2>/dev/null || true' EXIT
jobs=${FUZZ_JOBS:-1}

# One target over a copy of its seeds; its summary goes to $work/<name>.result.
run_target() {
    local target=$1 name=${1##*/fuzz_} start=$SECONDS
    mkdir -p "$work/$name"
    [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$work/$name/"
    if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 \
            -artifact_prefix="$findings/$name-" "$work/$name" > "$work/$name.log" 2>&1; then
        local runs
        runs=$(grep -o 'Done [0-9]* runs' "$work/$name.log" | tail -n 1 | cut -d' ' -f2)
        echo "fuzz $name: ${runs:-?} runs in $((SECONDS - start)) s" > "$work/$name.result"
    else
        {
            tail -n 40 "$work/$name.log"
            echo "fuzz $name FAILED after $((SECONDS - start)) s"
            for input in "$findings/$name"-*; do
                [ -e "$input" ] && echo "fuzz $name: failing input kept in $input"
            done
        } > "$work/$name.result"
    fi
}

# FUZZ_JOBS targets at a time, each on a core of its own.
for target in build/fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    run_target "$target" &
done
wait
passed=0
failed=0
for result in "$work"/*.result; do
    cat "$result"
    if grep -q FAILED "$result"; then
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
