#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vertex2 for 64-bit Windows on this Debian system and tests it under Wine: installs the
# cross compilers, Wine and NSIS; builds Qt, GMP and MPFR for Windows once, from this release's
# own source packages, into VERTEX2_WINDOWS_CACHE (/var/cache/vertex2-windows); then builds
# vertex2.exe, the Windows tests and the installers (NSIS and MSI) in build-windows/, every file
# dated by the release's changelog entry so that the same sources make the same bytes, writes
# what they were built from (vertex2-VERSION-win64.buildinfo), and runs the tests.
#   ./windows.sh           all of it
#   ./windows.sh toolkit   only the toolkit, built or taken from the cache, for the windows preset
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"
source "$root/scripts/windows/toolkit.sh"

install_packages run windows
# The windows preset finds the toolkit in build-windows/toolkit.
build_toolkit "$root/build-windows/toolkit"
[ "${1:-}" != toolkit ] || exit 0
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(release_epoch)}

configure windows
build
(cd "$build" && cpack -G NSIS >/dev/null)

# The record of what the Windows files are built from, their counterpart of a Debian .buildinfo:
# the toolkit's inputs, and every package that built or tested them, with its version.
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -SVersion)
{
    echo "Format: 1.0"
    echo "Source: vertex2"
    echo "Version: $version"
    echo "Build-Origin: $(. /etc/os-release && echo "$PRETTY_NAME")"
    echo "Build-Architecture: $(dpkg --print-architecture)"
    echo "Host-Architecture: x86_64-w64-mingw32"
    echo "Source-Date-Epoch: $SOURCE_DATE_EPOCH"
    for library in qt gmp mpfr; do
        echo "Toolkit-${library^}: $(basename "$(readlink "$build/toolkit/$library")")"
        sed 's/^/ /' "$build/toolkit/$library/inputs"
    done
    echo "Installed-Build-Depends:"
    listed run windows | sort -u | xargs dpkg-query -W -f=' ${Package} (= ${Version}),\n' \
        | sed '$ s/,$//'
} >"$build/vertex2-$version-win64.buildinfo"

size() { echo "$(($(stat -c %s "$1") / 1024)) KB"; }
echo "windows.sh: $build/vertex2.exe, $(size "$build/vertex2.exe")" \
    "(a bare window with the same toolkit: $(size "$build/bare_window.exe"))"
for installer in "$build"/vertex2-*-win64.{exe,msi}; do
    echo "windows.sh: $installer, $(size "$installer")"
done
run_tests
