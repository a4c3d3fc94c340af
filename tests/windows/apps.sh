# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the Windows tests share, sourced by them under a Wine of their own (in_wine.sh).

# window_shown: the program's window comes up within 30 s.
window_shown() {
    timeout 30 xdotool search --sync --name 'Paravel v2.1 by Zorvan' >/dev/null
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
