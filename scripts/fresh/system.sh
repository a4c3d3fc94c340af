# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fresh minimal Debian systems, made as an ordinary user by mmdebstrap --mode=unshare (and
# sbuild's unshare mode): each in namespaces of its own, gone with its last process, nothing ever
# mounted on this machine; each up to date from the release's -updates and -security suites
# (VERTEX2_MIRROR, VERTEX2_SECURITY_MIRROR). Kept in VERTEX2_CACHE (~/.cache/vertex2) between runs,
# one run at a time: the packages mmdebstrap downloads (apt/RELEASE/), taken before any of the
# sources' code runs, and the Windows toolkit (vertex2-windows/), written only by its own step.
cache=${VERTEX2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vertex2}
scratch=$cache/work
# The hooks of a system that builds for Windows: the release's deb-src lines, for windows.sh to
# read what goes into its toolkit, and a copy of the toolkit kept, where windows.sh looks for it
# (what the system does cannot change the one kept).
# shellcheck disable=SC2016 # $1 is the system's folder, for mmdebstrap's shell
windows_in=(--setup-hook='sed -n "s/^deb /deb-src /p" "$1/etc/apt/sources.list" \
    >"$1/etc/apt/sources.list.d/sources.list"'
    --customize-hook="copy-in $cache/vertex2-windows /var/cache")

# begin_run ARGUMENT...: the calling script again, under scripts/fresh/keeper.py, which takes
# every process of the run with it however the run ends; there, the cache held until it ends (the
# next run waits, saying so), and work/ emptied of what a run cut short left.
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

# windows_toolkit SOURCES: the Windows toolkit kept, made current by the windows.sh of the
# sources in a Debian 13 system of its own, so that a Windows build that fails loses nothing.
windows_toolkit() {
    local inside toolkit="$cache/vertex2-windows" out="$scratch/toolkit" kept=() link entry
    inside=/root/$(basename "$1")
    mkdir -p "$out" || return 1
    fresh_system trixie /dev/null --variant=minbase --include=ca-certificates,sudo \
        --customize-hook="copy-in $1 /root" "${windows_in[@]}" \
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

# take FILE DESTINATION: a file a build left, copied out only if it is a regular file.
take() {
    if [ ! -f "$1" ] || [ -L "$1" ]; then
        echo "$1 is not a regular file" >&2
        return 1
    fi
    cp -- "$1" "$2"
}
