#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The committed artwork is what draw_assets draws: redrawn into a folder of its own, every file
# is found byte for byte among the committed ones, and every committed one is drawn.
#   check_artwork.sh ASSETS_FOLDER DRAW_ASSETS
set -euo pipefail
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
assets=$1
drawn=$(mktemp -d)
trap 'rm -rf "$drawn"' EXIT
QT_QPA_PLATFORM=offscreen "$2" "$drawn" 2> >(grep -v XDG_RUNTIME_DIR >&2)
files=$( { (cd "$assets" && ls background.bmp installer.bmp vertex2.ico icons/*)
           (cd "$drawn" && find . -type f -printf '%P\n'); } | sort -u)
for file in $files; do
    check "$file as draw_assets draws it" cmp -s "$assets/$file" "$drawn/$file"
done
exit "$failed"
