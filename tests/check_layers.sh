#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC2317 # its helpers run through check, which shellcheck cannot follow
# The libraries' dependencies point one way: the window's library links no code that makes a
# real dialog, and what the number fuzzer links (the solver and the wizard's widget-free part)
# uses no Qt Widgets at all. GMP and MPFR stay inside the solver. Read off the link interfaces
# CMake wrote to layers.txt (each library's own; together they are the whole of what the window
# and the fuzzer link beyond Qt), off the archives' undefined symbols and off the headers. And
# nothing but the tests includes from tests/.
#   check_layers.sh SOURCE_FOLDER BUILD_FOLDER QT_WIDGETS_LIBRARY
set -euo pipefail
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source=$1
build=$2
echo "link interfaces:"
sed 's/^/  /' "$build/layers.txt"

linked() { sed -n "s/^$1: //p" "$build/layers.txt"; }
undefined() { nm -C --undefined-only "$build/$1" | awk '{ $1 = ""; print substr($0, 2) }' | sort -u; }
nm -C -D --defined-only "$3" | awk '{ $1 = $2 = ""; print substr($0, 3) }' | sort -u \
    >"$build/widgets.symbols"

check "wizard links no real dialog" none grep platform <(linked wizard)
for library in dialogs wizardcore solver; do
    check "$library links no Qt Widgets" none grep Widgets <(linked $library)
done
check "libwizard.a uses no real dialog" none grep -E 'QMessageBox|QInputDialog|platform::' \
    <(undefined wizard/libwizard.a)
for archive in solver/libsolver.a wizard/libwizardcore.a; do
    check "$archive uses no Qt Widgets" none comm -12 <(undefined $archive) "$build/widgets.symbols"
done

# The solver links GMP and MPFR for itself alone, and names them in no public header: only its
# own *_p.h headers include them, and the wizard's archives reference none of their symbols.
check "solver hands GMP and MPFR on to no one" \
    none grep -v LINK_ONLY <(linked solver | tr ';' '\n' | grep Multiprecision)
check "only the solver's own headers include GMP and MPFR" \
    none find "$source"/{solver,wizard,platform,app,assets} -name '*.h' ! -name '*_p.h' \
    -exec grep -lE '#include <(gmp|gmpxx|mpfr)\.h>' {} +
for archive in wizard/libwizard.a wizard/libwizardcore.a; do
    check "$archive uses no GMP or MPFR" none grep -E \
        '^(__gmp|mpfr_)|gmp_expr|__mpq_struct|__mpz_struct' <(undefined $archive)
done
check "nothing outside tests/ includes from it" \
    none grep -rlE '#include "tests/|tests/[^ ]*\.h' --include='*.h' --include='*.cpp' \
    --include=CMakeLists.txt --exclude-dir=tests --exclude-dir='build*' --exclude-dir=release \
    --exclude-dir=.git "$source"
exit "$failed"
