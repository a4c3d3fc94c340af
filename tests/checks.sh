# shellcheck shell=bash disable=SC2034 # failed is read by the test that sources this
# SPDX-License-Identifier: GPL-3.0-or-later
# What the shell tests share, sourced. Each test ends with exit "$failed".
failed=0
# check WHAT COMMAND...: says whether the command holds; if it does not, the test fails.
check() {
    if "${@:2}"; then
        echo "ok: $1"
    else
        echo "FAILED: $1"
        failed=1
    fi
}
# none COMMAND...: true if the command prints nothing; else the first 20 lines it printed.
none() {
    local found
    found=$("$@" || true)
    [ -z "$found" ] || { head -n 20 <<<"$found"; return 1; }
}
