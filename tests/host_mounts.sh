#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves that the fresh systems leave this machine's mounts as they were, even where every mount
# is shared, as systemd makes them on a Debian desktop. In a mount namespace of its own, whose
# mounts it makes shared, it runs COMMAND (a scripts/fresh-system.sh run); then three runs cut
# short while their systems work: one by Ctrl-C and one by SIGTERM, each of which must end within
# 30 s, and one by SIGKILL. After each, the mount table must be as it was and nothing of the run
# may still run; the run after the killed one must stop and remove what it left. As root (CI):
#   tests/host_mounts.sh scripts/fresh-system.sh trixie ./test.sh ./windows.sh
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "host_mounts.sh: run as root" >&2; exit 1; }
if [ -z "${VERTEX2_SHARED_MOUNTS:-}" ]; then
    exec unshare --mount env VERTEX2_SHARED_MOUNTS=1 "$0" "$@"
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=checks.sh
source "$root/tests/checks.sh"
failed=0
mount --make-rshared /
mounts() { cat /proc/self/mountinfo; }
before=$(mounts)
fresh="$root/scripts/fresh-system.sh"
user=vertex2-build

# unchanged AFTER [SESSION]: the mount table is as it was, and no process is left of the
# builder's, or of the run's session, where the systems' own users are others.
unchanged() {
    check "the mount table after $1" test "$(mounts)" = "$before" || failed=1
    check "no process left after $1" sh -c "! pgrep -u $user ${2:+&& ! pgrep -s $2}" || failed=1
}

"$@"
unchanged "$*"

# start_run: a run that works on a system until it is stopped, started as a terminal starts
# it: in a process group of its own, and with SIGINT, which a script's background commands
# ignore, as it is; its pid in run, once the system works.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
start_run() {
    setsid env --default-signal=INT "$fresh" trixie 'sleep 600' >"$log" 2>&1 &
    run=$!
    timeout 600 sh -c "until grep -q '^== root: cd ~/vertex2 && sleep 600$' $log; do
        sleep 1; done" \
        || { cat "$log"; return 1; }
}
holder="$(getent passwd "$user" | cut -d: -f6)/.cache/vertex2/holder"

start_run
kill -INT -- "-$run"
check "Ctrl-C ends the run within 30 s" timeout 30 tail --pid="$run" -f /dev/null || failed=1
unchanged "Ctrl-C" "$run"

start_run
start=$SECONDS
kill -TERM "$(cat "$holder")"
check "SIGTERM ends the run within 30 s" timeout 30 tail --pid="$run" -f /dev/null || failed=1
echo "SIGTERM ended the run in $((SECONDS - start)) s"
unchanged "SIGTERM" "$run"

start_run
system=$(ls -d "$(dirname "$holder")"/work/mmdebstrap.*)
kill -KILL "$(cat "$holder")"
check "the mount table after SIGKILL" test "$(mounts)" = "$before" || failed=1
"$fresh" trixie true
check "the next run removes the killed run's system" test ! -e "$system" || failed=1
unchanged "SIGKILL and the next run" "$run"
exit $failed
