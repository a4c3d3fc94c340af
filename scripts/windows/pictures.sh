#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of vertex2.exe under Wine for the README: the welcome page and the result page of
# 2x² − 3x − 2 = 0, typed in as a pupil would, in a Windows desktop that Wine draws itself, with
# Wine's own fonts only, as Windows has none of this system's.
#   scripts/windows/pictures.sh        (after ./windows.sh; writes docs/windows-*.png)
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"
source "$root/tests/windows/wineprefix.sh"

install_packages windows pictures
program="$root/build-windows/vertex2.exe"
[ -f "$program" ] || { echo "pictures.sh: no $program; run ./windows.sh first" >&2; exit 1; }

export FONTCONFIG_FILE="$root/scripts/windows/wine-fonts.conf"
start_wine
wine explorer /desktop=Vertex2,520x520 "$program" >/dev/null 2>&1 &
desktop=""
for _ in $(seq 60); do
    desktop=$(xdotool search --name 'Vertex2 - Wine desktop' 2>/dev/null | head -n 1 || true)
    [ -z "$desktop" ] || break
    sleep 0.5
done
[ -n "$desktop" ] || { echo "pictures.sh: no Wine desktop" >&2; exit 1; }

# keys KEYS...: pressed on the program's window, then a moment for it to show what follows.
keys() {
    xdotool windowfocus --sync "$desktop" key "$@"
    sleep 2
}
type_number() {
    xdotool windowfocus --sync "$desktop" type -- "$1"
    keys Return
}
# picture NAME: the desktop, trimmed to the window.
picture() {
    xwd -silent -id "$desktop" | convert xwd:- -trim +repage "$root/docs/$1.png"
    echo "pictures.sh: docs/$1.png"
}

sleep 5
picture windows-welcome
# A click on the picture makes the window active; Tab takes the focus from Exit to Next.
xdotool mousemove --window "$desktop" 120 250 click 1
keys Tab
for number in 2 -3 -2; do
    keys Return # Next, which asks for the coefficient
    type_number "$number"
done
keys Return # Next to the result, which offers another equation
keys Escape # no
picture windows-result
