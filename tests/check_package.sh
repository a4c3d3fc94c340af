#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as the README says (dpkg-buildpackage), from a copy of the sources
# so that nothing lands beside them, and checks it: lintian finds no error and no warning, the
# files are where the desktop, man and a software centre look for them, and the software-centre
# catalogue composes from the installed tree with the large icons.
#   check_package.sh SOURCE_FOLDER VERSION APP_ID
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=../scripts/common.sh
source "$here/../scripts/common.sh"
# shellcheck source=checks.sh
source "$here/checks.sh"

source=$1
version=$2
app_id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The sources as they stand, committed or not, without what git ignores (the build folders).
mkdir "$work/vertex2"
git -C "$source" ls-files -z --cached --others --exclude-standard \
    | tar -C "$source" --null -T - --ignore-failed-read -cf - 2>/dev/null \
    | tar -C "$work/vertex2" -xf -
# The suite that runs this test is the one the package build would run.
(cd "$work/vertex2" && quietly "$work/build.log" \
    env DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck dpkg-buildpackage -us -uc -b)
deb="$work/vertex2_${version}_$(dpkg --print-architecture).deb"

echo "lintian $(lintian --version | awk '{print $2}'), information tags included:"
check "lintian finds no error or warning" \
    lintian --info --display-info --fail-on error,warning "$deb"

dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
check "the program" test -x "$usr/bin/vertex2"
check "no library search path in the program" \
    test -z "$(readelf -d "$usr/bin/vertex2" | grep -E '\((RPATH|RUNPATH)\)')"
check "version $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
check "Qt in the dependencies" grep -q 'libqt6widgets6' <<<"$(dpkg-deb -f "$deb" Depends)"
check "the menu entry" test -f "$usr/share/applications/$app_id.desktop"
check "the software-centre record" test -f "$usr/share/metainfo/$app_id.metainfo.xml"
for size in 32x32 48x48 64x64 128x128 256x256 scalable; do
    check "the $size icon" test -f "$(echo "$usr/share/icons/hicolor/$size/apps/$app_id".*)"
done

# The manual page in English and in Russian, as man finds it, with nothing groff warns of.
for locale in en_US ru_RU; do
    page=$(LC_ALL=$locale.UTF-8 MANPATH="$usr/share/man" man -w vertex2)
    language=${locale%_*}
    check "man vertex2 in $locale" test "$page" \
        = "$usr/share/man/$([ "$language" = en ] || echo "$language/")man1/vertex2.1.gz"
    warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    check "no warning from groff in $locale" test -z "$warnings"
done

# What a software centre would show: the catalogue composed from the installed tree, with the
# icons it caches for listings and for the details page.
check "the catalogue composed" quietly "$work/compose.log" \
    appstreamcli compose --origin=vertex2 --result-root="$work/catalogue" "$work/root"
check "composed with no error or warning" test -z "$(grep -E '^ *(E|W):' "$work/compose.log")"
for size in 64x64 128x128; do
    check "the catalogue's $size icon" \
        test -n "$(find "$work/catalogue" -path "*/$size/$app_id.png")"
done
exit "$failed"
