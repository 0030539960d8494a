#!/bin/sh
# PID 1 of the kernel-tier guest: loads the HID modules, serves the virtual meter through
# /dev/uhid, runs the test command, prints its exit status on the console, powers off.
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
exec </dev/console >/dev/console 2>&1
# No udev here to load drivers: hid first, then uhid and hid-generic, which need it. Without
# hid-generic no hidraw node appears.
for m in hid uhid hid-generic; do
    insmod /lib/modules/$m.ko || echo "guest: insmod $m failed"
done
mkdir -p /tmp/bridge
/test/photara_uhid_bridge --control /tmp/bridge &
# The hidraw node appears a little after the device is created.
for i in $(seq 100); do
    [ -n "$(ls /sys/class/hidraw 2>/dev/null)" ] && break
    sleep 0.1
done
[ -n "$(ls /sys/class/hidraw 2>/dev/null)" ] || echo "guest: no hidraw node appeared"
echo "PHOTARA_HW_BOOTED=$(cut -d' ' -f1 /proc/uptime)"
cd /test && PHOTARA_HW_GUEST=1 PHOTARA_BRIDGE_CONTROL=/tmp/bridge sh ./cmd
echo "PHOTARA_HW_EXIT=$?"
poweroff -f
