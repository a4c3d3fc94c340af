#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317 # its helpers run through check, which shellcheck cannot follow
# Proves what runs of the fresh systems promise, with two runs. The first works on its system
# until it is stopped; the second, started meanwhile, must say it waits for the first. The first
# run's script is then killed with SIGKILL: within 10 s no process of its session may be left,
# nor any of its system's root. The second then goes on, a system for Windows whose toolkit is
# current: as root inside, it empties every package apt has there and every file of the toolkit,
# and plants a package of its own; the cache's packages and toolkit must stay byte for byte as
# they were.
# As the user the systems run as (CI):   tests/fresh_runs.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=checks.sh
source "$root/tests/checks.sh"
fresh="$root/scripts/fresh-system.sh"
cache=${VERTEX2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vertex2}
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

kept() {
    (cd "$cache" && find apt vertex2-windows -type f -print0 | LC_ALL=C sort -z \
        | xargs -0 sha256sum)
}
before=$(kept)
poison='find /var/cache/apt/archives /var/cache/vertex2-windows -type f'
poison+=' -exec truncate --size=0 {} + && touch /var/cache/apt/archives/planted_1.0_all.deb'

# A session of its own, as a terminal starts a script, so that whatever the run leaves is found.
setsid "$fresh" trixie 'sleep 600' >"$first" 2>&1 &
run=$!
until_said "$first" "== root: cd ~/vertex2 && sleep 600"
"$fresh" trixie "./windows.sh toolkit && $poison" >"$second" 2>&1 &
later=$!
until_said "$second" "another run is using"
kill -KILL "$run"
# left: what is left of the killed run, in its session or as its system's root.
left() { pgrep -a -s "$run"; pgrep -a -u "$system_root"; }
for _ in $(seq 50); do
    [ -n "$(left)" ] || break
    sleep 0.2
done
check "nothing of the killed run is left within 10 s" none left
pkill -KILL -s "$run" || true
waited() { wait "$later" || { cat "$second"; return 1; }; }
check "the run that waited then goes on and ends" waited
check "the cached packages and toolkit as they were, $(wc -l <<<"$before") files" \
    none diff <(echo "$before") <(kept)
exit "$failed"
