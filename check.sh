#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The checks beyond the test suite: the suite again under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer, short fuzzing runs, clang-tidy and cppcheck on
# the C++, and shellcheck on every shell file. FUZZ_SECONDS and FUZZ_WINDOW_SECONDS set the
# lengths of the two fuzzing runs (45 and 120 s).
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"

install_packages run test check
build_dependencies tests
cd "$root"

echo "== The test suite under the sanitizers"
cmake --workflow --preset sanitize

found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
# fuzz TARGET SECONDS SEEDS: a fixed time from the checked-in seeds; what breaks is kept in the
# project's folder, and the counts are printed.
fuzz() {
    local counts='^(stat::number_of_executed_units|#[0-9]+[[:space:]]+DONE)|^fuzz_'
    mkdir "$found/$1"
    "build-sanitize/fuzz/$1" -max_total_time="$2" -print_final_stats=1 -artifact_prefix="$root/" \
        "$found/$1" "fuzz/$3" 2>&1 | grep -E "$counts|ERROR|SUMMARY|Test unit written"
}
echo "== Fuzzing the number conversions and the result arithmetic"
fuzz fuzz_numbers "${FUZZ_SECONDS:-45}" numbers
echo "== Fuzzing sessions through the window"
fuzz fuzz_wizard "${FUZZ_WINDOW_SECONDS:-120}" sessions

# The sanitizers' build compiled every source, the fuzz targets' too.
echo "== Static analysis"
quietly "$found/tidy.log" run-clang-tidy -quiet -p build-sanitize -j "$(nproc)" \
    "$root/(solver|platform|wizard|app|assets|tests|bench|tools|fuzz)/[^/]*\.cpp$"
echo "clang-tidy: no findings"
cppcheck --project=build-sanitize/compile_commands.json --library=qt \
    --library=scripts/cppcheck.cfg --quiet -j "$(nproc)" \
    --enable=warning,performance,portability,style --inline-suppr --error-exitcode=1 \
    -i build-sanitize/ --suppress=missingIncludeSystem \
    --suppress='preprocessorErrorDirective:*.moc' --suppress=normalCheckLevelMaxBranches
echo "cppcheck: no findings"
# Every shell file: those named so, and the others that start with a shell's #! line.
shebang='^#!/(usr/)?bin/(env )?(ba)?sh'
mapfile -t shell < <({ git ls-files '*.sh'; git grep -lE "$shebang" -- ':!*.sh'; } | sort -u)
shellcheck "${shell[@]}"
echo "shellcheck: no findings in ${#shell[@]} files"
