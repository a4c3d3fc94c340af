#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves Vertex2 on a fresh minimal Debian system, as a new user would meet it: a system made by
# debootstrap --variant=minbase with git, ca-certificates and sudo, a clone of this repository,
# and the README's commands.
#
#   scripts/fresh-system.sh RELEASE              the whole proof (as root; takes a while):
#       1. as root: ./run.sh (the hint, with no display), ./test.sh, the window started under
#          xvfb-run, ./check.sh, and the .deb built with the README's commands;
#       2. on a second fresh system, as a user with sudo: ./run.sh, ./test.sh, ./check.sh;
#       3. on a third, the .deb installed with apt, and the program started under xvfb-run from
#          the command in its desktop entry.
#   VERTEX2_PROOF_PARTS="user package" scripts/fresh-system.sh RELEASE    some parts of it again
#   scripts/fresh-system.sh RELEASE COMMAND...   only these commands, as root, in one fresh
#                                                system (CI: scripts/fresh-system.sh trixie
#                                                ./test.sh ./windows.sh)
#
# RELEASE is a Debian code name: bookworm (12) or trixie (13). scripts/fresh/system.sh says what
# is kept between runs, and where.
set -euo pipefail

release=${1:?usage: scripts/fresh-system.sh RELEASE [COMMAND...]}
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "fresh-system.sh: run as root (it uses debootstrap and chroot)" >&2; exit 1; }
source "$root/scripts/fresh/system.sh"
trap remove_systems EXIT
trap 'exit 1' INT TERM

say() { echo "== [$release] $*"; }

# clone SYSTEM USER: this repository's committed state, in the user's home.
clone() {
    local system=$1 user=$2 home=/root
    [ "$user" = root ] || home=/home/$user
    git clone --quiet "$root" "$system$home/vertex2"
    inside "$system" root "chown -R $user: $home/vertex2"
}

# timed SYSTEM USER COMMAND: runs it in the clone and says how long it took.
timed() {
    local system=$1 user=$2 start
    shift 2
    start=$(date +%s)
    say "$user: $*"
    inside "$system" "$user" "cd ~/vertex2 && $*"
    say "$user: $* took $(($(date +%s) - start)) s"
}

# The hint of run.sh on a system without a display, and a window under xvfb-run that is still
# up after a few seconds (timeout's 124).
run_without_display() {
    local output start
    start=$(date +%s)
    output=$(inside "$1" "$2" "cd ~/vertex2 && ./run.sh" 2>&1) && exit 1
    grep -q 'xvfb-run -a ./run.sh' <<<"$output" || { echo "$output"; exit 1; }
    grep -E '^(Need to get|After this operation)' <<<"$output" || true
    say "$2: ./run.sh built the program and gave its hint in $(($(date +%s) - start)) s"
}
# starts SYSTEM USER FOLDER COMMAND
starts() {
    local status=0
    inside "$1" "$2" "cd $3 && xvfb-run -a timeout 8 $4" || status=$?
    [ $status -eq 124 ] || { say "$4 did not stay up (exit $status)"; exit 1; }
    say "$2: $4 started and kept its window"
}

if [ $# -gt 0 ]; then
    new_system "$release"
    clone "$system" root
    for command in "$@"; do
        timed "$system" root "$command"
    done
    exit 0
fi

# VERTEX2_PROOF_PARTS picks parts of the proof (root user package), for example to repeat the
# last two; the package part installs the .deb the last root part built.
parts=" ${VERTEX2_PROOF_PARTS:-root user package} "

if [[ $parts == *" root "* ]]; then
    new_system "$release"
    clone "$system" root
    run_without_display "$system" root
    timed "$system" root ./test.sh
    starts "$system" root '~/vertex2' ./run.sh
    timed "$system" root ./check.sh
    timed "$system" root "apt-get build-dep -y -q ./ >/dev/null && dpkg-buildpackage -us -uc -b >/dev/null"
    rm -rf "$fresh_cache/$release-deb"
    mkdir -p "$fresh_cache/$release-deb"
    cp "$system"/root/vertex2_*.deb "$fresh_cache/$release-deb/"
fi

if [[ $parts == *" user "* ]]; then
    new_system "$release"
    inside "$system" root "useradd -m -s /bin/bash pupil && echo 'pupil ALL=(ALL) NOPASSWD:ALL' >/etc/sudoers.d/pupil"
    clone "$system" pupil
    run_without_display "$system" pupil
    timed "$system" pupil ./test.sh
    timed "$system" pupil ./check.sh
fi

if [[ $parts == *" package "* ]]; then
    new_system "$release"
    deb=$(cd "$fresh_cache/$release-deb" && ls vertex2_*.deb)
    cp "$fresh_cache/$release-deb/$deb" "$system/root/"
    say "installing $deb on a fresh system"
    inside "$system" root "cd /root && apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$deb xvfb xauth" \
        | grep -E '^(Need to get|After this operation)'
    command=$(sed -n 's/^Exec=//p' "$system/usr/share/applications/org.vertex2.vertex2.desktop")
    starts "$system" root / "$command"
fi
say "proven: $parts"
