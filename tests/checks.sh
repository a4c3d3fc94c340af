# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the shell tests share, sourced: check WHAT COMMAND... says whether the command holds, and
# returns its status; each test counts its own failures (check ... || failed=1).
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        return 1
    fi
}
