#!/usr/bin/env bash
# The kernel tier's runner: packs a minimal initramfs (busybox, the kernel's hid, uhid and
# hid-generic modules, the uhid bridge, one test binary and the shared libraries they need),
# boots it with qemu (software emulation, no KVM), and exits with the test binary's status.
#
#   run_guest.sh --bridge FILE --work DIR [--with FILE]... -- TEST [ARGS...]
#   run_guest.sh --check          says whether the tier can run here (exit 0) or not (77)
#
# Each --with FILE (a program the test runs, such as photara-cli) goes to /test/ too, with
# its shared libraries.
#
# Exit 77 means skipped: qemu, a readable kernel image with its HID modules, busybox or cpio
# is missing. PHOTARA_HW_TIMEOUT (seconds, default 110) bounds the whole boot.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

skip() {
    echo "kernel tier SKIPPED: $*"
    exit 77
}

# A module as shipped: plain (Debian 12) or xz-compressed (later releases).
module_file() {
    local m
    for m in "$1.ko" "$1.ko.xz"; do
        [ -r "$m" ] && { echo "$m"; return 0; }
    done
    return 1
}

# Newest kernel with an image we can read and the three HID modules.
find_kernel() {
    local image version dir
    for image in $(ls /boot/vmlinuz-* 2>/dev/null | sort -V -r); do
        version=${image#/boot/vmlinuz-}
        dir=/lib/modules/$version/kernel/drivers/hid
        [ -r "$image" ] && module_file "$dir/hid" >/dev/null &&
            module_file "$dir/uhid" >/dev/null && module_file "$dir/hid-generic" >/dev/null ||
            continue
        kernel_image=$image
        module_dir=$dir
        return 0
    done
    return 1
}

check() {
    command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 is not installed"
    command -v cpio >/dev/null || skip "cpio is not installed"
    command -v readelf >/dev/null || skip "readelf (binutils) is not installed"
    [ -x /bin/busybox ] || skip "busybox is not installed"
    find_kernel || skip "no readable /boot/vmlinuz-* with hid, uhid and hid-generic modules" \
        "(Debian: linux-image-amd64; the image is readable by root only)"
}

# Copies an ELF file and, transitively, the shared libraries and loader it asks for. Only
# reads the ELF headers (readelf); never runs the file or its loader, as ldd would.
lib_dirs=(/lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu /lib64 /usr/lib64 /lib /usr/lib)
declare -A copied=()
copy_with_libs() {  # file, destination inside the root
    local file=$1 dest=$2 interp lib dir found
    cp -L "$file" "$root$dest"
    interp=$(readelf -l "$file" 2>/dev/null | sed -n 's/.*Requesting program interpreter: \(.*\)\]/\1/p')
    if [ -n "$interp" ] && [ -z "${copied[$interp]:-}" ]; then
        copied[$interp]=1
        cp -L --parents "$interp" "$root"
    fi
    for lib in $(readelf -d "$file" 2>/dev/null | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        [ -n "${copied[$lib]:-}" ] && continue
        copied[$lib]=1
        found=
        for dir in "${lib_dirs[@]}"; do
            if [ -e "$dir/$lib" ]; then found=$dir/$lib; break; fi
        done
        [ -n "$found" ] || { echo "run_guest: $lib (needed by $file) not found" >&2; exit 1; }
        mkdir -p "$root$(dirname "$found")"
        copy_with_libs "$found" "$found"
    done
}

if [ "${1:-}" = "--check" ]; then
    check
    echo "kernel tier can run: $kernel_image"
    exit 0
fi

bridge= work=
extras=()
while [ $# -gt 0 ]; do
    case $1 in
        --bridge) bridge=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        --with) extras+=("$2"); shift 2 ;;
        --) shift; break ;;
        *) echo "run_guest: unknown option $1" >&2; exit 2 ;;
    esac
done
[ -n "$bridge" ] && [ -n "$work" ] && [ $# -ge 1 ] || {
    sed -n '6,7p' "$0" >&2
    exit 2
}
check
test_binary=$1
shift

root=$work/root
rm -rf "$root"
mkdir -p "$root"/{bin,dev,proc,sys,tmp,test,lib/modules}
copy_with_libs /bin/busybox /bin/busybox
for applet in $(/bin/busybox --list); do
    [ "$applet" = busybox ] || ln -s busybox "$root/bin/$applet"
done
for m in hid uhid hid-generic; do
    src=$(module_file "$module_dir/$m")
    case $src in
        *.xz) xz -dc "$src" >"$root/lib/modules/$m.ko" ;;  # busybox insmod takes plain modules
        *) cp "$src" "$root/lib/modules/$m.ko" ;;
    esac
done
cp "$here/guest_init.sh" "$root/init"
copy_with_libs "$bridge" /test/photara_uhid_bridge
own=(/test/photara_uhid_bridge)
for program in "$test_binary" "${extras[@]}"; do
    copy_with_libs "$program" "/test/$(basename "$program")"
    own+=("/test/$(basename "$program")")
done
# Our own binaries lose their debug sections: a smaller image boots faster.
for program in "${own[@]}"; do
    strip --strip-debug "$root$program"
done
{
    printf 'exec ./%q' "$(basename "$test_binary")"
    [ $# -gt 0 ] && printf ' %q' "$@"
    echo
} >"$root/test/cmd"
(cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initrd.gz"

log=$work/console.log
start=$(date +%s%N)
timeout "${PHOTARA_HW_TIMEOUT:-110}" qemu-system-x86_64 -accel tcg -m 1024 -nodefaults \
    -no-user-config -display none -serial stdio -no-reboot \
    -kernel "$kernel_image" -initrd "$work/initrd.gz" \
    -append "console=ttyS0 quiet panic=-1" </dev/null | tr -d '\r' | tee "$log" || true
wall=$(( ($(date +%s%N) - start) / 1000000 ))

booted=$(sed -n 's/^PHOTARA_HW_BOOTED=//p' "$log")
status=$(sed -n 's/^PHOTARA_HW_EXIT=//p' "$log")
echo "kernel tier: $kernel_image, guest ready after ${booted:-?} s, whole run ${wall} ms"
if [ -z "$status" ]; then
    echo "kernel tier FAILED: the guest ended without an exit status (crash or time-out)"
    exit 1
fi
exit "$status"
