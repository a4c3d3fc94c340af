#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317 # its helpers run through check, which shellcheck cannot follow
# The installers under a Wine of their own (in_wine.sh), as a school installs them, silent, and
# deploys them, with the commands of docs/deploying.md:
#   check_installers.sh nsis|msi INSTALLER VERSION [LATER_INSTALLER LATER_VERSION]
#       /S or msiexec /qn, exit code 0: the program where Windows keeps programs, its Start-menu
#       shortcut and one entry in "Apps" with its version, maker and icon; the installed program
#       shows its window. The later version installed over it leaves one entry, of the later
#       version, and the later program. Uninstalled, nothing is left.
#   check_installers.sh folder NSIS LATER_NSIS LATER_VERSION
#       /S /D=C:\Schule\Vertex2 into a folder that holds a file of the user's, then the later
#       version with /S alone: one program, in that folder, and one entry in "Apps", of the
#       later version; uninstalled, the user's file stays.
#   check_installers.sh properties MSI PROGRAM
#       msiexec /i with INSTALLDIR=C:\Schule\Vertex2, DESKTOPSHORTCUT=1 and a log: the program
#       there, beside the user's file, a shortcut on the desktop, and the log naming the
#       properties and Vertex2's own searches; msiexec /x with the product code alone removes
#       both, and keeps the user's file; DESKTOPSHORTCUT=0 makes no shortcut; msiexec /a
#       unpacks PROGRAM to a share.
#   check_installers.sh exclusive NSIS MSI
#       either installer, where the other has installed Vertex2, refuses (1603 from the MSI, whose
#       log names the other's uninstaller, 1638 from the NSIS installer) and leaves one entry in
#       "Apps"; started by hand, it says so: the MSI in Russian, the NSIS installer in Russian
#       under a Russian locale and in English under another.
#   check_installers.sh languages NSIS
#       the NSIS installer and its uninstaller, started by hand, speak Russian under a Russian
#       locale and English under another.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
[ -n "${VERTEX2_WINE_WORK:-}" ] || exec "$here/in_wine.sh" bash "$0" "$@"
# shellcheck source=../checks.sh
source "$here/../checks.sh"
scenario=$1
shift
drive="$WINEPREFIX/drive_c"
folder="$drive/Schule/Vertex2"
mkdir -p "$folder"
echo "a pupil's notes" >"$folder/notes.txt"
desktops=("$drive/users/Public/Desktop/Vertex2.lnk" "$drive/users/$(id -un)/Desktop/Vertex2.lnk")

# run SECONDS COMMAND...: a Windows command, and every process it started, to their end; its
# exit code is the command's.
run() {
    local seconds=$1 status=0
    shift
    timeout "$seconds" wine "$@" >/dev/null 2>&1 || status=$?
    timeout "$seconds" wineserver -w
    return "$status"
}

# entries: the entries of "Apps" that name Vertex2: each line of each, after its key.
entries() {
    local key values
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null \
        | tr -d '\r' | grep -i '^HKEY' \
        | while IFS= read -r key; do
            values=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
            grep -qE '^ *DisplayName[[:space:]]+REG_SZ[[:space:]]+Vertex2$' <<<"$values" || continue
            while IFS= read -r line; do printf '%s %s\n' "$key" "$line"; done <<<"$values"
        done
}

# versions: the version of each entry of "Apps" that names Vertex2, one a line.
versions() {
    entries | sed -nE 's/^[^ ]+ +DisplayVersion[[:space:]]+REG_SZ[[:space:]]+//p'
}

# exits STATUS COMMAND...: the Windows command ends with that exit code, of which Wine hands on
# the lowest eight bits.
exits() {
    local expected=$(($1 % 256)) status=0
    shift
    "$@" || status=$?
    [ "$status" -eq "$expected" ] || { echo "exit code $status, not $expected"; return 1; }
}
# logged LOG TEXT: Windows Installer's log names it; Wine writes the log in UTF-16 and in
# ASCII by turns, which read alike without their zero bytes. grep reads to the end: with -q it
# would stop at the first match, and tr, still writing a longer log, would die of SIGPIPE and
# fail the pipe.
logged() {
    tr -d '\000' <"$drive/$1" | grep -aF "$2" >/dev/null
}
# shows LOCALE WHAT COMMAND...: the Windows command, started under that locale, shows a window
# named WHAT (NSIS ends the uninstaller's name with a blank), or a message that begins with WHAT
# (Wine traces each message box), and is then stopped.
shows() {
    local locale=$1 what=$2 log="$VERTEX2_WINE_WORK/shows.log" message="" window=""
    shift 2
    LC_ALL=$locale WINEDEBUG=+msgbox wine "$@" >"$log" 2>&1 &
    for _ in $(seq 120); do
        message=$(sed -nE 's/^[0-9a-f]+:trace:msgbox:MSGBOX_OnInit L"(.*)".*/\1/p' "$log")
        window=$(xdotool search --name "^$what ?\$" 2>/dev/null || true)
        [ -z "$message$window" ] || break
        sleep 0.5
    done
    wineserver -k || true
    wineserver -w
    wait || true
    # Wine writes each letter beyond ASCII as four hexadecimal digits.
    message=$(sed -E 's/\\([0-9a-fA-F]{4})/\\u\1/g' <<<"$message")
    message=$(env LC_ALL=C.UTF-8 printf '%b' "$message")
    [ -n "$window" ] || [[ -n $what && $message == "$what"* ]] \
        || { echo "shown: ${message:-nothing}"; return 1; }
}
msi() {
    run 120 msiexec "$1" "$(winepath -w "$2")" /qn "${@:3}"
}
product_code() {
    msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'
}
desktop_shortcut() {
    test -f "${desktops[0]}" || test -f "${desktops[1]}"
}
user_file_kept() {
    check "the user's file kept" grep -qx "a pupil's notes" "$folder/notes.txt"
}

