#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the committed sources build reproducibly, as Debian checks it, with reprotest: the
# package built twice on a fresh Debian 12 system and twice on a fresh Debian 13 one, and the
# Windows program and installers twice on a fresh Debian 13 system with the toolkit kept
# (scripts/fresh/system.sh). reprotest varies the second build of each in every way it knows,
# compares the two byte for byte, and shows with diffoscope where they differ; what it leaves
# alone, and why, scripts/fresh/reprotest.sh says. As an ordinary user, never as root.
#   scripts/reproducible.sh                every build
#   scripts/reproducible.sh deb|windows    the two packages, or the Windows build
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=common.sh
source "$root/scripts/common.sh"
# shellcheck source=fresh/system.sh
source "$root/scripts/fresh/system.sh"

begin_run "$@"
git clone --quiet "$root" "$scratch/vertex2"

# Files are listed in another order by disorderfs, through FUSE; where this system keeps FUSE for
# root, file order cannot vary.
fuse=()
if [ -r /dev/fuse ] && [ -w /dev/fuse ]; then
    # shellcheck disable=SC2016 # $1 in a hook is its system's folder, for mmdebstrap's shell
    fuse=(--include=disorderfs
        --customize-hook='touch "$1/dev/fuse" && mount --bind /dev/fuse "$1/dev/fuse"')
fi

# check RELEASE BUILD: reprotest's verdict on one build, in a fresh system of the release.
check() {
    echo "== reprotest: the $2 build on $1"
    local system=(sources_system "$1")
    [ "$2" != windows ] || system=(windows_system)
    job "${system[@]}" "$scratch/vertex2" "${fuse[@]}" \
        --include=reprotest,faketime,locales-all,diffoscope-minimal \
        --customize-hook="$(login root "/root/vertex2/scripts/fresh/reprotest.sh $2")"
}
builds=" ${*:-deb windows} "
if [[ $builds == *" deb "* ]]; then
    check bookworm deb
    check trixie deb
fi
if [[ $builds == *" windows "* ]]; then
    check trixie windows
fi
echo "== reprotest: every build reproduces"
