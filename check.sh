#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The checks beyond the test suite: the suite again under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer, short fuzzing runs, clang-tidy and cppcheck.
# FUZZ_SECONDS and FUZZ_WINDOW_SECONDS set the lengths of the two fuzzing runs (45 and 120 s).
source "$(dirname "${BASH_SOURCE[0]}")/scripts/common.sh"

install_packages run test check

echo "== The test suite under the sanitizers"
configure sanitize
sanitize=$build
build
run_tests

found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
# fuzz TARGET SECONDS SEEDS: a fixed time from the checked-in seeds; what breaks is kept in the
# project's folder, and the counts are printed.
fuzz() {
    "$sanitize/fuzz/$1" -max_total_time="$2" -print_final_stats=1 -artifact_prefix="$root/" \
        "$found/$1" "$root/fuzz/$3" 2>&1 \
        | grep -E '^(stat::number_of_executed_units|#[0-9]+[[:space:]]+DONE)|^fuzz_|ERROR|SUMMARY|Test unit written'
}
mkdir "$found/fuzz_numbers" "$found/fuzz_wizard"
echo "== Fuzzing the number conversions and the result arithmetic"
fuzz fuzz_numbers "${FUZZ_SECONDS:-45}" numbers
echo "== Fuzzing sessions through the window"
fuzz fuzz_wizard "${FUZZ_WINDOW_SECONDS:-120}" sessions

echo "== Static analysis"
configure testing
build
tidy() { # FOLDER PATTERN: the sources of one build
    run-clang-tidy -quiet -p "$1" -j "$(nproc)" "$root/$2/[^/]*\.cpp$" >"$found/tidy.log" 2>&1 \
        || { grep -E 'warning:|error:' "$found/tidy.log"; exit 1; }
}
tidy "$build" "(solver|platform|wizard|app|assets|tests|bench|tools)"
tidy "$sanitize" fuzz
echo "clang-tidy: no findings"
cppcheck --project="$build/compile_commands.json" --library=qt --quiet -j "$(nproc)" \
    --enable=warning,performance,portability,style --inline-suppr --error-exitcode=1 \
    -i "$build/" --suppress=missingIncludeSystem --suppress='preprocessorErrorDirective:*.moc' \
    --suppress=normalCheckLevelMaxBranches
echo "cppcheck: no findings"