installed_program="$drive/Program Files/Vertex2/bin/vertex2.exe"
programs="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
user_programs="$drive/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
# start_menu KIND: the shortcut in the Start menu: the NSIS installer's in a folder of its own;
# the MSI's for all users, or where Wine's installer service puts it whatever ALLUSERS says, in
# the installing user's.
start_menu() {
    if [ "$1" = nsis ]; then test -f "$programs/Vertex2/Vertex2.lnk"
    else test -f "$programs/Vertex2.lnk" || test -f "$user_programs/Vertex2.lnk"; fi
}
start_menu_empty() {
    ! start_menu nsis && ! start_menu msi && test ! -e "$programs/Vertex2"
}
# install KIND INSTALLER and remove KIND INSTALLER: silently, by the NSIS installer or the MSI.
install() {
    if [ "$1" = nsis ]; then run 120 "$2" /S; else run 120 msiexec /i "$(winepath -w "$2")" /qn; fi
}
remove() {
    if [ "$1" = nsis ]; then run 120 'C:\Program Files\Vertex2\Uninstall.exe' /S
    else run 120 msiexec /x "$(winepath -w "$2")" /qn; fi
}
# installed KIND VERSION: the program, of that version, its shortcut and one entry in "Apps", of
# that version, with its icon: the NSIS installer names the program's; Windows Installer caches
# the MSI's under the product's code (Wine does not write that name down).
installed() {
    local apps key
    check "the program in Program Files, version $2" /usr/bin/python3 \
        "$here/check_program_file.py" "$installed_program" "$2" "$here/../../assets/vertex2.ico" \
        >/dev/null
    check "the Start-menu shortcut" start_menu "$1"
    apps=$(entries)
    key=$(cut -d' ' -f1 <<<"$apps" | sort -u)
    check "one entry in Apps" test "$(wc -l <<<"$key")" -eq 1
    for value in "DisplayVersion REG_SZ $2" "Publisher REG_SZ Vertex2 Team"; do
        check "in Apps: $value" grep -qE "^[^ ]+ +${value// /[[:space:]]+}" <<<"$apps"
    done
    if [ "$1" = nsis ]; then
        check "in Apps: the program's icon" grep -qE \
            '^[^ ]+ +DisplayIcon[[:space:]]+REG_SZ[[:space:]]+.*vertex2.exe' <<<"$apps"
    else
        check "the icon of Apps" test -f "$drive/windows/Installer/${key##*\\}/vertex2.ico"
    fi
}

case $scenario in
nsis | msi)
    installer=$1 version=$2 later=${3:-} later_version=${4:-}
    check "$scenario $version installed silently" install "$scenario" "$installer"
    installed "$scenario" "$version"
    # Started from where it was installed, with nothing beside it.
    wine 'C:\Program Files\Vertex2\bin\vertex2.exe' >/dev/null 2>&1 &
    check "the installed program shows its window" \
        timeout 30 xdotool search --sync --name 'Paravel v2.1 by Zorvan' >/dev/null
    wineserver -k || true
    wineserver -w
    if [ -n "$later" ]; then
        check "$scenario $later_version installed over $version silently" \
            install "$scenario" "$later"
        installed "$scenario" "$later_version"
    fi
    check "uninstalled silently" remove "$scenario" "${later:-$installer}"
    check "nothing left in Program Files" test ! -e "$drive/Program Files/Vertex2"
    check "nothing left in the Start menu" start_menu_empty
    check "nothing left in Apps" test -z "$(entries)"
    ;;
