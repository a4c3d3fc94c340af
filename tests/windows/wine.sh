#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under a Wine of its own (wineprefix.sh), with the Qt variables of its
# environment, for at most VERTEX2_WINE_SECONDS (100): ctest's emulator for the Windows build.
#   wine.sh PROGRAM.exe ARGUMENTS...
source "$(dirname "${BASH_SOURCE[0]}")/wineprefix.sh"
start_wine
pass_qt_variables
# QtTest writes to the debugger when there is no console; this brings its output back.
export WINEQT_FORCE_STDERR_LOGGING=1
status=0
timeout -k 5 "${VERTEX2_WINE_SECONDS:-100}" wine "$@" || status=$?
[ $status -ne 124 ] || echo "wine.sh: $1 did not finish in ${VERTEX2_WINE_SECONDS:-100} s" >&2
exit $status
