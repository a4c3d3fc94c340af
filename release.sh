#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the release of the committed sources, on Debian 12 or 13, as root (or through sudo):
#
#   release/VERSION/vertex2-VERSION.tar.xz            the sources; every other file is built from it
#   release/VERSION/debian12/vertex2_VERSION_amd64.deb   built on a fresh Debian 12 system
#   release/VERSION/debian13/vertex2_VERSION_amd64.deb   built on a fresh Debian 13 system
#   release/VERSION/vertex2-VERSION-win64-portable.exe   the Windows program, which needs no install,
#   release/VERSION/vertex2-VERSION-win64.exe            its NSIS installer and
#   release/VERSION/vertex2-VERSION-win64.msi            its MSI, built and tested by windows.sh on
#                                                        a fresh Debian 13 system (Qt 6.8)
#   release/VERSION/SHA256SUMS
#
#   ./release.sh                       the release of the commit checked out
#   ./release.sh vertex2-VERSION.tar.xz   the same files again from a released tarball, to compare
#
# Every file is dated by the newest entry of debian/changelog (SOURCE_DATE_EPOCH), so that the
# same sources make the same bytes: scripts/reproducible.sh proves it. The fresh systems keep
# their packages and the Windows toolkit in /var/cache/vertex2-fresh (scripts/fresh/system.sh),
# so that a second run is quick. A step that fails stops the release, and leaves no release
# folder behind.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ "$(id -u)" -ne 0 ]; then
    exec sudo "$0" "$@"
fi
source "$root/scripts/common.sh"
source "$root/scripts/fresh/system.sh"

fail() {
    echo "release.sh: $*" >&2
    exit 1
}
git() {
    command git -c safe.directory="$root" -C "$root" "$@"
}

from=${1:-}
changelog="$root/debian/changelog"
if [ -n "$from" ]; then
    [ -f "$from" ] || fail "no tarball $from"
    from=$(realpath "$from")
    changelog=$(mktemp)
    tar -xOf "$from" --wildcards '*/debian/changelog' >"$changelog" \
        || fail "$from holds no debian/changelog"
else
    [ -z "$(git status --porcelain)" ] \
        || fail "the work tree has changes that are not committed; commit or stash them first"
fi
install_packages release
version=$(dpkg-parsechangelog -l "$changelog" -SVersion)
[ -n "$from" ] || grep -qF "set(VERTEX2_VERSION $version)" "$root/CMakeLists.txt" \
    || fail "debian/changelog says $version, CMakeLists.txt another version"
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
SOURCE_DATE_EPOCH=$(release_epoch "$changelog")
# A cold run builds Qt for Windows (2.6 GB) beside the fresh systems.
free=$(df --output=avail -B1G /var/tmp "$root" | tail -n +2 | sort -n | head -n 1)
[ "$free" -ge 12 ] || fail "needs 12 GB free in /var/tmp and here, finds $free GB"

release="$root/release/$version"
part="$root/release/.$version.part"
log=$(mktemp "${TMPDIR:-/tmp}/vertex2-release.XXXXXX")
rm -rf "$part"
mkdir -p "$part/debian12" "$part/debian13"
trap 'rm -rf "$part"; rmdir --ignore-fail-on-non-empty "$root/release"' EXIT
trap 'exit 1' INT TERM

# step WHAT COMMAND...: runs the command, in a shell of its own that stops at the first error
# and removes the fresh systems it made, with its output in the log; says how long it took, or,
# if it failed, shows the end of the log and stops.
step() {
    local what=$1 start status=0
    shift
    start=$(date +%s)
    echo "release.sh: $what"
    echo "== $what" >>"$log"
    set +e
    (
        set -e
        trap remove_systems EXIT
        "$@"
    ) >>"$log" 2>&1
    status=$?
    set -e
    [ $status -eq 0 ] || { tail -n 30 "$log" >&2; fail "$what failed (the whole log: $log)"; }
    echo "release.sh: $what took $(($(date +%s) - start)) s"
}

tarball="vertex2-$version.tar.xz"
# The committed tree, with sorted names, the release's date and no owner of this machine's; or
# the tarball given.
make_tarball() {
    local tree
    if [ -n "$from" ]; then
        cp "$from" "$part/$tarball"
        return
    fi
    tree=$(mktemp -d)
    git archive --format=tar --prefix="vertex2-$version/" HEAD | tar -x -C "$tree"
    tar -C "$tree" --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 \
        --numeric-owner --mode=u=rwX,go=rX --format=gnu -cf - "vertex2-$version" \
        | xz -T1 -6 >"$part/$tarball"
    rm -rf "$tree"
}

# in_fresh_system RELEASE COMMAND: a fresh system of that release, with the sources unpacked
# from the tarball in /root/vertex2-VERSION, where the command runs as root.
in_fresh_system() {
    new_system "$1"
    tar -xf "$part/$tarball" -C "$system/root"
    inside "$system" root "cd /root/vertex2-$version && $2"
}

# deb RELEASE NUMBER: the Debian package, built the Debian way, for that release.
deb() {
    in_fresh_system "$1" "apt-get update -qq && apt-get build-dep -y -q ./ \
        && dpkg-buildpackage -us -uc -b"
    cp "$system/root/vertex2_${version}_amd64.deb" "$part/debian$2/"
}

windows() {
    in_fresh_system trixie ./windows.sh
    local built="$system/root/vertex2-$version/build-windows"
    cp "$built/vertex2.exe" "$part/vertex2-$version-win64-portable.exe"
    cp "$built/vertex2-$version-win64.exe" "$built/vertex2-$version-win64.msi" "$part/"
}

checksums() {
    local sums
    sums=$(cd "$part" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs sha256sum)
    echo "$sums" >"$part/SHA256SUMS"
}

started=$(date +%s)
step "the sources, $tarball" make_tarball
step "the Debian 12 package" deb bookworm 12
step "the Debian 13 package" deb trixie 13
step "the Windows program and installers, tested" windows
step "SHA256SUMS" checksums
rm -rf "$release"
mv "$part" "$release"
rm -f "$log"
echo "release.sh: release $version in $(($(date +%s) - started)) s, in $release:"
(cd "$release" && cat SHA256SUMS)
