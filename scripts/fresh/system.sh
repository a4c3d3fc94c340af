# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fresh minimal Debian systems, made as an ordinary user by mmdebstrap --mode=unshare (and
# sbuild's unshare mode): each in namespaces of its own, gone with its last process, nothing ever
# mounted on this machine; each up to date from the release's -updates and -security suites
# (VERTEX2_MIRROR, VERTEX2_SECURITY_MIRROR). Kept in VERTEX2_CACHE (~/.cache/vertex2) between runs,
# one run at a time: the packages mmdebstrap downloads (apt/RELEASE/), taken before any of the
# sources' code runs, and the Windows toolkit (vertex2-windows/), before anything else of theirs.
cache=${VERTEX2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vertex2}
scratch=$cache/work
# begin_run ARGUMENT...: never as root; what the systems need installed, then the calling script
# again, under scripts/fresh/keeper.py, which takes every process of the run with it however the
# run ends; there, the cache held until it ends (the next run waits, saying so), and work/
# emptied of what a run cut short left.
begin_run() {
    local user
    [ "$(id -u)" -ne 0 ] || { echo "$(basename "$0"): runs as an ordinary user, who may run" \
        "unprivileged containers (README), never as root" >&2; exit 1; }
    if [ -z "${VERTEX2_KEPT:-}" ]; then
        install_packages release || exit 1
        VERTEX2_KEPT=1 python3 "$(dirname "${BASH_SOURCE[0]}")/keeper.py" "$0" "$@"
        exit
    fi
    user=$(id -un)
    if ! grep -q "^$user:" /etc/subuid || ! grep -q "^$user:" /etc/subgid; then
        echo "$user has no subordinate ids for the systems' namespaces; give it some with:" \
            "sudo usermod --add-subuids 100000-165535 --add-subgids 100000-165535 $user" >&2
        return 1
    fi
    mkdir -p "$cache/vertex2-windows" || return 1
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

# fresh_system RELEASE TARGET OPTION...: a system made by mmdebstrap with those options into
# TARGET, a tarball or /dev/null. Its downloaded packages are taken out before the first hook
# given runs: nothing a system does afterwards, as root inside, reaches the cache.
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
    local said
    said=$(printf %q "== $1: $2")
    # shellcheck disable=SC2016 # $1 and $SECONDS are for the hook's shells
    printf 'chroot "$1" runuser -l %q -c %q' "$1" "echo $said && ($2) && echo $said took \$SECONDS s"
}

# sources_system RELEASE SOURCES OPTION...: a fresh system of the release with git,
# ca-certificates and sudo, and SOURCES, a folder of the sources, copied into root's home, then
# made root's (copy-in keeps this machine's owner, a stranger inside, whose clone git refuses).
sources_system() {
    fresh_system "$1" /dev/null --variant=minbase --include=git,ca-certificates,sudo \
        --customize-hook="copy-in $2 /root" \
        --customize-hook="chroot \"\$1\" chown -R root: /root/${2##*/}" "${@:3}"
}

# windows_system SOURCES OPTION...: the sources' system for their Windows build, on Debian 13,
# with the release's deb-src lines and a copy of the Windows toolkit kept. There the sources'
# windows.sh first makes the toolkit current, before anything else of theirs runs, and the
# toolkit is taken out then, to be kept even if what the options given do afterwards fails; what
# the system does later cannot change the one kept.
windows_system() {
    local inside=/root/${1##*/} out toolkit="$cache/vertex2-windows" kept=() link entry status=0
    out=$(mktemp -d "$scratch/toolkit.XXXXXX") || return 1
    # shellcheck disable=SC2016 # $1 is the system's folder, for mmdebstrap's shell
    sources_system trixie "$1" --setup-hook='sed -n "s/^deb /deb-src /p" \
        "$1/etc/apt/sources.list" >"$1/etc/apt/sources.list.d/sources.list"' \
        --customize-hook="copy-in $toolkit /var/cache" \
        --customize-hook="$(login root "cd $inside && ./windows.sh toolkit")" \
        --customize-hook="copy-out $inside/build-windows/toolkit /var/cache/vertex2-windows $out" \
        "${@:2}" || status=$?
    # The libraries the links name, each moved in at once: never a toolkit half-written.
    for link in "$out"/toolkit/*; do
        [ -L "$link" ] || continue
        entry=$(basename "$(readlink "$link")")
        [ -d "$toolkit/$entry" ] || mv "$out/vertex2-windows/$entry" "$toolkit/" || return 1
        kept+=("$entry")
    done
    # What the toolkit no longer links goes, once it links anything.
    for entry in "$toolkit"/*; do
        if ((${#kept[@]})) && [[ " ${kept[*]} " != *" ${entry##*/} "* ]]; then
            rm -rf "$entry"
        fi
    done
    return $status
}

# take FILE DESTINATION: a file a build left, copied out only if it is a regular file.
take() {
    if [ ! -f "$1" ] || [ -L "$1" ]; then
        echo "$1 is not a regular file" >&2
        return 1
    fi
    cp -- "$1" "$2"
}
