#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the release of the commit checked out, as an ordinary user on Debian 12 or 13, in
# release/VERSION/ (README, Releasing): the sources' tarball; the Debian 12 and Debian 13
# packages, built by sbuild on fresh systems (scripts/fresh/system.sh) with lintian's verdict and
# their autopkgtest; the Windows program, its NSIS installer and MSI, built and tested by
# windows.sh on a fresh Debian 13 system; what each was built from (.buildinfo); and SHA256SUMS,
# of all but Debian's .buildinfo, which dates its build. Every file is dated by debian/changelog
# (SOURCE_DATE_EPOCH). A failed step, Ctrl-C or SIGTERM leaves no release folder behind.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/common.sh
source "$root/scripts/common.sh"
# shellcheck source=scripts/fresh/system.sh
source "$root/scripts/fresh/system.sh"

fail() {
    echo "release.sh: $*" >&2
    exit 1
}

begin_run "$@"
[ -z "$(git -C "$root" status --porcelain)" ] \
    || fail "the work tree has changes that are not committed; commit or stash them first"
changelog="$root/debian/changelog"
version=$(dpkg-parsechangelog -l "$changelog" -SVersion)
grep -qF "set(VERTEX2_VERSION $version)" "$root/CMakeLists.txt" \
    || fail "debian/changelog says $version, CMakeLists.txt another version"
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$changelog" -STimestamp)
tarball="vertex2-$version.tar.xz"

# A cold run builds Qt for Windows (2.6 GB) beside the systems.
free=$(df --output=avail -B1G "$cache" | tail -n 1)
[ "$free" -ge 12 ] || fail "needs 12 GB free in $cache, finds $free GB"
part=$scratch/release
logs=$(mktemp -d "${TMPDIR:-/tmp}/vertex2-release.XXXXXX")
log=$logs/sources.log
mkdir -p "$part/debian12" "$part/debian13" "$scratch/source"

# step WHAT COMMAND...: the command, its output in the log; if it fails, the log's end, and stop.
step() {
    local what=$1 start=$SECONDS status
    shift
    echo "release.sh: $what"
    echo "== $what" >>"$log"
    # Outside a condition, where bash would ignore an error inside the step.
    set +e
    job "$@" >>"$log" 2>&1
    status=$?
    set -e
    [ $status -eq 0 ] || { tail -n 30 "$log" >&2; fail "$what failed (the whole log: $log)"; }
    echo "release.sh: $what took $((SECONDS - start)) s"
}

# source_package: the tarball of the committed tree, with sorted names, the release's date and
# no owner; and the source package that sbuild builds, made by dpkg-source here, outside a
# system: so only of a format that runs nothing of the tree's.
source_package() {
    git -C "$root" archive --format=tar --prefix="vertex2-$version/" HEAD | tar -x -C "$scratch/source"
    tar -C "$scratch/source" --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 \
        --numeric-owner --mode=u=rwX,go=rX --format=gnu -cf - "vertex2-$version" \
        | xz -T1 -6 >"$part/$tarball"
    rm -rf "$scratch/source/vertex2-$version"
    tar -xf "$part/$tarball" -C "$scratch/source"
    grep -qxE '3\.0 \((native|quilt)\)' "$scratch/source/vertex2-$version/debian/source/format" \
        || { echo "debian/source/format: only 3.0 (native) or (quilt) is built"; return 1; }
    (cd "$scratch/source" && dpkg-source --build "vertex2-$version")
}

# deb RELEASE NUMBER: the package and its .buildinfo, built by sbuild, with lintian's verdict.
deb() {
    local built="$scratch/deb-$1" chroot="$scratch/$1.tar"
    mkdir "$built"
    fresh_system "$1" "$chroot" --variant=buildd
    # sbuild unpacks its system in the work folder, whence the next run removes any it leaves.
    echo "\$unshare_tmpdir_template = '$scratch/sbuild.XXXXXXXXXX';" >"$scratch/sbuild-$1.conf"
    # One changelog serves both releases, so its distribution is neither.
    (cd "$scratch/source" && SBUILD_CONFIG="$scratch/sbuild-$1.conf" sbuild --verbose \
        --chroot-mode=unshare --chroot="$chroot" --dist="$1" --arch=amd64 \
        --apt-update --apt-distupgrade --no-run-piuparts --no-run-autopkgtest --run-lintian \
        --lintian-opt=--fail-on=error,warning \
        --lintian-opt=--suppress-tags=distribution-and-changes-mismatch \
        --build-dir="$built" "vertex2_$version.dsc")
    grep -qE '^Lintian: (pass|info)$' "$built/vertex2_${version}_amd64.build" \
        || { echo "lintian found errors or warnings"; return 1; }
    take "$built/vertex2_${version}_amd64.deb" "$part/debian$2"
    take "$built/vertex2_${version}_amd64.buildinfo" "$part/debian$2"
}

# autopkgtest RELEASE NUMBER: debian/tests, on a fresh system that installs the package.
autopkgtest() {
    local deb="vertex2_${version}_amd64.deb"
    fresh_system "$1" /dev/null --variant=minbase --include=autopkgtest \
        --customize-hook="copy-in $part/debian$2/$deb $scratch/source/vertex2-$version /root" \
        --customize-hook="$(login root "autopkgtest /root/$deb /root/vertex2-$version -- null")"
}

# windows: the Windows files, built and tested by windows.sh with the toolkit kept, and their
# .buildinfo.
windows() {
    local built=/root/vertex2-$version/build-windows out=$scratch/windows file
    mkdir "$out"
    windows_system "$scratch/source/vertex2-$version" \
        --customize-hook="$(login root "cd /root/vertex2-$version && ./windows.sh")" \
        --customize-hook="copy-out $built/vertex2.exe $built/vertex2-$version-win64.exe \
            $built/vertex2-$version-win64.msi $built/vertex2-$version-win64.buildinfo $out"
    take "$out/vertex2.exe" "$part/vertex2-$version-win64-portable.exe"
    for file in vertex2-"$version"-win64.{exe,msi,buildinfo}; do
        take "$out/$file" "$part/"
    done
    {
        echo "Checksums-Sha256:"
        (cd "$part" && sha256sum vertex2-"$version"-win64{-portable.exe,.exe,.msi} | sed 's/^/ /')
    } >>"$part/vertex2-$version-win64.buildinfo"
}

checksums() {
    local sums
    sums=$(cd "$part" && find . -type f ! -name '*_amd64.buildinfo' -printf '%P\n' \
        | LC_ALL=C sort | xargs sha256sum)
    echo "$sums" >"$part/SHA256SUMS"
}

started=$SECONDS
step "the sources, $tarball, and the source package" source_package
# The two packages and the Windows files side by side, each with a log of its own: a package's
# build runs on one processor, and Wine's tests mostly wait. The Windows files take longest; the
# packages yield the processors to them.
package() {
    renice -n 10 -p "$BASHPID" >/dev/null
    log=$logs/debian$2.log
    step "the Debian $2 package, with lintian" deb "$1" "$2"
    step "the Debian $2 package's autopkgtest" autopkgtest "$1" "$2"
}
package bookworm 12 &
package trixie 13 &
(
    log=$logs/windows.log
    step "the Windows program and installers, tested" windows
) &
for _ in 1 2 3; do
    wait -n || exit 1
done
step "SHA256SUMS" checksums
release="$root/release/$version"
mkdir -p "$root/release"
rm -rf "$release"
mv "$part" "$release"
rm -rf "$logs"
echo "release.sh: release $version in $((SECONDS - started)) s, in $release:"
(cd "$release" && cat SHA256SUMS)
