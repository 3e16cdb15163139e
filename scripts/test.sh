#!/usr/bin/env bash
# Sets everything up, builds, and runs all tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh default
QT_QPA_PLATFORM=offscreen ctest --preset default -j "$(nproc)"
