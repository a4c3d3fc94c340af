#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything that changed and runs the whole test suite.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"

install_packages run test
build_dependencies tests
cd "$root"
cmake --workflow --preset testing
