#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb from a build folder, unpacks it and checks that everything is where the
# desktop looks for it.   check_package.sh BUILD_FOLDER VERSION
set -euo pipefail

build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" \
    || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/out/vertex2_"$version"_*.deb)
[ -f "$deb" ] || { echo "no vertex2_$version package in: $(ls "$work/out")"; exit 1; }
dpkg-deb -x "$deb" "$work/root"

failed=0
check() {
    if "$@"; then echo "ok: ${*: -1}"; else echo "FAILED: $*"; failed=1; fi
}
check test -x "$work/root/usr/bin/vertex2"
check test -f "$work/root/usr/share/applications/org.vertex2.Vertex2.desktop"
check test -f "$work/root/usr/share/metainfo/org.vertex2.Vertex2.metainfo.xml"
check test -f "$work/root/usr/share/icons/hicolor/32x32/apps/org.vertex2.Vertex2.png"
check test "$(dpkg-deb -f "$deb" Version)" = "$version"
check grep -q 'libqt6widgets6' <<<"$(dpkg-deb -f "$deb" Depends)"
exit $failed
