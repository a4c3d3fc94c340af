#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with a Wine of its own: a fresh prefix in a temporary folder (WINEPREFIX), with
# no Mono or Gecko to ask for and no menu entries made on this desktop, a virtual screen
# (DISPLAY), and the folder itself for the command's own files (VERTEX2_WINE_WORK). Afterwards
# every Wine process of the prefix is stopped and the folder removed, so a test that fails or
# hangs leaves nothing. The Windows tests run themselves under it; given a Windows program, as
# ctest's emulator, it runs that under Wine, with the Qt variables of its environment, for at
# most VERTEX2_WINE_SECONDS (100).
#   in_wine.sh COMMAND...   in_wine.sh PROGRAM.exe ARGUMENT...
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/vertex2-wine.XXXXXX")
export VERTEX2_WINE_WORK=$work WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# A display of its own: Xvfb picks a free number and writes it down.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
# shellcheck disable=SC2016 # $0 is the file that the shell started by timeout waits for
timeout 10 sh -c 'until [ -s "$0" ]; do sleep 0.1; done' "$work/display" \
    || { echo "in_wine.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
timeout 60 wineboot --init >/dev/null 2>&1 \
    || { echo "in_wine.sh: the prefix did not start" >&2; exit 1; }
if [[ $1 != *.exe ]]; then
    "$@"
    exit
fi
# Wine hands the program a variable WINEQT_X as QT_X; QT_X itself does not arrive. QtTest writes
# to the debugger when there is no console; WINEQT_FORCE_STDERR_LOGGING brings its output back.
for name in $(compgen -e); do
    [[ $name != QT_* ]] || export "WINE$name=${!name}"
done
status=0
WINEQT_FORCE_STDERR_LOGGING=1 timeout -k 5 "${VERTEX2_WINE_SECONDS:-100}" wine "$@" || status=$?
[ $status -ne 124 ] || echo "in_wine.sh: $1 did not finish in ${VERTEX2_WINE_SECONDS:-100} s" >&2
exit $status
