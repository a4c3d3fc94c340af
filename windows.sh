#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vertex2 for 64-bit Windows on this Debian system and tests it under Wine: installs the
# cross compilers, Wine and NSIS; builds Qt, GMP and MPFR for Windows once, from this release's
# own source packages, into VERTEX2_WINDOWS_CACHE (/var/cache/vertex2-windows), and links them
# where the windows preset looks; then builds, through the windows workflow preset, vertex2.exe,
# the Windows tests and the installers (NSIS and MSI) in build-windows/, every file dated by the
# release's changelog entry so that the same sources make the same bytes, and runs the tests;
# last, it writes what the files were built from (vertex2-VERSION-win64.buildinfo).
#   ./windows.sh           all of it
#   ./windows.sh toolkit   only the toolkit, built or taken from the cache, for the windows preset
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"
# shellcheck source=scripts/windows/toolkit.sh
source "$root/scripts/windows/toolkit.sh"

install_packages run windows
build_dependencies program
work=$(mktemp -d "${TMPDIR:-/var/tmp}/vertex2-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The folder where the windows preset finds the toolkit, as the preset names it.
toolkit=$(/usr/bin/python3 -c 'import json, sys
preset = next(p for p in json.load(sys.stdin)["configurePresets"] if p["name"] == "windows")
print(preset["environment"]["VERTEX2_WINDOWS_TOOLKIT"])' <"$root/CMakePresets.json")
# shellcheck disable=SC2016 # the preset's own macro, written as the preset writes it
build_toolkit "$work" "${toolkit/'${sourceDir}'/$root}"
[ "${1:-}" != toolkit ] || exit 0
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$root/debian/changelog" -STimestamp)}
cd "$root"
cmake --workflow --preset windows

build="build-windows"
size() { echo "$(($(stat -c %s "$1") / 1024)) KB"; }
echo "windows.sh: $build/vertex2.exe, $(size "$build/vertex2.exe")" \
    "(a bare window with the same toolkit: $(size "$build/bare_window.exe"))"
for installer in "$build"/vertex2-*-win64.{exe,msi}; do
    echo "windows.sh: $installer, $(size "$installer")"
done

# The record of what the Windows files are built from, their counterpart of a Debian .buildinfo:
# the toolkit's inputs, and every package of the system that built and tested them.
version=$(dpkg-parsechangelog -SVersion)
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
    dpkg-query -W -f='${db:Status-Abbrev} ${Package} (= ${Version}),\n' \
        | sed -n 's/^ii  / /p' | sed '$ s/,$//'
} >"$build/vertex2-$version-win64.buildinfo"
