#!/usr/bin/env bash
# The package tier: installs Photara's .deb into a fresh Debian 12 root and uses it there as a
# user would, then removes it and checks that nothing of it is left but configuration.
#
#   run_package_tier.sh [DEB]      install DEB (default: $PHOTARA_DEB), run it, remove it
#                                  (exit 77: skipped, with the reason)
#   run_package_tier.sh --check    says whether the tier can run here (exit 0) or not (77)
#   run_package_tier.sh --prepare  makes the cached root now (the first run's long part)
#
# The root is made once with debootstrap (--variant=minbase, plus the desktop's MIME and
# xdg tools) and kept in $PHOTARA_CACHE (default ~/.cache/photara); each run works on an
# overlay above it that is thrown away, so every run starts from the same fresh system.
# Downloaded packages are kept in the cache too, so a run after the first needs the
# network only to look for newer package lists once a day. Needs root (chroot, mounts).
set -euo pipefail

cache=${PHOTARA_CACHE:-${HOME:-/root}/.cache/photara}
base=$cache/bookworm
archives=$cache/apt-archives
mime_type=application/x-photara-data
desktop_id=io.photara.Photara.desktop

# Where the tier is required (PHOTARA_REQUIRE_PACKAGE, as in CI), a skip fails.
skip() {
    echo "package tier SKIPPED: $*"
    [ -z "${PHOTARA_REQUIRE_PACKAGE:-}" ] || exit 1
    exit 77
}

fail() {
    echo "package tier FAILED: $*" >&2
    exit 1
}

start=${PHOTARA_TIER_START:-$(date +%s)}
export PHOTARA_TIER_START=$start
step() {
    echo "== $* ($(($(date +%s) - start)) s)"
}

# The Debian mirror and security mirror this machine's apt already uses.
host_mirror() {  # suite
    local suite=$1
    {
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            awk -v s="$suite" '$1 == "deb" && $3 == s { print $2; exit }'
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
            awk -v s="$suite" 'tolower($1) == "uris:" { uri = $2 }
                 tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == s) { print uri; exit } }'
    } | head -n 1
}

check() {
    [ "$(id -u)" -eq 0 ] || skip "needs root (chroot and mounts)"
    command -v unshare >/dev/null || skip "unshare (util-linux) is not installed"
    command -v dpkg-deb >/dev/null || skip "dpkg-deb is not installed"
    if [ ! -d "$base" ]; then
        command -v debootstrap >/dev/null || skip "debootstrap is not installed"
        [ -n "$(host_mirror bookworm)" ] || skip "no Debian 12 (bookworm) mirror in this machine's apt sources"
    fi
    # Overlay, proc and chroot inside a private mount namespace: what a container may forbid.
    local probe
    probe=$(mktemp -d)
    mkdir -p "$probe"/{lower,upper,work,merged}
    if ! unshare --mount --propagation private sh -c \
        "mount -t overlay overlay -o lowerdir=$probe/lower,upperdir=$probe/upper,workdir=$probe/work $probe/merged" \
        2>/dev/null; then
        rm -rf "$probe"
        skip "cannot mount an overlay file system here (container without the privilege?)"
    fi
    rm -rf "$probe"
}

