#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Line and branch coverage of the libraries by everything that tests them: the test suite, and
# both fuzz targets run once over their checked-in inputs. Built with clang's source-based
# coverage in build-coverage/; prints the table for solver/, wizard/ and platform/.
# Any arguments go to llvm-cov report (for example -show-functions); llvm-cov show, with the
# same objects and build-coverage/coverage.profdata, shows each line.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"

install_packages run test check coverage
build_dependencies tests
cd "$root"
coverage=build-coverage
# Each program the tests run writes a profile of its own where the coverage test preset says
# (LLVM_PROFILE_FILE); those of an earlier run go first. The suite replays both fuzz targets'
# seeds too.
find "$coverage" -name '*.profraw' -delete 2>/dev/null || true
cmake --workflow --preset coverage
find "$coverage" -name '*.profraw' -print0 \
    | xargs -0 llvm-profdata merge -sparse -o "$coverage/coverage.profdata"
# The programs that ran: the first as llvm-cov names it, the rest as further objects.
mapfile -t objects < <(find "$coverage" -type f -perm -u+x \( -name 'tst_*' -o -name 'fuzz_*' \
    -o -name vertex2 \) -not -path '*/CMakeFiles/*' | sort | sed '1!s/^/-object=/')
# Every program has its own main() (and each fuzz target its own LLVMFuzzerTestOneInput), which
# llvm-cov reports as "mismatched data"; none of them is in the libraries.
report() {
    llvm-cov report -instr-profile="$coverage/coverage.profdata" "${objects[@]}" "$@" \
        2> >(grep -v 'functions have mismatched data' >&2)
}
report "$@" "$root/solver" "$root/wizard" "$root/platform" | tee "$coverage/report.txt"
# Each folder's sums, as llvm-cov totals its files.
echo
for folder in solver wizard platform; do
    printf '%-9s %s\n' "$folder" "$(report "$root/$folder" | tail -n 1 | sed 's/^TOTAL *//')"
done
