#!/usr/bin/env bash
# Builds everything that changed and runs the whole test suite.
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"

install_packages run test
configure testing
build
ctest --test-dir "$build" --output-on-failure
