#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An installer as a school deploys it, under a Wine of its own: the NSIS one (/S) or the MSI
# (msiexec /qn), each silent and ending with exit code 0. Installed, the program is where Windows
# keeps programs, with its Start-menu shortcut and its entry in "Apps"; the installed program
# starts and shows its window. Given a later version too, that is installed over the first:
# "Apps" then lists one Vertex2, of the later version, and the program is the later one.
# Uninstalled, nothing is left.
#   check_installer.sh nsis|msi INSTALLER VERSION [LATER_INSTALLER LATER_VERSION]
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/wineprefix.sh"
kind=$1
installer=$2
version=$3
later=${4:-}
for file in "$installer" ${later:+"$later"}; do
    [ -f "$file" ] || { echo "no installer $file: windows.sh makes it"; exit 1; }
done
start_wine

failed=0
# check WHAT COMMAND...: says whether the command holds.
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}
# run SECONDS COMMAND...: a Windows command, and every process it started, to their end; its
# exit code is the command's.
run() {
    local seconds=$1 status=0
    shift
    timeout "$seconds" wine "$@" >/dev/null 2>&1 || status=$?
    timeout "$seconds" wineserver -w
    return $status
}

folder="$WINEPREFIX/drive_c/Program Files/Vertex2"
programs="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
uninstall="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
if [ "$kind" = nsis ]; then
    shortcut="$programs/Vertex2/Vertex2.lnk"
    install() { run 120 "$1" /S; }
    remove() { run 120 "C:\\Program Files\\Vertex2\\Uninstall.exe" /S; }
else
    shortcut="$programs/Vertex2.lnk"
    install() { run 120 msiexec /i "$(winepath -w "$1")" /qn; }
    remove() { run 120 msiexec /x "$(winepath -w "${later:-$installer}")" /qn; }
fi

# entries: the entries of "Apps" that name Vertex2, a key a line, with their values.
entries() {
    local key
    for key in $(wine reg query "$uninstall" 2>/dev/null | tr -d '\r' | grep -i '^HKEY'); do
        wine reg query "$key" 2>/dev/null | tr -d '\r' \
            | grep -qE '^ *DisplayName[[:space:]]+REG_SZ[[:space:]]+Vertex2$' || continue
        wine reg query "$key" 2>/dev/null | tr -d '\r' | sed "s#^#$key #"
    done
}
# installed VERSION: the program, its shortcut and one entry in "Apps", of that version.
installed() {
    check "the program in Program Files" test -f "$folder/bin/vertex2.exe"
    check "the Start-menu shortcut" test -f "$shortcut"
    local apps
    apps=$(entries)
    check "one entry in Apps" test "$(cut -d' ' -f1 <<<"$apps" | sort -u | wc -l)" -eq 1
    for value in "DisplayVersion REG_SZ $1" "Publisher REG_SZ Vertex2 Team" \
        "DisplayIcon REG_SZ .*vertex2.(exe|ico)"; do
        check "in Apps: $value" grep -qE "^[^ ]+ +${value// /[[:space:]]+}" <<<"$apps"
    done
}

check "$kind $version installed silently" install "$installer"
installed "$version"

# Started from where it was installed, with nothing beside it, it shows its window.
wine "C:\\Program Files\\Vertex2\\bin\\vertex2.exe" >/dev/null 2>&1 &
shown=""
for _ in $(seq 60); do
    shown=$(xdotool search --name 'Paravel v2.1 by Zorvan' 2>/dev/null || true)
    [ -z "$shown" ] || break
    sleep 0.5
done
check "the installed program shows its window" test -n "$shown"
wineserver -k
wineserver -w

if [ -n "$later" ]; then
    check "$kind $5 installed over $version silently" install "$later"
    installed "$5"
    check "the program is version $5" /usr/bin/python3 "$here/check_program_file.py" \
        "$folder/bin/vertex2.exe" "$5" "$here/../../assets/vertex2.ico" >/dev/null
fi

check "uninstalled silently" remove
check "nothing left in Program Files" test ! -e "$folder"
check "nothing left in the Start menu" test ! -e "$shortcut" -a ! -e "$programs/Vertex2"
check "nothing left in Apps" test -z "$(entries)"
exit $failed
