#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vertex2 if anything changed and starts it.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"

install_packages run
build_dependencies program
(cd "$root" && cmake --preset program >/dev/null && cmake --build --preset program)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to open the window on; without a desktop, install xvfb and run:" \
        "xvfb-run -a ./run.sh" >&2
    exit 1
fi
exec "$root/build-program/app/vertex2"
