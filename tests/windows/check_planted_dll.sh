#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The portable program, started from a folder where a DLL named like one it imports (version.dll)
# lies beside it, a DLL that leaves a mark in the folder when it is loaded. Windows, which would
# look beside the program first for a DLL that is not one of its KnownDLLs, keeps to System32 for
# this program: its load configuration's DependentLoadFlags say so (program_file reads them
# back). Wine does not: with its defaults, which prefer its own built-in DLLs, the planted one
# never runs, but told to look beside the program first, as Windows would, Wine loads it all the
# same, for it ignores DependentLoadFlags (Wine 8 and 10 alike). This test records both, so that
# a Wine that heeds the flag is noticed.
#   check_planted_dll.sh VERTEX2_EXE PLANTED_DLL
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
[ -n "${VERTEX2_WINE_WORK:-}" ] || exec "$here/in_wine.sh" bash "$0" "$@"
# shellcheck source=../checks.sh
source "$here/../checks.sh"
folder="$VERTEX2_WINE_WORK/Downloads"
mkdir "$folder"
cp "$1" "$2" "$folder/"
cd "$folder"
mark="$folder/planted-library-ran"

wine ./vertex2.exe >/dev/null 2>&1 &
check "the program shows its window" \
    timeout 30 xdotool search --sync --name 'Paravel v2.1 by Zorvan' >/dev/null
check "with Wine's own DLLs first, the DLL planted beside it never runs" test ! -e "$mark"
wineserver -k || true
wineserver -w

WINEDLLOVERRIDES="$WINEDLLOVERRIDES;version=n,b" timeout 30 wine ./vertex2.exe >/dev/null 2>&1 &
timeout 30 sh -c "until [ -e '$mark' ]; do sleep 0.5; done" || true
check "looking beside the program first, Wine loads it, heedless of DependentLoadFlags" \
    test -e "$mark"
exit "$failed"
