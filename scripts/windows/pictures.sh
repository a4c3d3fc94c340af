#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of vertex2.exe under Wine for the README: the welcome page and the result page of
# 2x² − 3x − 2 = 0, typed in as a pupil would, and the NSIS installer's welcome page under a
# Russian and an English Windows, each in a Windows desktop that Wine draws itself, with Wine's
# own fonts only, as Windows has none of this system's.
#   scripts/windows/pictures.sh        (after ./windows.sh; writes docs/windows-*.png)
set -euo pipefail
# shellcheck source=../common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

install_packages windows pictures
program="$root/build-windows/vertex2.exe"
[ -f "$program" ] || { echo "pictures.sh: no $program; run ./windows.sh first" >&2; exit 1; }
export FONTCONFIG_FILE="$root/scripts/windows/wine-fonts.conf"
[ -n "${VERTEX2_WINE_WORK:-}" ] || exec "$root/tests/windows/in_wine.sh" bash "$0" "$@"

# open NAME COMMAND...: the command in a Wine desktop of that name, whose window is $desktop.
open() {
    local name=$1
    shift
    wine explorer "/desktop=$name,520x520" "$@" >/dev/null 2>&1 &
    desktop=$(timeout 30 xdotool search --sync --name "$name - Wine desktop" | head -n 1) \
        || { echo "pictures.sh: no Wine desktop" >&2; exit 1; }
}

# keys KEYS...: pressed on the program's window, then a moment for it to show what follows.
keys() {
    xdotool windowfocus --sync "$desktop" key "$@"
    sleep 2
}
type_number() {
    xdotool windowfocus --sync "$desktop" type -- "$1"
    keys Return
}
# picture NAME: the desktop, cut to the window. The desktop's colour is read in its far corner:
# Wine 10 leaves one black pixel in the near one, which would keep the cut from closing in.
picture() {
    local shot="$VERTEX2_WINE_WORK/$1.xwd" colour box
    xwd -silent -id "$desktop" >"$shot"
    colour=$(convert "xwd:$shot" -gravity SouthEast -crop 1x1+0+0 -format '%[pixel:p{0,0}]' info:)
    box=$(convert "xwd:$shot" -fill "$colour" -draw 'point 0,0' -format '%@' info:)
    convert "xwd:$shot" -crop "$box" +repage "$root/docs/$1.png"
    echo "pictures.sh: docs/$1.png"
}

open Vertex2 "$program"
sleep 5
picture windows-welcome
# A click on the page makes the window active; Tab takes the focus from Exit to Next. Wine 8
# puts the window in the desktop's corner, Wine 10 centres it on a desktop as large as the
# screen: the desktop's centre is on the page either way.
eval "$(xdotool getwindowgeometry --shell "$desktop")"
xdotool mousemove --window "$desktop" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
keys Tab
for number in 2 -3 -2; do
    keys Return # Next, which asks for the coefficient
    type_number "$number"
done
keys Return # Next to the result, which offers another equation
keys Escape # no
picture windows-result
wineserver -k && wineserver -w

for locale in ru_RU en_US; do
    LC_ALL=$locale.UTF-8 open Setup "$root"/build-windows/vertex2-*-win64.exe
    sleep 5
    picture "windows-installer-${locale%_*}"
    wineserver -k && wineserver -w
done
