#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs tst_accessibility.py in a private D-Bus session with its own accessibility bus and a
# virtual screen, as a screen reader would meet Vertex2.   accessibility.sh VERTEX2_PROGRAM
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# Under AddressSanitizer, libxkbcommon-x11 (the X keyboard map, not this program) reads a string
# by its length, past its end, which only the strict string checks object to.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
# shellcheck disable=SC2016 # the script of the shell that dbus-run-session starts
timeout 60 dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
    # Debian'\''s pyatspi lives with Debian'\''s Python, not with one earlier on the PATH.
    xvfb-run -a /usr/bin/python3 "$0" "$1"
' "$here/tst_accessibility.py" "$1" 2>&1 | grep -v -e 'Failed to set fd limit' -e 'XDG_RUNTIME_DIR'
