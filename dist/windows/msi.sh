#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the MSI with wixl, the same bytes from the same sources every time: the files it packs
# are dated SOURCE_DATE_EPOCH, as the cabinet records them; wixl and msibuild run with their
# clock stopped there, for the dates of the summary; and the package code, which wixl would draw
# at random, follows from what the package holds. msibuild then writes what wixl cannot: the
# desktop shortcut's condition, and the properties an administrator sets, made secure so that
# they reach an install that a deployment tool runs.
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
at_epoch msibuild "$stage/package.msi" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'DESKTOPSHORTCUT = \"1\"'
        WHERE \`Component\` = 'DesktopShortcut'" \
    -q "UPDATE \`Property\` SET \`Value\` = 'INSTALLDIR;DESKTOPSHORTCUT;$secure'
        WHERE \`Property\` = 'SecureCustomProperties'" \
    -s "$(summary Subject)" "$(summary Author)" "$(summary Template)" "{$code}"
mv "$stage/package.msi" "$output"
