#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# reprotest's check of one build of the clone in ~/vertex2, run as root inside a fresh system by
# scripts/reproducible.sh:
#   reprotest.sh deb       the Debian package, as dpkg-buildpackage builds it
#   reprotest.sh windows   the Windows program and both installers, the toolkit fixed
# Every variation reprotest has is used, the second user being rebuilder, but:
#  - file order, where the system has no FUSE for disorderfs (scripts/reproducible.sh);
#  - for the package, its tests (DEB_BUILD_OPTIONS=nocheck): they make nothing that is shipped,
#    and release.sh runs them in the package build.
set -euo pipefail
cd ~/vertex2
useradd --create-home rebuilder
# reprotest runs "sudo -h localhost", so that sudo need not look up this host's name; sudo 1.9
# takes -h only with -l, so this system's sudo is given the rest.
cat >/usr/local/bin/sudo <<'SUDO'
#!/bin/sh
[ "$1 $2" != "-h localhost" ] || shift 2
exec /usr/bin/sudo "$@"
SUDO
chmod +x /usr/local/bin/sudo
reprotest=(reprotest --verbosity 1
    "--vary=user_group.available+=rebuilder:rebuilder,domain_host.use_sudo=1")
if [ ! -c /dev/fuse ]; then
    echo "reprotest.sh: no FUSE here, so file order does not vary"
    reprotest+=(--vary=-fileordering)
fi

case ${1:?usage: reprotest.sh deb|windows} in
deb)
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q ./ >/dev/null
    # The sources one folder down: the package lands beside them, where the other user may
    # write, not in the folder that reprotest makes for each build and keeps to itself.
    mkdir ~/deb
    cp -a ~/vertex2 ~/deb/
    cd ~/deb
    DEB_BUILD_OPTIONS=nocheck "${reprotest[@]}" \
        --build-command='cd vertex2 && dpkg-buildpackage --no-sign -b' . '*.deb' -- null
    ;;
windows)
    built=build-windows/vertex2
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -STimestamp) "${reprotest[@]}" \
        --build-command='cmake --preset windows >/dev/null
            cmake --build --preset windows --target vertex2 msi >/dev/null
            cd build-windows && cpack -G NSIS >/dev/null' \
        . "$built.exe $built-*-win64.exe $built-*-win64.msi" -- null
    ;;
esac
