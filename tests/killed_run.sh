#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves that a run of the fresh systems killed outright leaves nothing running: a run whose
# system works until it is stopped, and a second run, started meanwhile, which says it waits for
# the first. The first run's script is killed with SIGKILL: within 10 s no process of its session
# may be left, nor any of its system's root, and the second run then goes on and ends.
# As the user the systems run as (CI):   tests/killed_run.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=checks.sh
source "$root/tests/checks.sh"
failed=0
fresh="$root/scripts/fresh-system.sh"
# Root inside a system is the user's first subordinate id.
system_root=$(sed -n "s/^$(id -un):\([0-9]*\):.*/\1/p" /etc/subuid | head -n 1)
first=$(mktemp) second=$(mktemp)
trap 'rm -f "$first" "$second"' EXIT

# until_said LOG TEXT: waits, at most 10 minutes, until the run's log says it.
# shellcheck disable=SC2016 # the positional parameters of the shell that timeout starts
until_said() {
    timeout 600 sh -c 'until grep -qF "$2" "$1"; do sleep 1; done' - "$@" \
        || { cat "$1"; return 1; }
}

# A session of its own, as a terminal starts a script, so that whatever the run leaves is found.
setsid "$fresh" trixie 'sleep 600' >"$first" 2>&1 &
run=$!
until_said "$first" "== root: cd ~/vertex2 && sleep 600"
"$fresh" trixie true >"$second" 2>&1 &
later=$!
until_said "$second" "another run is using"
kill -KILL "$run"
gone() {
    ! pgrep -s "$run" >/dev/null && ! pgrep -u "$system_root" >/dev/null
}
for _ in $(seq 50); do
    ! gone || break
    sleep 0.2
done
check "nothing of the killed run is left within 10 s" gone \
    || { ps -o pid,user,args -s "$run"; pkill -KILL -s "$run"; failed=1; }
check "the run that waited then goes on and ends" wait "$later" || { cat "$second"; failed=1; }
exit $failed
