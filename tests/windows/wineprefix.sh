# SPDX-License-Identifier: GPL-3.0-or-later
# A Wine of its own for one test, sourced by the Windows tests: a fresh prefix in a temporary
# folder, with no Mono or Gecko to ask for and no menu entries made on this desktop, and a
# virtual screen. At exit every Wine process of the prefix is stopped and the prefix removed,
# so a test that fails or hangs leaves nothing.
#   start_wine      sets WINEPREFIX and DISPLAY
set -euo pipefail

start_wine() {
    wine_work=$(mktemp -d "${TMPDIR:-/tmp}/vertex2-wine.XXXXXX")
    export WINEPREFIX="$wine_work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
    trap stop_wine EXIT
    # A display of its own: Xvfb picks a free number and writes it down.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$wine_work/display" 2>/dev/null &
    xvfb=$!
    local tries=0
    until [ -s "$wine_work/display" ]; do
        ((++tries < 100)) || { echo "wine: Xvfb did not start" >&2; exit 1; }
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$wine_work/display")"
    timeout 60 wineboot --init >/dev/null 2>&1 \
        || { echo "wine: the prefix did not start" >&2; exit 1; }
}

stop_wine() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$wine_work"
}

# Wine hands the program a variable WINEQT_X as QT_X; QT_X itself does not arrive.
pass_qt_variables() {
    local name
    for name in $(compgen -e); do
        [[ $name == QT_* ]] && export "WINE$name=${!name}"
    done
    return 0
}
