# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fresh minimal Debian systems, made as an ordinary user by Debian's own unprivileged tools:
# mmdebstrap --mode=unshare, and sbuild's unshare mode for the packages. Each system lives in
# user, mount and PID namespaces of its own, with the /dev, /proc and /sys its tool gives it, and
# goes with its last process: nothing is ever mounted on this machine, however a run ends. Each
# reads the release's -updates and -security suites too, so it is up to date when it builds.
# Sourced, after scripts/common.sh, by release.sh, scripts/fresh-system.sh and
# scripts/reproducible.sh.
#
# What the systems keep between runs is in VERTEX2_CACHE (~/.cache/vertex2): the packages
# mmdebstrap downloads (apt/RELEASE/), taken before any of the sources' code runs, and the
# Windows toolkit (vertex2-windows/, see scripts/windows/toolkit.sh), written only by the toolkit's
# own step. A run works in work/, and one run at a time holds the cache: the next waits for it.
# A run takes all its processes with it, however it ends, and the next removes what one cut short
# left in work/.
# The Debian mirrors are VERTEX2_MIRROR and VERTEX2_SECURITY_MIRROR (deb.debian.org's).

cache=${VERTEX2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vertex2}
scratch=$cache/work

# root_owns_clone: the hook that gives root its clone, ~/vertex2: copy-in keeps the owner's number
# from this machine, a stranger inside, whose repository git refuses to read.
root_owns_clone() {
    # shellcheck disable=SC2016 # $1 is the system's folder, for mmdebstrap's shell
    echo 'chown -R 0:0 "$1/root/vertex2"'
}

# begin_run ARGUMENT...: the calling script, started again with these arguments under
# scripts/fresh/keeper.py, which takes every process of the run with it however the run ends,
# even if this script is killed; there, the cache held by this run until it ends (the lock is file
# descriptor 9; the next run waits for it, saying so) and its work folder emptied of what a run
# cut short left.
begin_run() {
    local user
    if [ -z "${VERTEX2_KEPT:-}" ]; then
        VERTEX2_KEPT=1 python3 "$(dirname "${BASH_SOURCE[0]}")/keeper.py" "$0" "$@"
        exit
    fi
    user=$(id -un)
    if ! grep -q "^$user:" /etc/subuid || ! grep -q "^$user:" /etc/subgid; then
        echo "$user has no subordinate ids for the systems' namespaces; give it some with:" \
            "sudo usermod --add-subuids 100000-165535 --add-subgids 100000-165535 $user" >&2
        return 1
    fi
    mkdir -p "$cache" || return 1
    exec 9>>"$cache/lock"
    if ! flock -n 9; then
        echo "$(basename "$0"): another run is using $cache; waiting for it"
        flock 9
    fi
    # What a system's own users left is theirs in the namespace: removed from one like it.
    unshare --map-auto --map-root-user rm -rf "$scratch" && mkdir "$scratch"
}

# job COMMAND...: the command, stopping at its first error wherever job is called.
job() {
    (set -e && "$@")
}

# fresh_system RELEASE TARGET OPTION...: a fresh system of the release (bookworm, trixie) made by
# mmdebstrap, with the options it is given (its variant, packages and hooks), into TARGET: a
# tarball, or /dev/null for a system that does its work in hooks and is then removed. The
# packages mmdebstrap downloads are kept for the next, taken before the first of the hooks given
# runs: nothing a system does afterwards, as root inside, reaches the cache.
fresh_system() {
    local release=$1 target=$2 packages="$cache/apt/$1" out
    shift 2
    mkdir -p "$packages" && out=$(mktemp -d "$scratch/apt.XXXXXX") || return 1
    # shellcheck disable=SC2016 # $1 in a hook is its system's folder, for mmdebstrap's shell
    TMPDIR=$scratch mmdebstrap --mode=unshare --quiet \
        --setup-hook='mkdir -p "$1/var/cache/apt/archives"' \
        --setup-hook="sync-in $packages /var/cache/apt/archives" \
        --customize-hook="sync-out /var/cache/apt/archives $out" \
        --customize-hook='printf "127.0.0.1 localhost\n127.0.1.1 %s\n" "$(cat "$1/etc/hostname")" \
            >"$1/etc/hosts"' \
        "$@" \
        "$release" "$target" "${sources[@]/@/$release}" || return 1
    # Only whole packages, each moved in at once.
    find "$out" -maxdepth 1 -name '*.deb' -exec mv -t "$packages" {} +
}

# The release's suites, with @ for its name.
sources=(
    "deb ${VERTEX2_MIRROR:-http://deb.debian.org/debian} @ main"
    "deb ${VERTEX2_MIRROR:-http://deb.debian.org/debian} @-updates main"
    "deb ${VERTEX2_SECURITY_MIRROR:-http://deb.debian.org/debian-security} @-security main"
)

# login USER COMMAND: a hook that runs the command in a login shell of root or of the user,
# inside the system, and says when it starts and how long it took.
login() {
    # shellcheck disable=SC2016 # $1 and $SECONDS are for the hook's shells
    printf 'chroot "$1" runuser -l %q -c %q' "$1" \
        "echo \"== $1: $2\" && ($2) && echo \"== $1: $2 took \$SECONDS s\""
}

# windows_toolkit SOURCES: the Windows toolkit kept, made current in a fresh Debian 13 system of
# its own by the windows.sh in SOURCES, a folder of the sources: taken from the cache if that
# holds what this release's packages build, and built there otherwise. A Windows build that
# fails afterwards loses nothing.
windows_toolkit() {
    local inside toolkit="$cache/vertex2-windows" out="$scratch/toolkit" kept=() link entry
    inside=/root/$(basename "$1")
    mkdir -p "$out" || return 1
    fresh_system trixie /dev/null --variant=minbase --include=ca-certificates,sudo \
        --customize-hook="copy-in $1 /root" --customize-hook="$(toolkit_in)" \
        --customize-hook="$(login root "cd $inside && ./windows.sh toolkit")" \
        --customize-hook="copy-out $inside/build-windows/toolkit /var/cache/vertex2-windows $out" \
        || return 1
    # The libraries the links name, each moved in at once: never a toolkit half-written.
    for link in "$out"/toolkit/*; do
        entry=$(basename "$(readlink "$link")")
        [ -d "$toolkit/$entry" ] || mv "$out/vertex2-windows/$entry" "$toolkit/" || return 1
        kept+=("$entry")
    done
    for entry in "$toolkit"/*; do
        [[ " ${kept[*]} " == *" $(basename "$entry") "* ]] || rm -rf "$entry"
    done
}

# toolkit_in: a hook that gives a system a copy of the Windows toolkit kept, where windows.sh
# looks for it: what the system does cannot change the one kept.
toolkit_in() {
    mkdir -p "$cache/vertex2-windows" && echo "copy-in $cache/vertex2-windows /var/cache"
}

# take FILE DESTINATION: a file a build left, copied out only if it is a regular file.
take() {
    if [ ! -f "$1" ] || [ -L "$1" ]; then
        echo "$1 is not a regular file" >&2
        return 1
    fi
    cp -- "$1" "$2"
}
