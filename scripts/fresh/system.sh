# SPDX-License-Identifier: GPL-3.0-or-later
# Fresh minimal Debian systems, as a new user would meet them: made by debootstrap
# --variant=minbase with git, ca-certificates and sudo, and entered with chroot. Sourced, as
# root, by fresh-system.sh, which proves the README's commands on them, and by release.sh, which
# builds the release's files on them. The base system of each release, every package downloaded
# and the Windows toolkit that windows.sh builds are kept in VERTEX2_FRESH_CACHE
# (/var/cache/vertex2-fresh), so that later systems download and build nothing twice (remove
# RELEASE-windows there to build the toolkit cold again); the systems themselves are new each
# time, and removed at exit. The Debian mirror is the one this machine's apt uses, or
# VERTEX2_MIRROR.

fresh_cache=${VERTEX2_FRESH_CACHE:-/var/cache/vertex2-fresh}
systems=()

mirror() {
    if [ -n "${VERTEX2_MIRROR:-}" ]; then
        echo "$VERTEX2_MIRROR"
        return
    fi
    # The first Debian archive this machine's apt reads (deb822 or one-line sources).
    cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null \
        | sed -nE 's#^URIs:[[:space:]]*([^[:space:]]*/debian)/?$#\1#p; s#^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]*/debian)/?[[:space:]].*#\2#p' \
        | head -n 1
}

# base_system RELEASE: the release's base system, made once into the cache as a tar file.
base_system() {
    local release=$1 made
    local base="$fresh_cache/$release-minbase.tar" packages="$fresh_cache/$release-apt"
    mkdir -p "$packages/partial" "$fresh_cache/$release-windows"
    [ ! -f "$base" ] || return 0
    command -v debootstrap >/dev/null || {
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
    }
    echo "== [$release] making the minimal base system"
    made=$(mktemp -d)
    debootstrap --variant=minbase --include=git,ca-certificates,sudo \
        --cache-dir="$packages" "$release" "$made" "$(mirror)" >"$made.log" 2>&1 \
        || { tail -n 30 "$made.log"; rm -rf "$made" "$made.log"; return 1; }
    tar -C "$made" -cf "$base.part" . && mv "$base.part" "$base"
    rm -rf "$made" "$made.log"
}

# new_system RELEASE: a fresh system from the release's base, sharing its package cache and
# Windows toolkit, in $system (not printed: the cleanup at exit must see it in systems).
new_system() {
    local release=$1
    base_system "$release" || return 1
    system=$(mktemp -d "/var/tmp/vertex2-$release.XXXXXX")
    systems+=("$system")
    tar -C "$system" -xf "$fresh_cache/$release-minbase.tar"
    chmod 755 "$system" # its root folder, which every user must enter (mktemp made it private)
    cp /etc/resolv.conf "$system/etc/resolv.conf"
    mount -t proc proc "$system/proc"
    mount --rbind /sys "$system/sys"
    mount --rbind /dev "$system/dev"
    mount -t tmpfs tmpfs "$system/tmp"
    mount --bind "$fresh_cache/$release-apt" "$system/var/cache/apt/archives"
    mkdir -p "$system/var/cache/vertex2-windows"
    mount --bind "$fresh_cache/$release-windows" "$system/var/cache/vertex2-windows"
}

remove_systems() {
    local made mounted
    for made in "${systems[@]}"; do
        umount -R -l "$made" 2>/dev/null || true
        for mounted in proc sys dev tmp var/cache/apt/archives var/cache/vertex2-windows; do
            umount -R -l "$made/$mounted" 2>/dev/null || true
        done
        rm -rf --one-file-system "$made"
    done
    systems=()
}

# inside SYSTEM USER COMMAND: a login shell's command in the system, as root or as the user.
inside() {
    local system=$1 user=$2
    shift 2
    if [ "$user" = root ]; then
        chroot "$system" env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -lc "$*"
    else
        chroot "$system" su - "$user" -c "$*"
    fi
}
