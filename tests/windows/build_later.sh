#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and both installers once more with a later version, for the upgrade tests,
# as the windows preset builds them:   build_later.sh SOURCE BUILD CMAKE_OPTIONS...
set -euo pipefail
# shellcheck source=../../scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
source=$1
build=$2
shift 2
later() {
    (cd "$source" && cmake --preset windows -B "$build" -DBUILD_TESTING=OFF "$@") \
        && cmake --build "$build" --target vertex2 msi && (cd "$build" && cpack -G NSIS)
}
quietly "$build.log" later "$@"
ls "$build"/vertex2-*-win64.*
