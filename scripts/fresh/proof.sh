#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One part of the proof that scripts/fresh-system.sh runs, as root inside a fresh system whose
# root has a clone of the repository in ~/vertex2:
#   proof.sh root      ./run.sh (its hint, with no display), ./test.sh, the window started under
#                      xvfb-run, ./check.sh, and the .deb built with the README's commands, left
#                      as /root/package.deb
#   proof.sh user      ./run.sh, ./test.sh and ./check.sh as a user who may use sudo
#   proof.sh package   /root/package.deb installed with apt, and the program started from the
#                      command in its desktop entry
set -euo pipefail

# as USER COMMAND: the command in a login shell of the user, in the user's clone.
as() {
    local start=$SECONDS
    echo "== $1: $2"
    runuser -l "$1" -c "cd ~/vertex2 && $2"
    echo "== $1: $2 took $((SECONDS - start)) s"
}

# hint USER: ./run.sh, on a system without a display, builds the program and says how to start
# it under xvfb-run.
hint() {
    local output
    output=$(runuser -l "$1" -c 'cd ~/vertex2 && ./run.sh' 2>&1) && { echo "$output"; return 1; }
    grep -q 'xvfb-run -a ./run.sh' <<<"$output" || { echo "$output"; return 1; }
    grep -E '^(Need to get|After this operation)' <<<"$output" || true
    echo "== $1: ./run.sh built the program and said how to start it without a display"
}

# starts USER COMMAND: the command, under xvfb-run, keeps its window up for a few seconds
# (timeout's 124).
starts() {
    local status=0
    runuser -l "$1" -c "xvfb-run -a timeout 8 $2" || status=$?
    [ $status -eq 124 ] || { echo "== $2 did not stay up (exit $status)"; return 1; }
    echo "== $1: $2 started and kept its window"
}

case ${1:?usage: proof.sh root|user|package} in
root)
    hint root
    as root ./test.sh
    starts root /root/vertex2/run.sh
    as root ./check.sh
    as root "apt-get build-dep -y -q ./ >/dev/null && dpkg-buildpackage -us -uc -b >/dev/null"
    cp /root/vertex2_*_amd64.deb /root/package.deb
    ;;
user)
    useradd --create-home --shell /bin/bash pupil
    echo 'pupil ALL=(ALL) NOPASSWD:ALL' >/etc/sudoers.d/pupil
    cp -r ~/vertex2 /home/pupil/
    chown -R pupil: /home/pupil/vertex2
    hint pupil
    as pupil ./test.sh
    as pupil ./check.sh
    ;;
package)
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q /root/package.deb xvfb xauth \
        | grep -E '^(Need to get|After this operation)'
    starts root "$(sed -n 's/^Exec=//p' /usr/share/applications/org.vertex2.vertex2.desktop)"
    ;;
esac
