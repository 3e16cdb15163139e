#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, then configures and builds
# the given preset. Fast when everything is already there.
set -euo pipefail
preset=${1:-default}
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libhidapi-dev libudev-dev
          libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-apps
          libxcb1-dev sway grim wtype qt6-wayland libwayland-dev at-spi2-core dbus-daemon dbus-bin
          python3-pyatspi)
[ "$preset" = fuzz ] && packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
