#!/usr/bin/env bash
# Whole-program footprint of the built program against the simulated keyboard
# (offscreen platform): time from start until the request endpoint exists,
# resident memory in the tray, idle wake-ups, and resident memory with the
# window shown and after it was hidden again.
#
#   bash bench/program_footprint.sh [build folder]      (default build/default)
#
# RUNS (5) cold starts with "/Start", each in fresh HOME and XDG folders; the
# figures are the median over the runs. The last run then opens the window
# (a second start hands over), hides it (the keyboard is unplugged, which
# hides the window, then plugged back) and measures again HIDDEN_WAIT (60)
# seconds later. IDLE_SECONDS (10) is the span over which wake-ups (context
# switches of all threads) are counted in the tray.
#
# FOCUS=x11 runs the program with following the application in front switched
# on (a rule set with --app-profile before each start) on an Xvfb of its own,
# so the idle wake-ups include the focus watcher's.
set -euo pipefail

build=${1:-build/default}
program=$(realpath "$build/program/tessel")
sim=$(realpath "$build/program/torvex-sim")
runs=${RUNS:-5}
settle=${SETTLE:-3}
idle_seconds=${IDLE_SECONDS:-10}
hidden_wait=${HIDDEN_WAIT:-60}

# A sleep without a process of its own, so the polling disturbs little.
exec {pause_fd}<> <(:)
pause() { read -r -t "$1" -u "$pause_fd" || true; }

now_us() { local t=${EPOCHREALTIME/[.,]/}; echo "$t"; }
# CPU time the process has used, in ms: on a busy machine a steadier figure
# than the wall-clock time.
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { sum += $2 } END { print sum + 0 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mb() { awk -v kb="$1" 'BEGIN { printf "%.1f", kb / 1024 }'; }

root=$(mktemp -d /tmp/tessel-footprint-XXXXXX)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
    rm -rf "$root"
}
trap cleanup EXIT

xvfb=
if [ "${FOCUS:-}" = x11 ]; then
    Xvfb -displayfd 1 -nolisten tcp -screen 0 320x240x24 >"$root/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$root/display" ] && break; pause 0.05; done
    export DISPLAY=:$(head -n1 "$root/display")
    trap 'cleanup; kill "$xvfb" 2>/dev/null || true' EXIT
fi

world() {
    local dir=$root/run$1
    mkdir -p "$dir"/{home,config,data,cache,state,run}
    chmod 700 "$dir/run"
    export HOME=$dir/home XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data
    export XDG_CACHE_HOME=$dir/cache XDG_STATE_HOME=$dir/state XDG_RUNTIME_DIR=$dir/run
    export QT_QPA_PLATFORM=offscreen TORVEX_BACKEND=sim
    export TORVEX_SIM_STATE=$dir/keyboard.state TORVEX_SIM_CONTROL=$dir/sim.sock
    if [ -n "$xvfb" ]; then
        "$program" --app-profile set xterm 2 >/dev/null
    fi
}

stop_program() {
    "$program" /Kill >/dev/null 2>&1 || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; pause 0.05; done
    if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
    wait "$pid" 2>/dev/null || true
    pid=
}

start_ms=() start_cpu_ms=() tray_kb=() wakeups=()
for run in $(seq "$runs"); do
    world "$run"
    begin=$(now_us)
    "$program" /Start >"$root/out$run" 2>&1 &
    pid=$!
    socket=$XDG_RUNTIME_DIR/Zerkon_PX5.$pid.sock
    until [ -S "$socket" ]; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended:"; cat "$root/out$run"; exit 1; }
        pause 0.0005
    done
    start_ms+=("$(( ($(now_us) - begin) / 1000 ))")
    start_cpu_ms+=("$(cpu_ms "$pid")")
    sleep "$settle"
    tray_kb+=("$(rss_kb "$pid")")
    before=$(switches "$pid")
    sleep "$idle_seconds"
    wakeups+=("$(awk -v n="$(( $(switches "$pid") - before ))" -v s="$idle_seconds" 'BEGIN { printf "%.1f", n / s }')")
    printf 'run %d: endpoint after %d ms (%d ms of CPU), tray %s MB, %s wake-ups/s\n' "$run" \
        "${start_ms[-1]}" "${start_cpu_ms[-1]}" "$(mb "${tray_kb[-1]}")" "${wakeups[-1]}"
    [ "$run" -lt "$runs" ] && stop_program
done

# The last run: show the window, then hide it.
"$program" >/dev/null 2>&1 || true
sleep "$settle"
shown_kb=$(rss_kb "$pid")
"$sim" unplug >/dev/null
sleep 1
"$sim" plug >/dev/null
sleep "$hidden_wait"
hidden_kb=$(rss_kb "$pid")
stop_program

echo
echo "start until the request endpoint exists, median of $runs: $(printf '%s\n' "${start_ms[@]}" | median) ms (${start_ms[*]})"
echo "CPU time used until then, median: $(printf '%s\n' "${start_cpu_ms[@]}" | median) ms"
echo "resident memory in the tray, window never shown, median: $(mb "$(printf '%s\n' "${tray_kb[@]}" | median)") MB"
echo "idle wake-ups in the tray, median: $(printf '%s\n' "${wakeups[@]}" | median) per second"
echo "resident memory with the window shown: $(mb "$shown_kb") MB"
echo "resident memory ${hidden_wait} s after the window was hidden: $(mb "$hidden_kb") MB"
