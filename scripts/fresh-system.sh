#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves Vertex2 on a fresh minimal Debian system (scripts/fresh/system.sh) with git,
# ca-certificates and sudo, given a clone of this repository's committed state:
#   scripts/fresh-system.sh RELEASE              as a newcomer meets it: a user who may use sudo
#       runs ./run.sh (with no display, it builds the program and says how to start it under
#       xvfb-run), ./test.sh, the window started so, which must stay up, and ./check.sh
#   scripts/fresh-system.sh RELEASE COMMAND...   these commands, as root inside
#       (CI: scripts/fresh-system.sh trixie ./test.sh ./windows.sh)
# The package, built the Debian way and started installed, release.sh proves on both releases.
# RELEASE is bookworm (12) or trixie (13). As an ordinary user, never as root.
set -euo pipefail
release=${1:?usage: scripts/fresh-system.sh RELEASE [COMMAND...]}
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=common.sh
source "$root/scripts/common.sh"
# shellcheck source=fresh/system.sh
source "$root/scripts/fresh/system.sh"

begin_run "$release" "$@"
git clone --quiet "$root" "$scratch/vertex2"

user=root hooks=() system=(sources_system "$release")
if [ $# -eq 0 ]; then
    user=pupil
    # shellcheck disable=SC2016 # $1 is the system's folder, $? the user's shell's
    hooks=(--customize-hook='chroot "$1" sh -c "useradd --create-home --shell /bin/bash pupil \
        && cp -r /root/vertex2 /home/pupil && chown -R pupil: /home/pupil/vertex2"'
        --customize-hook='echo "pupil ALL=(ALL) NOPASSWD:ALL" >"$1/etc/sudoers.d/pupil"')
    set -- './run.sh 2>&1 | grep -F "xvfb-run -a ./run.sh"' ./test.sh \
        'xvfb-run -a timeout 8 ./run.sh; [ $? -eq 124 ]' ./check.sh
elif [ "$release" = trixie ] && [[ " $* " == *windows.sh* ]]; then
    system=(windows_system)
fi
for command in "$@"; do
    hooks+=(--customize-hook="$(login "$user" "cd ~/vertex2 && $command")")
done
job "${system[@]}" "$scratch/vertex2" "${hooks[@]}"
echo "== [$release] proven as $user"
