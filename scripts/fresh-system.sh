#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves Vertex2 on fresh minimal Debian systems, as a new user would meet it: each made by
# mmdebstrap (scripts/fresh/system.sh) with git, ca-certificates and sudo, and given a clone of
# this repository's committed state, where scripts/fresh/proof.sh runs the README's commands.
#
#   scripts/fresh-system.sh RELEASE              the whole proof (takes a while):
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
# RELEASE is a Debian code name: bookworm (12) or trixie (13). As an ordinary user, never as root.
# Ctrl-C or SIGTERM stops it at once; killed, it leaves nothing running.
set -euo pipefail
release=${1:?usage: scripts/fresh-system.sh RELEASE [COMMAND...]}
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=common.sh
source "$root/scripts/common.sh"
# shellcheck source=fresh/system.sh
source "$root/scripts/fresh/system.sh"

[ "$(id -u)" -ne 0 ] || { echo "fresh-system.sh: runs as an ordinary user, who may run" \
    "unprivileged containers (README), never as root" >&2; exit 1; }
install_packages release
begin_run "$release" "$@"
git clone --quiet "$root" "$scratch/vertex2"

# system HOOK...: a fresh system of the release with the clone in root's home, where the hooks
# do their work.
system() {
    local hooks=() hook
    for hook in "$@"; do
        hooks+=(--customize-hook="$hook")
    done
    job fresh_system "$release" /dev/null --variant=minbase --include=git,ca-certificates,sudo \
        --customize-hook="copy-in $scratch/vertex2 /root" \
        --customize-hook="$(root_owns_clone)" "${hooks[@]}"
}

if [ $# -gt 0 ]; then
    # The Windows toolkit in a system of its own, kept whatever the commands then do.
    [[ " $* " != *windows.sh* ]] || job windows_toolkit "$scratch/vertex2"
    hooks=("$(toolkit_in)")
    for command in "$@"; do
        hooks+=("$(login root "cd ~/vertex2 && $command")")
    done
    system "${hooks[@]}"
    exit
fi

# VERTEX2_PROOF_PARTS picks parts of the proof (root user package), for example to repeat the
# last two; the package part installs the .deb that the last root part built.
parts=" ${VERTEX2_PROOF_PARTS:-root user package} "
package="$cache/proof-$release.deb"
proof() {
    login root "/root/vertex2/scripts/fresh/proof.sh $1"
}
if [[ $parts == *" root "* ]]; then
    system "$(proof root)" "copy-out /root/package.deb $scratch"
    take "$scratch/package.deb" "$package"
fi
if [[ $parts == *" user "* ]]; then
    system "$(proof user)"
fi
if [[ $parts == *" package "* ]]; then
    system "upload $package /root/package.deb" "$(proof package)"
fi
echo "== [$release] proven:$parts"
