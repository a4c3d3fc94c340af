#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vertex2 for 64-bit Windows on this Debian system and tests it under Wine: installs the
# cross compilers, Wine and NSIS; builds Qt, GMP and MPFR for Windows once, from this release's
# own source packages, into VERTEX2_WINDOWS_CACHE (/var/cache/vertex2-windows); then builds
# vertex2.exe, the Windows tests and the installers (NSIS and MSI) in build-windows/, every file
# dated by the release's changelog entry so that the same sources make the same bytes, and runs
# the tests.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"
source "$root/scripts/windows/toolkit.sh"

install_packages run windows
# The windows preset finds the toolkit in build-windows/toolkit.
build_toolkit "$root/build-windows/toolkit"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(release_epoch)}

configure windows
build
(cd "$build" && cpack -G NSIS >/dev/null)

size() { echo "$(($(stat -c %s "$1") / 1024)) KB"; }
echo "windows.sh: $build/vertex2.exe, $(size "$build/vertex2.exe")" \
    "(a bare window with the same toolkit: $(size "$build/bare_window.exe"))"
for installer in "$build"/vertex2-*-win64.{exe,msi}; do
    echo "windows.sh: $installer, $(size "$installer")"
done
run_tests