# The fresh system, made once. Built beside its final place and moved there when complete,
# so an interrupted debootstrap is never taken for a root.
make_base() {
    [ -d "$base" ] && return 0
    local mirror security tmp
    mirror=$(host_mirror bookworm)
    security=$(host_mirror bookworm-security)
    tmp=$base.new
    rm -rf "$tmp"
    mkdir -p "$cache" "$archives"
    step "making the Debian 12 root (first run only), from the mirror this machine's apt uses"
    # The tools a desktop has that turn an installed package's desktop file and MIME XML
    # into the association a file manager reads.
    debootstrap --variant=minbase --include=xdg-utils,desktop-file-utils,shared-mime-info \
        bookworm "$tmp" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        skip "debootstrap could not make a Debian 12 root (no network?), see $cache/debootstrap.log"
    {
        echo "deb $mirror bookworm main"
        echo "deb $mirror bookworm-updates main"
        [ -n "$security" ] && echo "deb $security bookworm-security main"
    } >"$tmp/etc/apt/sources.list"
    # A root kept for weeks still installs after its mirror's Release files aged; packages
    # are kept for the next run.
    cat >"$tmp/etc/apt/apt.conf.d/90package-tier" <<'CONF'
Acquire::Check-Valid-Until "false";
Acquire::Check-Date "false";
APT::Keep-Downloaded-Packages "true";
CONF
    # A root thrown away after each run needs no fsync after every file dpkg unpacks.
    echo force-unsafe-io >"$tmp/etc/dpkg/dpkg.cfg.d/package-tier-unsafe-io"
    rm -f "$tmp/etc/apt/apt.conf.d/docker-clean"
    rm -rf "$tmp/var/cache/apt/archives"/*.deb
    mv "$tmp" "$base"
}

# Mounts the run's root: an overlay over the cached base, with proc, dev, a private /tmp and
# the shared package cache. Called inside the private mount namespace.
mount_root() {
    local run=$1 root=$1/root
    mkdir -p "$run"/{upper,work,root}
    mount -t overlay overlay -o "lowerdir=$base,upperdir=$run/upper,workdir=$run/work" "$root"
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
    mount -t tmpfs tmpfs "$root/tmp"
    mount -t tmpfs tmpfs "$root/run"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    # The host's name resolution, for apt.
    cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
}

in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

# Refresh the base's package lists once a day, so the mirror still has what they name.
refresh_lists() {
    local stamp=$base/var/lib/apt/lists-updated-stamp
    if [ -z "$(find "$stamp" -mmin -1440 2>/dev/null)" ]; then
        step "updating the root's package lists"
        if chroot "$base" apt-get update -qq >"$cache/apt-update.log" 2>&1; then
            touch "$stamp"
        else
            echo "package tier: apt-get update in the root failed (see $cache/apt-update.log);" \
                "going on with the lists it has"
        fi
    fi
}

run_in_namespace() {
    local deb=$1 run=$2
    root=$run/root
    mount_root "$run"
    cp "$deb" "$root/tmp/"
    local name
    name=/tmp/$(basename "$deb")

    step "installing $(basename "$deb") with apt-get"
    in_root apt-get install -y -q --no-install-recommends "$name" >"$run/install.log" 2>&1 || {
        cat "$run/install.log"
        fail "apt-get install failed"
    }

    step "photara --virtual-meter --screenshot, offscreen"
    mkdir -m 0700 "$root/tmp/xdg"
    in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/xdg \
        timeout 120 photara --virtual-meter --screenshot /tmp/panel.png >"$run/photara.log" 2>&1 || {
        cat "$run/photara.log"
        fail "photara --virtual-meter --screenshot failed"
    }
    file "$root/tmp/panel.png" | grep -Eq 'PNG image data, [0-9]{3,} x [0-9]{3,}' || {
        cat "$run/photara.log"
        fail "no picture of the panel: $(file "$root/tmp/panel.png")"
    }
    cp "$root/tmp/panel.png" "$cache/last-panel.png"  # for a person to look at

    step "the .pxd association"
    grep -q "^[0-9]*:$mime_type:\*\.pxd$" "$root/usr/share/mime/globs2" ||
        fail "the MIME database does not map *.pxd to $mime_type"
    local default
    default=$(in_root xdg-mime query default "$mime_type")
    [ "$default" = "$desktop_id" ] ||
        fail "xdg-mime query default $mime_type gives '$default', not $desktop_id"

    if [ -x "$root/usr/bin/photara-cli" ]; then
        step "photara-cli --virtual-meter sets"
        in_root timeout 60 photara-cli --virtual-meter sets >"$run/cli.log" 2>&1 || {
            cat "$run/cli.log"
            fail "photara-cli --virtual-meter sets failed"
        }
        [ -s "$run/cli.log" ] || fail "photara-cli --virtual-meter sets printed nothing"
        [ -f "$root/usr/share/bash-completion/completions/photara-cli" ] || fail "no bash completion for photara-cli"
        # The installed recipes and scenes, found beside the program: a passing scene exits 0,
        # a failing one 1. Its results go under /tmp, which the check after removal skips.
        local scene code
        for scene in exit-sign-pass:0 exit-sign-fail:1; do
            step "photara-cli --virtual-meter measure exit-sign --scene ${scene%:*}.json"
            code=0
            in_root env XDG_DATA_HOME=/tmp/xdg-data timeout 120 photara-cli --virtual-meter \
                measure exit-sign --scene "/usr/share/photara/scenes/${scene%:*}.json" --fast \
                --capture auto -o /tmp/exit-sign.html >"$run/measure.log" 2>&1 || code=$?
            [ "$code" = "${scene#*:}" ] || {
                cat "$run/measure.log"
                fail "photara-cli measure on ${scene%:*}.json exited $code, not ${scene#*:}"
            }
        done
    fi

    step "removing the package"
    in_root apt-get remove -y -q photara >"$run/remove.log" 2>&1 || {
        cat "$run/remove.log"
        fail "apt-get remove failed"
    }
    local status left
    status=$(in_root dpkg-query -W -f='${db:Status-Abbrev}' photara 2>/dev/null || true)
    case "$status" in
        "un "* | "rc "* | "") ;;
        *) fail "after removal dpkg says '$status' for photara" ;;
    esac
    # Every file the package shipped is gone; what may stay is configuration (none today).
    left=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' |
        while read -r f; do [ -e "$root$f" ] && echo "$f"; done || true)
    [ -z "$left" ] || fail "files of the package left after removal: $left"
    # Nor anything else named after it, and the desktop's caches forgot it.
    left=$(find "$root" -xdev \( -path "$root/var/lib/dpkg" -o -path "$root/var/cache/apt" \
        -o -path "$root/var/log" -o -path "$root/tmp" -o -path "$root/proc" \) -prune -o \
        -iname '*photara*' -print)
    [ -z "$left" ] || fail "left after removal: $left"
    ! grep -q "$mime_type" "$root/usr/share/mime/globs2" || fail "the MIME database still knows $mime_type"
    ! grep -qs "$desktop_id" "$root/usr/share/applications/mimeinfo.cache" ||
        fail "the desktop database still names $desktop_id"
    step "package tier passed"
}

case "${1:-}" in
    --check)
        check
        exit 0
        ;;
    --prepare)
        check
        mkdir -p "$cache"
        exec 9>"$cache/lock"
        flock 9
        make_base
        refresh_lists
        exit 0
        ;;
    --inside)  # the steps, inside the private mount namespace
        run_in_namespace "$2" "$3"
        exit 0
        ;;
    -*)
        sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
        exit 2
        ;;
esac

deb=${1:-${PHOTARA_DEB:-}}
[ -n "$deb" ] || skip "no package named (PHOTARA_DEB): ./photara.sh test builds the package and runs this tier"
[ -f "$deb" ] || skip "no package $deb (./photara.sh package builds it)"
deb=$(realpath "$deb")
check
# One run at a time: runs share the root being made and the package cache.
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
make_base
refresh_lists
run=$(mktemp -d "${TMPDIR:-/tmp}/photara-package-tier.XXXXXX")
trap 'rm -rf "$run"' EXIT
# A private mount namespace: every mount of the run goes away with it, whatever happens.
unshare --mount --propagation private "$0" --inside "$deb" "$run"
