#!/usr/bin/env bash
# Installs the Debian package on a fresh Debian 12 (debootstrap, minbase) in a
# chroot, with "apt-get install ./tessel_*.deb" as a user would, and checks the
# installed program there as an ordinary user; then purges the package and
# checks that nothing of it is left. Needs root and a Debian mirror; takes a
# few minutes, so CI does not run it.
#
#   sudo bash scripts/check-fresh-install.sh [tessel_<version>_<arch>.deb]
#
# Without an argument the package is built from build/default (cpack -G DEB).
# MIRROR=<url> picks the Debian mirror (default: the one this machine's apt
# uses, else deb.debian.org). FRESH_ROOT_TARBALL=<file.tgz> keeps the
# bootstrapped root there and reuses it on later runs. SHOT=<file.png> keeps
# the screenshot the installed program made.
set -euo pipefail
cd "$(dirname "$0")/.."

say() { echo "check-fresh-install: $*"; }
fail() { echo "check-fresh-install: FAILED: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, chroot, mount)"

if [ $# -ge 1 ]; then
    deb=$(realpath "$1")
else
    rm -f build/default/tessel_*.deb
    (cd build/default && cpack -G DEB > cpack.log 2>&1) || { cat build/default/cpack.log; exit 1; }
    deb=$(realpath build/default/tessel_*.deb)
fi
[ -f "$deb" ] || fail "no package $deb"
version=$(dpkg-deb -f "$deb" Version)
say "package ${deb##*/}, $(du -k "$deb" | cut -f1) KiB, Depends: $(dpkg-deb -f "$deb" Depends)"

# The Debian mirror this machine's apt already uses, if it names one.
host_mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
        2>/dev/null | grep -oE 'https?://[^ ]+/debian/?( |$)' | head -n 1 | tr -d ' ' || true
}
mirror=${MIRROR:-$(host_mirror)}
mirror=${mirror:-http://deb.debian.org/debian}

if ! command -v debootstrap > /dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
fi

root=$(mktemp -d /tmp/tessel-fresh.XXXXXX)
chmod 755 "$root"  # it becomes /, which users and apt's _apt must enter
mounts=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" || umount -l "${mounts[i]}" || true
    done
    # Never delete through a mount that is still there.
    if grep -qF " $root/" /proc/mounts; then
        echo "check-fresh-install: $root still has mounts; left in place" >&2
    else
        rm -rf "$root"
    fi
}
trap cleanup EXIT

if [ -n "${FRESH_ROOT_TARBALL:-}" ] && [ -s "$FRESH_ROOT_TARBALL" ]; then
    say "fresh root from $FRESH_ROOT_TARBALL"
    tar -C "$root" -xzf "$FRESH_ROOT_TARBALL"
else
    say "debootstrap bookworm from $mirror (a few minutes)"
    debootstrap --variant=minbase bookworm "$root" "$mirror" > "$root.debootstrap.log" 2>&1 \
        || { tail -n 20 "$root.debootstrap.log"; rm -f "$root.debootstrap.log"; fail "debootstrap"; }
    rm -f "$root.debootstrap.log"
    if [ -n "${FRESH_ROOT_TARBALL:-}" ]; then
        tar -C "$root" -czf "$FRESH_ROOT_TARBALL" .
    fi
fi

# /proc for the program's own path, /dev/shm for its named semaphores, and
# /dev/pts for apt's log.
mount -t proc proc "$root/proc" || fail "mount /proc"
mounts+=("$root/proc")
mount -t tmpfs -o mode=1777 shm "$root/dev/shm" || fail "mount /dev/shm"
mounts+=("$root/dev/shm")
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts" || fail "mount /dev/pts"
mounts+=("$root/dev/pts")
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/" && chmod 644 "$root/tmp/${deb##*/}"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }
# An ordinary user's session, without a display.
in_session() { chroot --userspec=tester:tester "$root" /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin \
    HOME=/home/tester XDG_RUNTIME_DIR=/run/user/1000 LANG=C.UTF-8 "$@"; }

in_root apt-get update -q > /dev/null
# No recommends: what the package depends on must be enough on its own.
start=$(date +%s)
in_root apt-get install -y --no-install-recommends "./tmp/${deb##*/}" > "$root/tmp/install.log" 2>&1 \
    || { cat "$root/tmp/install.log"; fail "apt-get install"; }
seconds=$(($(date +%s) - start))
[ "$(in_root dpkg-query -W -f='${Status}' tessel)" = "install ok installed" ] || fail "not installed"
! grep -iE '^(E:|W:|dpkg: (error|warning))' "$root/tmp/install.log" || fail "apt-get install reported problems"
say "installed with $(grep -cE '^Setting up ' "$root/tmp/install.log") packages in ${seconds} s (post-install without udev included)"

in_root useradd --create-home --uid 1000 --user-group tester
in_root install -d -m 700 -o tester -g tester /run/user/1000

[ "$(in_session sh -c 'command -v tessel')" = /usr/bin/tessel ] || fail "tessel is not on PATH"
in_session tessel --version | grep -qx "tessel $version" || fail "--version does not say $version"
in_session tessel --help | grep -q -- '--backup' || fail "--help"
say "tessel --version and --help from PATH"

# The window against the simulated keyboard, drawn off screen. Qt warns on
# standard error about what it misses (platform plugins, fonts).
in_session env TORVEX_BACKEND=sim QT_QPA_PLATFORM=offscreen tessel --screenshot /tmp/shot.png \
    2> "$root/tmp/screenshot.err" || { cat "$root/tmp/screenshot.err"; fail "--screenshot"; }
# The offscreen platform has no tray, window masks or raising; anything else
# it says is something missing.
if grep -v -e '^This plugin does not support' -e 'systemTrayWindowChanged' "$root/tmp/screenshot.err"; then
    fail "--screenshot warned"
fi
[ "$(head -c 8 "$root/tmp/shot.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
    || fail "the screenshot is not a PNG"
say "screenshot against the simulated keyboard: $(du -k "$root/tmp/shot.png" | cut -f1) KiB"
[ -z "${SHOT:-}" ] || cp "$root/tmp/shot.png" "$SHOT"

# Every library the program, the device library and Qt's X11 platform plugin
# load comes with the package's dependencies.
for elf in /usr/lib/tessel/tessel /usr/lib/tessel/libTorvex.so \
           /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so; do
    [ -e "$root$elf" ] || fail "$elf is missing"
    ! in_root ldd "$elf" | grep 'not found' || fail "$elf misses libraries"
done
# The window on an X server (Xvfb, installed only now, after the check above).
in_root apt-get install -y --no-install-recommends xvfb xauth > "$root/tmp/xvfb.log" 2>&1 \
    || { cat "$root/tmp/xvfb.log"; fail "installing xvfb"; }
in_session env TORVEX_BACKEND=sim xvfb-run -a -s "-screen 0 1600x1000x24" \
    tessel --screenshot /tmp/x11.png 2> "$root/tmp/x11.err" || { cat "$root/tmp/x11.err"; fail "X11 window"; }
if grep -v -e '^This plugin does not support' "$root/tmp/x11.err"; then
    fail "the X11 window warned"
fi
[ -s "$root/tmp/x11.png" ] || fail "no screenshot on X11"
say "the window on X11 (xcb): $(du -k "$root/tmp/x11.png" | cut -f1) KiB"

# Started as the session's autostart does, the program waits in the tray and
# carries out a command of another process: that one has no keyboard of its
# own (hid backend), so only the running instance can make it succeed.
cat > "$root/tmp/instance.sh" << 'EOF_INSTANCE'
TORVEX_BACKEND=sim tessel /Start &
instance=$!
for _ in $(seq 50); do
    sleep 0.3
    if TORVEX_BACKEND=hid tessel --profile 3 2> /dev/null; then
        tessel /Kill && wait "$instance" && exit 0
        break
    fi
done
kill "$instance"
exit 1
EOF_INSTANCE
in_session xvfb-run -a -s "-screen 0 1600x1000x24" sh /tmp/instance.sh 2> "$root/tmp/instance.err" \
    || { cat "$root/tmp/instance.err"; fail "the running instance did not carry out --profile 3"; }
say "tessel /Start waits; --profile 3 from another process is carried out by it; /Kill ends it"

# The keyboard commands need no display.
in_session env TORVEX_BACKEND=sim tessel --profile 2 || fail "--profile 2"
in_session env TORVEX_BACKEND=sim tessel --backup /tmp/keyboard.fwc || fail "--backup"
[ -s "$root/tmp/keyboard.fwc" ] || fail "--backup wrote nothing"
in_session env TORVEX_BACKEND=sim tessel --restore /tmp/keyboard.fwc || fail "--restore"
# The real backend (hidapi) loads and says that no keyboard is there.
if in_session tessel --profile 2 2> "$root/tmp/nokeyboard.err"; then
    fail "--profile without a keyboard succeeded"
fi
[ "$(wc -l < "$root/tmp/nokeyboard.err")" -eq 1 ] || { cat "$root/tmp/nokeyboard.err"; fail "no keyboard: not one line"; }
say "--profile 2, --backup, --restore headless; without a keyboard: $(cat "$root/tmp/nokeyboard.err")"

[ -f "$root/usr/lib/udev/rules.d/70-torvex.rules" ] || fail "no udev rule"
# Where udev runs, post-install reloads the rules and post-remove does again;
# a failing udevadm does not fail either. apt runs the maintainer scripts with
# PATH=/usr/sbin:/usr/bin:/sbin:/bin, so the stand-in goes where udev puts it.
[ ! -e "$root/usr/bin/udevadm" ] || fail "udev got installed; the stand-in udevadm would replace it"
mkdir -p "$root/run/udev"
printf '#!/bin/sh\necho "$*" >> /tmp/udevadm.log\nexit 1\n' > "$root/usr/bin/udevadm"
chmod 755 "$root/usr/bin/udevadm"
in_root apt-get install --reinstall -y "./tmp/${deb##*/}" > "$root/tmp/reinstall.log" 2>&1 \
    || { cat "$root/tmp/reinstall.log"; fail "post-install with udev"; }
grep -qx 'control --reload-rules' "$root/tmp/udevadm.log" || fail "post-install did not reload the rules"
grep -qx 'trigger --subsystem-match=hidraw --action=change' "$root/tmp/udevadm.log" \
    || fail "post-install did not trigger hidraw"
say "post-install with udev reloads the rules and triggers hidraw"

in_root dpkg-query -L tessel > "$root/tmp/files"
in_root apt-get remove --purge -y tessel > "$root/tmp/purge.log" 2>&1 \
    || { cat "$root/tmp/purge.log"; fail "apt-get remove --purge"; }
[ "$(grep -c 'control --reload-rules' "$root/tmp/udevadm.log")" -eq 2 ] \
    || { cat "$root/tmp/purge.log" "$root/tmp/udevadm.log"; fail "post-remove did not reload the rules"; }
rm -r "$root/run/udev" "$root/usr/bin/udevadm"
status=$(in_root dpkg-query -W -f='${Status}' tessel 2> /dev/null || true)
[ -z "$status" ] || [ "${status##* }" = not-installed ] || fail "after purge dpkg says: $status"
left=()
while read -r path; do
    [ "$path" != /. ] || continue
    [ -e "$root$path" ] || [ -L "$root$path" ] || continue
    # Shared folders (/usr/bin, /usr/share/applications) belong to other packages too.
    [ -d "$root$path" ] && [ ! -L "$root$path" ] && in_root dpkg-query -S "$path" > /dev/null 2>&1 && continue
    left+=("$path")
done < "$root/tmp/files"
[ ${#left[@]} -eq 0 ] || fail "left behind after purge: ${left[*]}"
say "apt-get remove --purge left none of the package's $(wc -l < "$root/tmp/files") paths"
say "passed"
