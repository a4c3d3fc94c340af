#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything that changed and runs the whole test suite.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"

install_packages run test
configure testing
build
run_tests
