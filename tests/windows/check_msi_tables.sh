#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317 # its helpers run through check, which shellcheck cannot follow
# The MSI's tables read back with msitools, as a deployment tool reads them: the product, its
# version, maker and UpgradeCode, its language, Russian, in the Cyrillic codepage, an install for
# all users under the 64-bit Program Files, the major upgrade, the Start-menu shortcut with its
# icon, the properties an administrator sets, secure and kept, the desktop shortcut they ask for,
# the refusal where the NSIS installer has installed Vertex2, in Russian, with what to remove
# first, and the program file it carries, the very one built.
#   check_msi_tables.sh MSI VERSION UPGRADE_CODE PROGRAM
set -euo pipefail
# shellcheck source=../checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
msi=$(realpath "$1")
version=$2
upgrade_code=$3
program=$(realpath "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" # msiinfo writes a table's binary fields there, and msiextract the files

# table NAME: its rows, tab-separated, without the three lines of its header.
table() {
    msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4
}
# has NAME FIELD...: the table has a row of these fields, each an extended regex. grep reads the
# whole table, so that a first match does not leave the writers to die of SIGPIPE.
has() {
    local name=$1 row
    shift
    row=$(printf '%s\t' "$@")
    table "$name" | grep -E "^${row%$'\t'}$" >/dev/null
}

for property in "ProductName Vertex2" "ProductVersion $version" "Manufacturer Vertex2 Team" \
    "UpgradeCode {$upgrade_code}" "ALLUSERS 1" "ARPPRODUCTICON vertex2.ico" \
    "ProductLanguage 1049"; do
    check "Property: $property" grep -qxF "${property/ /$'\t'}" <(table Property)
done
check "the summary names x64 and Russian" grep -qx 'Template: x64;1049' <(msiinfo suminfo "$msi")
check "the strings in the Cyrillic codepage" grep -qx $'1251\t_ForceCodepage' \
    <(msiinfo export "$msi" _ForceCodepage | tr -d '\r')
check "under the 64-bit Program Files" has Directory INSTALLDIR ProgramFiles64Folder Vertex2
check "a 64-bit component" has Component Program '\{[-0-9A-F]+\}' BINDIR 256 '' vertex2.exe
check "it finds the earlier versions" \
    has Upgrade "\\{$upgrade_code\\}" '' "$version" '' 1 '' WIX_UPGRADE_DETECTED
check "and removes them" has InstallExecuteSequence RemoveExistingProducts '' '[0-9]+'
check "the Start-menu shortcut with its icon" has Shortcut Vertex2 ProgramMenuFolder Vertex2 \
    StartMenuShortcut '\[BINDIR\]vertex2.exe' '' '' '' vertex2.ico '' '' BINDIR '' '' '' ''
check "INSTALLDIR and DESKTOPSHORTCUT secure" \
    has Property SecureCustomProperties 'INSTALLDIR;DESKTOPSHORTCUT;.*'
check "the desktop shortcut, with DESKTOPSHORTCUT=1" has Component DesktopShortcut \
    '\{[-0-9A-F]+\}' DesktopFolder 260 'DESKTOPSHORTCUT = "1"' '.+'
for kept in INSTALLDIR:KeptFolder DESKTOPSHORTCUT:KeptDesktopShortcut; do
    check "${kept%:*} read back" has AppSearch "${kept%:*}" "${kept#*:}"
done
check "the refusal where the NSIS installer has installed Vertex2" has LaunchCondition \
    'Installed OR NOT NSISUNINSTALLER' \
    'Vertex2 уже установлена .*Сначала удалите её:.*\[NSISUNINSTALLER\] /S'
check "the icon itself" has Icon vertex2.ico Icon.vertex2.ico

msiextract "$msi" >/dev/null
check "the program built" cmp -s Vertex2/bin/vertex2.exe "$program"
exit "$failed"
