#!/usr/bin/env bash
# Photara's one entry point: installs what it needs (Debian 12 packages), builds, and runs.
#   ./photara.sh run [photara options]   start Photara on the virtual meter
#   ./photara.sh test                    build with ASan+UBSan and run every test headless
#   ./photara.sh bench                   build optimised and run the benchmarks
#   ./photara.sh fuzz [seconds]          build the libFuzzer targets with clang and run each
#   ./photara.sh build                   build the program only (build/release)
#   ./photara.sh package                 build the Debian package (build/package) and validate it
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$root"

# Everything the build, the tests and the benchmarks need.
build_packages=(cmake ninja-build g++ ccache pkg-config qt6-base-dev qt6-svg-dev libgl-dev libhidapi-dev
                libudev-dev udev libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev fonts-liberation)
# The printout and picture tests read PDFs back with pdfinfo, pdftotext and pdftoppm.
build_packages+=(poppler-utils)
# The accessibility tier reads the windows over AT-SPI under Xvfb, as a screen reader does.
build_packages+=(xvfb dbus at-spi2-core python3-pyatspi)
fuzz_packages=(clang libclang-rt-14-dev)
# The kernel tier boots a guest with the virtual meter behind /dev/uhid.
hw_packages=(qemu-system-x86 linux-image-amd64 busybox-static cpio)
# The Debian package, its validators, and the package tier's fresh Debian 12 root.
package_packages=(dpkg-dev file gzip lintian desktop-file-utils appstream)
package_tier_packages=(debootstrap)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

apt_updated=0
install_packages() {
    local need
    need=$(missing "$@")
    [ -z "$need" ] && return 0
    echo "photara.sh: installing:" $need
    if [ "$apt_updated" -eq 0 ]; then
        as_root apt-get update -qq
        apt_updated=1
    fi
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $need
}

jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {  # dir, cmake options...
    local dir=$1
    shift
    # ccache keeps rebuilds of a fresh clone (CI) and of several work trees short; the base
    # folder makes its hashes independent of where the tree lives.
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
    cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

has_display() {
    [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]
}

cmd_build() {
    install_packages "${build_packages[@]}"
    configure_and_build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPHOTARA_BUILD_TESTS=OFF
}

cmd_run() {
    cmd_build
    local exe=build/release/src/app/photara
    if has_display; then
        exec "$exe" --virtual-meter "$@"
    fi
    # No display: render offscreen, keep a picture of the panel and say where it is.
    local shot="$root/build/photara-panel.png"
    rm -f "$shot"  # so that an old picture is never taken for this run's
    QT_QPA_PLATFORM=offscreen "$exe" --virtual-meter --screenshot "$shot" "$@"
    echo "No display found: Photara ran offscreen on the virtual meter."
    if [ -f "$shot" ]; then
        echo "Screenshot of the panel: $shot"
    fi
}

hw_skip_reason=
hw_tier_available() {
    if ! install_packages "${hw_packages[@]}" >/dev/null 2>&1; then
        hw_skip_reason="could not install ${hw_packages[*]}"
        return 1
    fi
    # The runner knows what the guest needs (qemu, a readable kernel image with its HID
    # modules, busybox, cpio) and says what is missing.
    hw_skip_reason=$(tests/hw/run_guest.sh --check 2>&1) && return 0
    hw_skip_reason=${hw_skip_reason#kernel tier SKIPPED: }
    return 1
}

package_file=
# Every step says whether it failed: the caller tests the result (where set -e does not act).
cmd_package() {
    install_packages "${build_packages[@]}" "${package_packages[@]}" || return 1
    # Debian's hardening flags; without the file-path mapping, which would make each work
    # tree's objects differ for ccache, and without debugging data, which is stripped.
    local -x DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath"
    local -x DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
    local -x CFLAGS CXXFLAGS LDFLAGS
    CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
    configure_and_build build/package -DCMAKE_BUILD_TYPE=Release -DPHOTARA_BUILD_TESTS=OFF ||
        return 1
    rm -f build/package/photara_*.deb
    (cd build/package && cpack -G DEB >cpack.log 2>&1) || {
        cat build/package/cpack.log
        return 1
    }
    package_file=$(ls build/package/photara_*.deb) || return 1
    echo "photara.sh: validating $package_file"
    desktop-file-validate packaging/io.photara.Photara.desktop || return 1
    appstreamcli validate --no-net --pedantic build/package/packaging/io.photara.Photara.metainfo.xml ||
        return 1
    # Errors fail the package; warnings and notes are printed (one note today, none else).
    lintian --fail-on error --info "$package_file" || return 1
    echo "photara.sh: built $root/$package_file"
}

package_skip_reason=
package_tier_available() {
    if ! install_packages "${package_tier_packages[@]}" >/dev/null 2>&1; then
        package_skip_reason="could not install ${package_tier_packages[*]}"
        return 1
    fi
    package_skip_reason=$(tests/package/run_package_tier.sh --check 2>&1) && return 0
    package_skip_reason=${package_skip_reason#package tier SKIPPED: }
    return 1
}

cmd_test() {
    install_packages "${build_packages[@]}"
    local werror=OFF
    [ -n "${CI:-}" ] && werror=ON
    configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DPHOTARA_SANITIZE=ON \
        -DPHOTARA_WERROR="$werror"
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp}
    local status=0
    ctest --test-dir build/test --output-on-failure -j "$jobs" -LE 'hw|package' || status=$?
    if hw_tier_available; then
        echo "photara.sh: running the kernel tier (virtual meter behind /dev/uhid in a qemu guest)"
        ctest --test-dir build/test --output-on-failure -L hw || status=$?
    else
        echo "photara.sh: SKIPPED the kernel tier: $hw_skip_reason"
        if [ -n "${PHOTARA_REQUIRE_HW:-}" ]; then
            echo "photara.sh: the kernel tier is required here (PHOTARA_REQUIRE_HW)" >&2
            status=1
        fi
    fi
    # The package: built and validated, then installed into a fresh Debian 12 root.
    if cmd_package; then
        if package_tier_available; then
            echo "photara.sh: running the package tier (the package in a fresh Debian 12 root)"
            PHOTARA_DEB="$root/$package_file" \
                ctest --test-dir build/test --output-on-failure -L package || status=$?
        else
            echo "photara.sh: SKIPPED the package tier: $package_skip_reason"
            if [ -n "${PHOTARA_REQUIRE_PACKAGE:-}" ]; then
                echo "photara.sh: the package tier is required here (PHOTARA_REQUIRE_PACKAGE)" >&2
                status=1
            fi
        fi
    else
        echo "photara.sh: building or validating the package failed" >&2
        status=1
    fi
    return "$status"
}

cmd_bench() {
    install_packages "${build_packages[@]}"
    configure_and_build build/bench -DCMAKE_BUILD_TYPE=Release -DPHOTARA_BUILD_TESTS=OFF \
        -DPHOTARA_BUILD_BENCH=ON
    export QT_QPA_PLATFORM=offscreen
    local b
    for b in build/bench/bench/bench_*; do
        [ -f "$b" ] && [ -x "$b" ] || continue  # not the build system's bench_*_autogen folders
        echo "== $(basename "$b")"
        "$b" "$@"
    done
}

cmd_fuzz() {
    local seconds=${1:-30}
    install_packages "${build_packages[@]}" "${fuzz_packages[@]}"
    CC=clang CXX=clang++ configure_and_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPHOTARA_BUILD_TESTS=OFF -DPHOTARA_BUILD_UI=OFF -DPHOTARA_BUILD_DEVICE=OFF \
        -DPHOTARA_BUILD_FUZZ=ON -DPHOTARA_SANITIZE=ON
    local f name
    for f in build/fuzz/fuzz/fuzz_*; do
        [ -f "$f" ] && [ -x "$f" ] || continue
        name=${f##*/fuzz_}
        echo "== $name for ${seconds}s"
        mkdir -p "build/fuzz/corpus-$name"
        "$f" -max_total_time="$seconds" "build/fuzz/corpus-$name" "fuzz/corpus/$name"
    done
}

case "${1:-}" in
    run) shift; cmd_run "$@" ;;
    test) shift; cmd_test "$@" ;;
    bench) shift; cmd_bench "$@" ;;
    fuzz) shift; cmd_fuzz "$@" ;;
    build) shift; cmd_build "$@" ;;
    package) shift; cmd_package "$@" ;;
    *)
        sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
        exit 2
        ;;
esac
