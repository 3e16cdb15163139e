#!/usr/bin/env bash
# Sets everything up and starts the program against the simulated keyboard.
# Without a display it runs under Xvfb and writes a screenshot instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh default

state_dir=${XDG_STATE_HOME:-$HOME/.local/state}/tessel
mkdir -p "$state_dir"
export TORVEX_BACKEND=${TORVEX_BACKEND:-sim}
export TORVEX_SIM_STATE=${TORVEX_SIM_STATE:-$state_dir/simulated-keyboard.state}
export TORVEX_SIM_CONTROL=${TORVEX_SIM_CONTROL:-$state_dir/simulated-keyboard.sock}
program=build/default/program/tessel

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Starting the program against the simulated keyboard; it lives in the tray."
    echo "Drive the keyboard with: build/default/program/torvex-sim --socket $TORVEX_SIM_CONTROL help"
    exec "$program" "$@"
fi
shot=$PWD/build/default/screenshot.png
echo "No display: rendering the main window under Xvfb into $shot"
xvfb-run -a -s "-screen 0 1600x1000x24" "$program" --screenshot "$shot"
echo "Wrote $shot"
