#!/usr/bin/env bash
# Whole-program footprint of the built program against the simulated keyboard
# (offscreen platform), side by side in one run with a bare Qt Widgets program
# that has a tray icon, its menu and a Unix socket endpoint
# (bench/footprint_bare_tray.cpp, built with the other benchmarks).
#
#   bash bench/program_footprint.sh [build folder]      (default build/default)
#
# RUNS (7) cold starts of each, alternating (the bare program, then the
# program), each in fresh HOME and XDG folders; the figures are the medians
# over the runs, and the ratios those of the program's medians to the bare
# program's. bench_footprint_probe times each start until the endpoint answers
# a request of no meaning (the program's endpoint thread answers it), and until
# the main thread answers one (the program's once its event loop has done the
# start-up work queued before it); the second is the start time compared.
# Resident memory in the tray is taken SETTLE (2) seconds after the start, and
# wake-ups (context switches of all threads) are then counted over
# IDLE_SECONDS (5). The program's last run then opens the window (a second
# start hands over), hides it (the keyboard is unplugged, which hides the
# window, then plugged back) and measures again HIDDEN_WAIT (60) seconds later.
#
# FOCUS=x11 runs the program with following the application in front switched
# on (a rule set with --app-profile before each start) on an Xvfb of its own,
# so the idle wake-ups include the focus watcher's.
set -euo pipefail

build=${1:-build/default}
program=$(realpath "$build/program/tessel")
sim=$(realpath "$build/program/torvex-sim")
bare=$build/bin/bench_footprint_bare_tray
probe=$build/bin/bench_footprint_probe
icon=$build/program/Skins/icon128.png
runs=${RUNS:-7}
settle=${SETTLE:-2}
idle_seconds=${IDLE_SECONDS:-5}
hidden_wait=${HIDDEN_WAIT:-60}

for needed in "$bare" "$probe"; do
    if [ ! -x "$needed" ]; then
        echo "$needed is missing: build the benchmarks first" \
            "(cmake --build $build --target $(basename "$needed"))" >&2
        exit 1
    fi
done
[ -f "$icon" ] || { echo "$icon is missing: build the program first" >&2; exit 1; }

# A sleep without a process of its own, so the waiting disturbs little.
exec {pause_fd}<> <(:)
pause() { read -r -t "$1" -u "$pause_fd" || true; }

now_us() { local t=${EPOCHREALTIME/[.,]/}; echo "$((10#$t))"; }
pause_until_us() {
    local left=$(($1 - $(now_us)))
    if [ "$left" -gt 0 ]; then pause "$(printf '%d.%06d' $((left / 1000000)) $((left % 1000000)))"; fi
}
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { sum += $2 } END { print sum + 0 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mb() { awk -v kb="$1" 'BEGIN { printf "%.1f", kb / 1024 }'; }
ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

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
    local dir=$root/$1
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

stop() {
    if [ "$1" = program ]; then
        "$program" /Kill >/dev/null 2>&1 || true
    else
        kill -TERM "$pid" 2>/dev/null || true
    fi
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; pause 0.05; done
    if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
    wait "$pid" 2>/dev/null || true
    pid=
}

# One cold start of `who` (program or bare); its figures go to $root/<who>.<figure>.
measure() {
    local who=$1 run=$2 endpoint begin endpoint_us main_us cpu_us tray before wakeups
    world "$who$run"
    local out=$root/$who$run.out
    begin=$(now_us)
    if [ "$who" = program ]; then
        "$program" /Start >"$out" 2>&1 &
        pid=$!
        endpoint=Zerkon_PX5
    else
        "$bare" "$icon" >"$out" 2>&1 &
        pid=$!
        endpoint=footprint_bare_tray
    fi
    if ! read -r endpoint_us main_us cpu_us < <("$probe" "$endpoint" "$pid" 2>>"$out"); then
        echo "the $who did not answer:"
        cat "$out"
        exit 1
    fi
    echo $((endpoint_us - begin)) >>"$root/$who.endpoint"
    echo $((main_us - begin)) >>"$root/$who.start"
    echo "$cpu_us" >>"$root/$who.cpu"
    pause_until_us $((begin + settle * 1000000))
    tray=$(rss_kb "$pid")
    echo "$tray" >>"$root/$who.tray"
    before=$(switches "$pid")
    pause "$idle_seconds"
    wakeups=$(awk -v n="$(($(switches "$pid") - before))" -v s="$idle_seconds" 'BEGIN { printf "%.1f", n / s }')
    echo "$wakeups" >>"$root/$who.wakeups"
    printf 'run %d, %-8s endpoint answers after %6s ms, main thread after %6s ms (%5s ms of CPU), tray %s MB, %s wake-ups/s\n' \
        "$run" "$who:" "$(ms $((endpoint_us - begin)))" "$(ms $((main_us - begin)))" "$(ms "$cpu_us")" \
        "$(mb "$tray")" "$wakeups"
}

load_before=$(load)
for run in $(seq "$runs"); do
    measure bare "$run"
    stop bare
    measure program "$run"
    if [ "$run" -lt "$runs" ]; then stop program; fi
done

# The program's last run: show the window, then hide it.
"$program" >/dev/null 2>&1 || true
sleep "$settle"
shown_kb=$(rss_kb "$pid")
"$sim" unplug >/dev/null
sleep 1
"$sim" plug >/dev/null
sleep "$hidden_wait"
hidden_kb=$(rss_kb "$pid")
stop program
load_after=$(load)

of() { median <"$root/$1.$2"; }
row() {  # label, figure, unit scale (ms or mb or none)
    local program_value bare_value
    program_value=$(of program "$2")
    bare_value=$(of bare "$2")
    awk -v label="$1" -v p="$program_value" -v b="$bare_value" -v unit="$3" 'BEGIN {
        scale = unit == "ms" ? 1000 : unit == "MB" ? 1024 : 1
        ratio = b > 0 ? sprintf("%.2f", p / b) : "-"
        printf "%-44s %9.1f %9.1f %7s\n", label, p / scale, b / scale, ratio
    }'
}

echo
printf '%-44s %9s %9s %7s\n' "median of $runs cold starts each" program bare ratio
row "start until the endpoint answers, ms" endpoint ms
row "start until the main thread answers, ms" start ms
row "CPU time used until then, ms" cpu ms
row "resident memory in the tray after ${settle} s, MB" tray MB
row "idle wake-ups in the tray, per second" wakeups none
echo "resident memory of the program with the window shown: $(mb "$shown_kb") MB"
echo "resident memory ${hidden_wait} s after the window was hidden: $(mb "$hidden_kb") MB"
echo "load average (1, 5, 15 min): $load_before at the start, $load_after at the end"
