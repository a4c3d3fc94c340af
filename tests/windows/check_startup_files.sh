#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317 # its helpers run through check, which shellcheck cannot follow
# What the portable program opens or looks up as it starts, until its window shows, as Wine's
# trace of files (WINEDEBUG=+file) records it: started from a Downloads folder, it reads nothing
# but its own file, Windows' folders (under Wine, Wine's own files and the fonts it gives
# Windows) and the user's profile. Beside it, only the names Windows' loader looks for there
# itself: the DLLs it imports, which Wine seeks beside the program whatever the load
# configuration says, and the program's own manifest. Two files are planted where Qt would once
# have read them: a qt.conf beside the program, which points Qt's paths at a folder of the
# test's, and, under the folder the toolkit's Qt was built into, as Windows would find it on
# the program's drive, a qtlogging.ini that turns every logging category on. Neither is read,
# and the program says the same with them as without.
#   check_startup_files.sh VERTEX2_EXE QT_PREFIX
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
[ -n "${VERTEX2_WINE_WORK:-}" ] || exec "$here/in_wine.sh" bash "$0" "$@"
# shellcheck source=../checks.sh
source "$here/../checks.sh"
drive=$WINEPREFIX/drive_c
user=$(id -un)
folder="$drive/users/$user/Downloads"
mkdir -p "$folder"
cp "$1" "$folder/vertex2.exe"

# start NAME: the program started from its folder and stopped once its window shows; its own
# output in NAME.out, and the trace of its process (Wine's services trace theirs too) in
# NAME.trace.
start() {
    local log="$VERTEX2_WINE_WORK/$1.log" shown=yes process
    (cd "$folder" && WINEDEBUG=-all,+pid,+file WINEQT_FORCE_STDERR_LOGGING=1 \
        exec wine ./vertex2.exe >"$log" 2>&1) &
    timeout 30 xdotool search --sync --name 'Paravel v2.1 by Zorvan' >/dev/null || shown=no
    wineserver -k || true
    wineserver -w
    wait
    process=$(grep -aim1 -E 'L"[^"]*\\\\downloads\\\\vertex2\.exe"' "$log" | cut -d: -f1)
    grep -aE "^${process:-none}:[0-9a-f]+:(trace|warn):file:" "$log" >"$VERTEX2_WINE_WORK/$1.trace"
    # Window handles differ from run to run.
    grep -avE '^[0-9a-f]+:[0-9a-f]+:(trace|warn|err|fixme):' "$log" \
        | sed -E 's/0x[0-9a-fA-F]+/0x_/g' >"$VERTEX2_WINE_WORK/$1.out" || true
    check "$1: the program shows its window" test "$shown" = yes
}

# names NAME: every file or folder the trace names, lower case, one a line, without its drive:
# Wine names some relative to a folder it holds open, and lays Windows on C: and its own files
# on Z:. What a folder's listing holds is left out: the folder itself is named where it is opened.
names() {
    grep -avE ':file:append_entry ' "$VERTEX2_WINE_WORK/$1.trace" | grep -oaE 'L"[^"]+"' \
        | sed -E 's/^L"//; s/"$//; s/\\\\/\\/g; s/^\\\?\?\\//; s/^[A-Za-z]:\\?//' \
        | tr '[:upper:]' '[:lower:]' | grep -vxE '\.{1,2}' | sort -u
}

# foreign NAME: what the program reached beyond its own file, Windows' folders, Wine's files,
# the user's profile, devices, and what Windows' loader looks for beside the program. A bare
# name is one Wine looks up in a folder of Windows' it holds open (the fonts, the side-by-side
# assemblies); the planted files are looked for by their own names.
foreign() {
    local profile="users\\$user" beside
    beside="$profile\\downloads"
    names "$1" | while IFS= read -r name; do
        case $name in
        "$beside" | "$beside\\" | "$beside\\vertex2.exe" | "$beside\\vertex2.exe.manifest") ;;
        "$beside\\"*.dll | "$beside\\"*.drv)
            if [[ ${name#"$beside\\"} == *\\* ]]; then echo "$name"; fi ;;
        "$beside\\"*) echo "$name" ;;
        "$profile" | "$profile\\"* | windows | windows\\* | \\* | pipe\\*) ;;
        usr\\share\\wine\\* | usr\\share\\fonts\\* | usr\\lib\\*\\wine\\*) ;;
        *\\*) echo "$name" ;;
        esac
    done
}

# reached NAME: each name reached beyond those, with the first line that traces it.
reached() {
    local name trace="$VERTEX2_WINE_WORK/$1.trace"
    foreign "$1" | while IFS= read -r name; do
        echo "    $name: $(grep -aiFm1 "${name//\\/\\\\}\"" "$trace" | cut -c1-200)"
    done
}

start plain
check "plain: nothing read beyond the program, Windows and the profile" none reached plain

planted="$drive/planted"
prefix="$drive/${2#/}"
mkdir -p "$planted" "$prefix"
printf '[Paths]\nPrefix=C:/planted\n' >"$folder/qt.conf"
printf '[Rules]\n*=true\n' | tee "$planted/qtlogging.ini" >"$prefix/qtlogging.ini"
# planted_read: the planted files and the folder they point at, where the trace names them.
planted_read() {
    names planted | grep -E '(^|\\)qt6?\.conf$|^planted(\\|$)'
    names planted | grep -F "$(tr '/[:upper:]' '\\[:lower:]' <<<"${prefix#"$drive"/}")"
}

start planted
check "planted: neither qt.conf nor qtlogging.ini read" none planted_read
check "planted: nothing read beyond the program, Windows and the profile" none reached planted
check "planted: the program says the same" none diff "$VERTEX2_WINE_WORK"/{plain,planted}.out
exit "$failed"
