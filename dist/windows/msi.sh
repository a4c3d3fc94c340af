#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the MSI with wixl, the same bytes from the same sources every time: the files it packs
# are dated SOURCE_DATE_EPOCH, as the cabinet records them; wixl and msibuild run with their
# clock stopped there, for the dates of the summary; and the package code, which wixl would draw
# at random, follows from what the package holds. msibuild then writes what wixl cannot: the
# desktop shortcut's condition, the properties an administrator sets, made secure so that they
# reach an install that a deployment tool runs, and the package's language, Russian: its
# codepage, the Cyrillic one in which Windows Installer reads its strings, and the text of its
# refusal where the NSIS installer has installed Vertex2 (wixl writes ASCII alone).
#   msi.sh WXS OUTPUT FILE...    (the files that WXS names, by their names alone)
set -euo pipefail
wxs=$1
output=$2
shift 2
epoch=${SOURCE_DATE_EPOCH:-$(date +%s)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$@" "$stage/"
touch -d "@$epoch" "$stage"/*
when=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
at_epoch() {
    TZ=UTC faketime -f "$when" "$@"
}

code=$(cat "$wxs" "$stage"/* | sha256sum | cut -c1-32 \
    | sed -E 's/(.{8})(.{4})(.{4})(.{4})(.{12})/\U\1-\2-\3-\4-\5/')
(cd "$stage" && at_epoch wixl --arch x64 --output package.msi "$wxs")
summary() {
    msiinfo suminfo "$stage/package.msi" | sed -n "s/^$1: //p"
}
secure=$(msiinfo export "$stage/package.msi" Property | tr -d '\r' \
    | sed -n 's/^SecureCustomProperties\t//p')
printf '\n\n1251\t_ForceCodepage\n' >"$stage/codepage.idt"
refusal="Vertex2 уже установлена программой установки (NSIS). Сначала удалите её:\
 в «Параметрах», раздел «Приложения», или командой: [NSISUNINSTALLER] /S"
at_epoch msibuild "$stage/package.msi" -i "$stage/codepage.idt" \
    -q "UPDATE \`LaunchCondition\` SET \`Description\` = '$refusal'
        WHERE \`Condition\` = 'Installed OR NOT NSISUNINSTALLER'" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'DESKTOPSHORTCUT = \"1\"'
        WHERE \`Component\` = 'DesktopShortcut'" \
    -q "UPDATE \`Property\` SET \`Value\` = 'INSTALLDIR;DESKTOPSHORTCUT;$secure'
        WHERE \`Property\` = 'SecureCustomProperties'" \
    -s "$(summary Subject)" "$(summary Author)" "x64;1049" "{$code}"
mv "$stage/package.msi" "$output"
