#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under a Wine of its own (in_wine.sh), with the Qt variables of its
# environment, for at most VERTEX2_WINE_SECONDS (100): ctest's emulator for the Windows build.
#   wine.sh PROGRAM.exe ARGUMENTS...
set -euo pipefail
[ -n "${VERTEX2_WINE_WORK:-}" ] || exec "$(dirname "${BASH_SOURCE[0]}")/in_wine.sh" "$0" "$@"
# Wine hands the program a variable WINEQT_X as QT_X; QT_X itself does not arrive.
for name in $(compgen -e); do
    [[ $name != QT_* ]] || export "WINE$name=${!name}"
done
# QtTest writes to the debugger when there is no console; this brings its output back.
export WINEQT_FORCE_STDERR_LOGGING=1
status=0
timeout -k 5 "${VERTEX2_WINE_SECONDS:-100}" wine "$@" || status=$?
[ $status -ne 124 ] || echo "wine.sh: $1 did not finish in ${VERTEX2_WINE_SECONDS:-100} s" >&2
exit $status
