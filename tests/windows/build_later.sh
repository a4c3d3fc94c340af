#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and both installers once more with a later version, for the upgrade tests,
# as the windows preset builds them:   build_later.sh SOURCE BUILD CMAKE_OPTIONS...
set -euo pipefail
source=$1
build=$2
shift 2
{
    (cd "$source" && cmake --preset windows -B "$build" -DBUILD_TESTING=OFF "$@")
    cmake --build "$build" --target vertex2 msi
    (cd "$build" && cpack -G NSIS)
} >"$build.log" 2>&1 || { tail -n 40 "$build.log"; exit 1; }
ls "$build"/vertex2-*-win64.*
