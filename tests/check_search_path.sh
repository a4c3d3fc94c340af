#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program finds its libraries where the system keeps them, and nowhere else: it carries no
# search path (RPATH or RUNPATH), and, started from a folder that holds a library named like one
# it needs (libmpfr.so.6), which would leave a mark there if it were loaded, it leaves no mark.
#   check_search_path.sh PROGRAM PLANTED_LIBRARY
set -euo pipefail
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
check "no search path in the program" \
    test -z "$(readelf -d "$program" | grep -E '\((RPATH|RUNPATH)\)')"
cp "$2" "$work/libmpfr.so.6"
(cd "$work" && QT_QPA_PLATFORM=offscreen timeout 3 "$program") || true
check "the library planted in the current folder never runs" test ! -e "$work/planted-library-ran"
exit "$failed"
