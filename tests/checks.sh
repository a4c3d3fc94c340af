# SPDX-License-Identifier: GPL-3.0-or-later
# What the shell tests share, sourced: check WHAT COMMAND... says whether the command holds, and
# a failure makes failed, the test's exit code, 1.
set -euo pipefail

failed=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}
