# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the scripts share, sourced: the project's folder (root), installing what is missing, the
# one way to root, and running a step quietly. Each script sets its own shell options; each
# function here returns a status, and prints what it hands back.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# as_root COMMAND...: as root, through sudo unless this is root.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# quietly LOG COMMAND...: the command, its output in LOG; if it fails, the end of LOG.
quietly() {
    local log=$1 status=0
    shift
    "$@" >"$log" 2>&1 || status=$?
    [ $status -eq 0 ] || tail -n 40 "$log" >&2
    return $status
}

# install_packages LIST...: the Debian packages of scripts/packages/LIST.txt, one a line, that
# are missing. A line that is not a package's name is refused: the list reaches apt-get as root.
install_packages() {
    local names
    names=$(cd "$root/scripts/packages" && sed 's/#.*//; /^[[:space:]]*$/d' "${@/%/.txt}") \
        || return 1
    if grep -vxE '[a-z0-9][a-z0-9+.-]+' <<<"$names"; then
        echo "scripts/packages: the lines above are not packages' names" >&2
        return 1
    fi
    names=$(paste -sd, <<<"$names")
    dpkg-checkbuilddeps -d "$names" "$root/debian/control" 2>/dev/null && return 0
    echo "Installing what scripts/packages/ lists for: $*"
    apt_get satisfy "$names"
}

# build_dependencies program|tests: what building the program, or the program and its tests,
# needs, as debian/control says, installed if anything is missing.
build_dependencies() {
    local profiles=()
    [ "$1" = tests ] || profiles=(--build-profiles=nocheck)
    dpkg-checkbuilddeps "${profiles[@]}" "$root/debian/control" 2>/dev/null && return 0
    echo "Installing what debian/control says building needs"
    apt_get build-dep "${profiles[@]}" "$root"
}

# apt_get COMMAND ARGUMENT...: apt-get update, then that apt-get command, as root and quietly;
# says how much it downloads.
apt_get() {
    local log status=0
    log=$(mktemp)
    # shellcheck disable=SC2016 # the positional parameters of the shell that sudo starts
    quietly "$log" as_root sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
        apt-get -y -q --no-install-recommends "$@"' - "$@" || status=$?
    [ $status -ne 0 ] || grep -E '^(Need to get|After this operation)' "$log" || true
    rm -f "$log"
    return $status
}
