#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The newest entry of debian/changelog, whose moment dates a release, is of the version and the
# day that CMakeLists.txt gives the program, its manual and its software-centre record.
#   check_changelog.sh CHANGELOG VERSION DAY
set -euo pipefail
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
changelog=$1
check "version $2" test "$(dpkg-parsechangelog -l "$changelog" -SVersion)" = "$2"
released=$(date -u -d "@$(dpkg-parsechangelog -l "$changelog" -STimestamp)" +%F)
check "released on $3" test "$released" = "$3"
exit "$failed"