folder)
    nsis=$1 later=$2 later_version=$3
    check "/S /D=C:\\Schule\\Vertex2" run 120 "$nsis" /S '/D=C:\Schule\Vertex2'
    check "the program in C:\\Schule\\Vertex2" test -f "$folder/bin/vertex2.exe"
    check "the later version with /S alone" run 120 "$later" /S
    check "the later program in C:\\Schule\\Vertex2" /usr/bin/python3 \
        "$here/check_program_file.py" "$folder/bin/vertex2.exe" "$later_version" \
        "$here/../../assets/vertex2.ico"
    check "nothing in Program Files" test ! -e "$drive/Program Files/Vertex2"
    check "one entry in Apps, of $later_version" test "$(versions)" = "$later_version"
    user_file_kept
    check "uninstalled silently" run 120 'C:\Schule\Vertex2\Uninstall.exe' /S
    check "the program removed" test ! -e "$folder/bin/vertex2.exe"
    user_file_kept
    check "nothing left in Apps" test -z "$(entries)"
    ;;
properties)
    package=$1 program=$2
    code=$(product_code "$package")
    check "msiexec /i with INSTALLDIR, DESKTOPSHORTCUT=1 and a log" msi /i "$package" \
        'INSTALLDIR=C:\Schule\Vertex2' DESKTOPSHORTCUT=1 /l*v 'C:\vertex2-install.log'
    check "the program in C:\\Schule\\Vertex2" cmp -s "$folder/bin/vertex2.exe" "$program"
    check "a shortcut on the desktop" desktop_shortcut
    for text in "INSTALLDIR = C:\\Schule\\Vertex2\\" 'DESKTOPSHORTCUT = 1' 'Signature: KeptFolder' \
        'Signature: KeptDesktopShortcut' 'Signature: NsisUninstaller'; do
        check "the log names $text" logged vertex2-install.log "$text"
    done
    user_file_kept
    check "msiexec /x $code" run 120 msiexec /x "$code" /qn
    check "the program removed" test ! -e "$folder/bin/vertex2.exe"
    check "the shortcut removed" eval '! desktop_shortcut'
    user_file_kept
    check "DESKTOPSHORTCUT=0" msi /i "$package" DESKTOPSHORTCUT=0
    check "no shortcut on the desktop" eval '! desktop_shortcut'
    check "removed" run 120 msiexec /x "$code" /qn
    check "msiexec /a with TARGETDIR" msi /a "$package" 'TARGETDIR=C:\Share\Vertex2'
    unpacked=$(find "$drive/Share/Vertex2" -name vertex2.exe)
    check "the program unpacked to the share" cmp -s "$unpacked" "$program"
    check "nothing installed by it" test -z "$(entries)"
    ;;
exclusive)
    nsis=$1 package=$2
    check "the NSIS installer" run 120 "$nsis" /S
    check "then the MSI refuses (1603)" exits 1603 msi /i "$package" /l*v 'C:\refused.log'
    check "having found the other's uninstaller" logged refused.log \
        'NSISUNINSTALLER = "C:\Program Files\Vertex2\Uninstall.exe'
    check "one entry in Apps" test "$(versions | wc -l)" -eq 1
    for locale in ru_RU.UTF-8 en_US.UTF-8; do
        check "started by hand under $locale, it says so in Russian" shows "$locale" \
            'Vertex2 уже установлена программой установки (NSIS). Сначала удалите её' \
            msiexec /i "$(winepath -w "$package")"
    done
    check "the NSIS install removed" run 120 'C:\Program Files\Vertex2\Uninstall.exe' /S
    check "the MSI" msi /i "$package"
    check "then the NSIS installer refuses (1638)" exits 1638 run 120 "$nsis" /S
    check "started by hand under ru_RU.UTF-8, it says so in Russian" shows ru_RU.UTF-8 \
        'Vertex2 уже установлена из пакета MSI. Сначала удалите её' "$nsis"
    check "under en_US.UTF-8, in English" shows en_US.UTF-8 \
        'Vertex2 is installed already by its MSI package. Remove it first' "$nsis"
    check "one entry in Apps" test "$(versions | wc -l)" -eq 1
    check "the MSI install removed" run 120 msiexec /x "$(product_code "$package")" /qn
    check "nothing left in Apps" test -z "$(entries)"
    ;;
languages)
    nsis=$1
    uninstaller='C:\Program Files\Vertex2\Uninstall.exe'
    check "under ru_RU.UTF-8, the installer in Russian" \
        shows ru_RU.UTF-8 'Установка Vertex2' "$nsis"
    check "under en_US.UTF-8, in English" shows en_US.UTF-8 'Vertex2 Setup' "$nsis"
    check "installed" run 120 "$nsis" /S
    check "under ru_RU.UTF-8, the uninstaller in Russian" \
        shows ru_RU.UTF-8 'Удаление Vertex2' "$uninstaller"
    check "under en_US.UTF-8, in English" shows en_US.UTF-8 'Vertex2 Uninstall' "$uninstaller"
    check "uninstalled" run 120 "$uninstaller" /S
    ;;
esac
exit "$failed"
