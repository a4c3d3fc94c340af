#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves that what a fresh system does cannot reach what the next one reads: a command that, as
# root inside, empties every package apt has there and every file of the Windows toolkit, and
# plants a package of its own, leaves the cache's packages and toolkit byte for byte as they were.
# As the user the systems run as (CI):   tests/cache_one_way.sh
set -euo pipefail
cache=${VERTEX2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vertex2}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=checks.sh
source "$root/tests/checks.sh"

kept() {
    (cd "$cache" && find apt vertex2-windows -type f -print0 | LC_ALL=C sort -z \
        | xargs -0 sha256sum)
}
before=$(kept)
poison='find /var/cache/apt/archives /var/cache/vertex2-windows -type f'
poison+=' -exec truncate --size=0 {} + && touch /var/cache/apt/archives/planted_1.0_all.deb'
"$root/scripts/fresh-system.sh" trixie "$poison"
check "the cached packages and toolkit as they were, $(wc -l <<<"$before") files" \
    test "$(kept)" = "$before" || { diff <(echo "$before") <(kept) | head -n 20; exit 1; }
