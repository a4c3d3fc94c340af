#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installer as a school deploys it, under a Wine of its own: installed silently (/S), the
# program is where Windows keeps programs, with its Start-menu entry and its entry in "Apps";
# the installed program starts and shows its window; uninstalled silently, nothing is left.
#   check_installer.sh INSTALLER VERSION
source "$(dirname "${BASH_SOURCE[0]}")/wineprefix.sh"
installer=$1
version=$2
[ -f "$installer" ] || { echo "no installer $installer: windows.sh makes it (cpack)"; exit 1; }
start_wine

failed=0
# check WHAT COMMAND...: says whether the command holds.
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}
# run SECONDS COMMAND...: a Windows command, and every process it started, to their end.
run() {
    local seconds=$1
    shift
    timeout "$seconds" wine "$@" >/dev/null 2>&1 && timeout "$seconds" wineserver -w
}

folder="$WINEPREFIX/drive_c/Program Files/Vertex2"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vertex2"
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vertex2"

check "installed silently" run 120 "$installer" /S
check "the program in Program Files" test -f "$folder/bin/vertex2.exe"
check "the Start-menu entry" test -f "$menu/Vertex2.lnk"
apps=$(wine reg query "$key" 2>/dev/null | tr -d '\r' || true)
for value in "DisplayName REG_SZ Vertex2" "DisplayVersion REG_SZ $version" \
    "Publisher REG_SZ Vertex2 Team" "DisplayIcon REG_SZ .*vertex2.exe"; do
    check "in Apps: $value" grep -qE "^ *${value// /[[:space:]]+}" <<<"$apps"
done

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

check "uninstalled silently" run 120 "C:\\Program Files\\Vertex2\\Uninstall.exe" /S
check "nothing left in Program Files" test ! -e "$folder"
check "nothing left in the Start menu" test ! -e "$menu"
gone() { ! wine reg query "$key" >/dev/null 2>&1; }
check "nothing left in Apps" gone
exit $failed
