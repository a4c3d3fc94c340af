#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317 # its helpers run through check, which shellcheck cannot follow
# An installer as a school deploys it, under a Wine of its own: the NSIS one (/S) or the MSI
# (msiexec /qn), each silent and ending with exit code 0. Installed, the program is where Windows
# keeps programs, with its Start-menu shortcut and its entry in "Apps"; the installed program
# starts and shows its window. Given a later version too, that is installed over the first:
# "Apps" then lists one Vertex2, of the later version, and the program is the later one.
# Uninstalled, nothing is left.
#   check_installer.sh nsis|msi INSTALLER VERSION [LATER_INSTALLER LATER_VERSION]
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
[ -n "${VERTEX2_WINE_WORK:-}" ] || exec "$here/in_wine.sh" bash "$0" "$@"
# shellcheck source=apps.sh
source "$here/apps.sh"
# shellcheck source=../checks.sh
source "$here/../checks.sh"
failed=0
kind=$1
installer=$2
version=$3
later=${4:-}
for file in "$installer" ${later:+"$later"}; do
    [ -f "$file" ] || { echo "no installer $file: windows.sh makes it"; exit 1; }
done

folder="$WINEPREFIX/drive_c/Program Files/Vertex2"
programs="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
installer_cache="$WINEPREFIX/drive_c/windows/Installer"
if [ "$kind" = nsis ]; then
    shortcuts=("$programs/Vertex2/Vertex2.lnk")
    install() { run 120 "$1" /S; }
    remove() { run 120 "C:\\Program Files\\Vertex2\\Uninstall.exe" /S; }
else
    # Windows puts the shortcut of an install for all users in the common Start menu; Wine's
    # installer service puts it in the installing user's, whatever ALLUSERS says.
    user="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
    shortcuts=("$programs/Vertex2.lnk" "$user/Microsoft/Windows/Start Menu/Programs/Vertex2.lnk")
    install() { run 120 msiexec /i "$(winepath -w "$1")" /qn; }
    remove() { run 120 msiexec /x "$(winepath -w "${later:-$installer}")" /qn; }
fi
shortcut() {
    local shortcut
    for shortcut in "${shortcuts[@]}"; do
        [ ! -f "$shortcut" ] || return 0
    done
    return 1
}

# program_is VERSION: the installed program file is of that version.
program_is() {
    /usr/bin/python3 "$here/check_program_file.py" "$folder/bin/vertex2.exe" "$1" \
        "$here/../../assets/vertex2.ico" >/dev/null
}
# installed VERSION: the program, its shortcut and one entry in "Apps", of that version.
installed() {
    check "the program in Program Files" test -f "$folder/bin/vertex2.exe" || failed=1
    check "the Start-menu shortcut" shortcut || failed=1
    local apps key
    apps=$(entries)
    key=$(cut -d' ' -f1 <<<"$apps" | sort -u)
    check "one entry in Apps" test "$(wc -l <<<"$key")" -eq 1 || failed=1
    for value in "DisplayVersion REG_SZ $1" "Publisher REG_SZ Vertex2 Team"; do
        check "in Apps: $value" grep -qE "^[^ ]+ +${value// /[[:space:]]+}" <<<"$apps" || failed=1
    done
    # The icon "Apps" shows: the NSIS installer names the program's; Windows Installer caches
    # the MSI's icon under the product's code (Wine does not write that name down).
    if [ "$kind" = nsis ]; then
        check "in Apps: the program's icon" grep -qE \
            '^[^ ]+ +DisplayIcon[[:space:]]+REG_SZ[[:space:]]+.*vertex2.exe' <<<"$apps" || failed=1
    else
        check "the icon of Apps" test -f "$installer_cache/${key##*\\}/vertex2.ico" || failed=1
    fi
}

check "$kind $version installed silently" install "$installer" || failed=1
installed "$version"

# Started from where it was installed, with nothing beside it, it shows its window.
wine "C:\\Program Files\\Vertex2\\bin\\vertex2.exe" >/dev/null 2>&1 &
check "the installed program shows its window" window_shown || failed=1
wineserver -k || true
wineserver -w

if [ -n "$later" ]; then
    check "$kind $5 installed over $version silently" install "$later" || failed=1
    installed "$5"
    check "the program is version $5" program_is "$5" || failed=1
fi

check "uninstalled silently" remove || failed=1
check "nothing left in Program Files" test ! -e "$folder" || failed=1
no_shortcut() {
    ! shortcut && test ! -e "$programs/Vertex2"
}
check "nothing left in the Start menu" no_shortcut || failed=1
check "nothing left in Apps" test -z "$(entries)" || failed=1
exit $failed
