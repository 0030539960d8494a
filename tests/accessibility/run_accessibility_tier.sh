#!/bin/bash
# Starts Photara on the virtual meter under Xvfb, inside a D-Bus session with the
# accessibility bus, and reads its tree over AT-SPI (check_tree.py). Exit 77: skipped, with
# the reason on stderr.
set -u
photara=${1:?usage: run_accessibility_tier.sh PATH-TO-photara}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher

skip() { echo "accessibility tier: SKIPPED: $*" >&2; exit 77; }
command -v Xvfb >/dev/null || skip "no Xvfb (package xvfb)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (package dbus)"
[ -x "$launcher" ] || skip "no $launcher (package at-spi2-core)"
# Debian's own Python, where python3-pyatspi installs (not one a version manager put first).
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" -c 'import pyatspi' 2>/dev/null || skip "no pyatspi (package python3-pyatspi)"

# A display of our own: the first free one from :71.
display=71
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
Xvfb ":$display" -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X$display" ] || skip "Xvfb did not start: $(cat "$work/xvfb.log")"

export DISPLAY=":$display" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Settings, recent files and the lock of this run only.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" PHOTARA_TEST_LOCK_FOLDER="$work/lock"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$PHOTARA_TEST_LOCK_FOLDER"
unset QT_QPA_PLATFORMTHEME

# Not exec: the trap above still has to stop Xvfb and clear the work folder.
dbus-run-session -- bash -c '
    "$0" --launch-immediately >/dev/null 2>&1 &
    bus=$!
    "$1" --virtual-meter >"$3/photara.log" 2>&1 &
    app=$!
    "$4" "$2/check_tree.py"
    status=$?
    kill $app $bus 2>/dev/null
    wait $app 2>/dev/null
    [ $status -ne 0 ] && cat "$3/photara.log" >&2
    exit $status
' "$launcher" "$photara" "$here" "$work" "$python"
exit $?
