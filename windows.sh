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
build_toolkit
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(release_epoch)}

windows="$root/build-windows"
export PKG_CONFIG_LIBDIR="$gmp_prefix/lib/pkgconfig:$mpfr_prefix/lib/pkgconfig"
# A static Qt links its plugins into the program, so CMake must know them; Debian's Qt 6.8 source
# tells CMake to skip them, which suits its shared Qt only.
cmake -S "$root" -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_PREFIX_PATH="$qt_prefix;$gmp_prefix;$mpfr_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_qt_cmake" \
    -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DBUILD_TESTING=ON -DVERTEX2_WERROR=ON \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tests/windows/wine.sh" >/dev/null
cmake --build "$windows"
(cd "$windows" && cpack -G NSIS >/dev/null)

size() { echo "$(($(stat -c %s "$1") / 1024)) KB"; }
echo "windows.sh: $windows/vertex2.exe, $(size "$windows/vertex2.exe")" \
    "(a bare window with the same toolkit: $(size "$windows/bare_window.exe"))"
for installer in "$windows"/vertex2-*-win64.{exe,msi}; do
    echo "windows.sh: $installer, $(size "$installer")"
done
ctest --test-dir "$windows" --output-on-failure
