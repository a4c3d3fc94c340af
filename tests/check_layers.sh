#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The libraries' dependencies point one way: the window's library links no code that makes a
# real dialog, and what the number fuzzer links (the solver and the wizard's widget-free part)
# uses no Qt Widgets at all. GMP and MPFR stay inside the solver. Read off the link interfaces
# CMake wrote to layers.txt (each library's own; together they are the whole of what the window
# and the fuzzer link beyond Qt), off the archives' undefined symbols and off the headers. And
# nothing but the tests includes from tests/.
#   check_layers.sh SOURCE_FOLDER BUILD_FOLDER QT_WIDGETS_LIBRARY
set -euo pipefail
source=$1
build=$2
widgets=$3
failed=0

linked() { sed -n "s/^$1: //p" "$build/layers.txt"; }
if linked wizard | grep -q platform; then
    echo "FAILED: wizard links the real dialogs: $(linked wizard)"; failed=1
fi
for library in dialogs wizardcore solver; do
    if linked $library | grep -q Widgets; then
        echo "FAILED: $library links Qt Widgets: $(linked $library)"; failed=1
    fi
done
echo "link interfaces:"; sed 's/^/  /' "$build/layers.txt"

undefined() { nm -C --undefined-only "$1" | awk '{ $1 = ""; print substr($0, 2) }' | sort -u; }

real_dialogs=$(undefined "$build/wizard/libwizard.a" | grep -E 'QMessageBox|QInputDialog|platform::' || true)
if [ -n "$real_dialogs" ]; then
    echo "FAILED: libwizard.a uses the real dialogs:"; echo "$real_dialogs"; failed=1
else
    echo "ok: libwizard.a uses no real dialog"
fi

nm -C -D --defined-only "$widgets" | awk '{ $1 = $2 = ""; print substr($0, 3) }' | sort -u >"$build/widgets.symbols"
for archive in solver/libsolver.a wizard/libwizardcore.a; do
    used=$(undefined "$build/$archive" | comm -12 - "$build/widgets.symbols")
    if [ -n "$used" ]; then
        echo "FAILED: $archive uses Qt Widgets:"; echo "$used"; failed=1
    else
        echo "ok: $archive uses no Qt Widgets"
    fi
done

# The solver links GMP and MPFR for itself alone, and names them in no public header: only its
# own *_p.h headers include them, and the wizard's archives reference none of their symbols.
if linked solver | tr ';' '\n' | grep -v 'LINK_ONLY' | grep -q Multiprecision; then
    echo "FAILED: solver hands GMP and MPFR on: $(linked solver)"; failed=1
fi
included=$(find "$source"/{solver,wizard,platform,app,assets} -name '*.h' ! -name '*_p.h' \
    -exec grep -lE '#include <(gmp|gmpxx|mpfr)\.h>' {} + || true)
if [ -n "$included" ]; then
    echo "FAILED: public headers include GMP or MPFR:"; echo "$included"; failed=1
else
    echo "ok: only the solver's own headers include GMP and MPFR"
fi
for archive in wizard/libwizard.a wizard/libwizardcore.a; do
    used=$(undefined "$build/$archive" | grep -E '^(__gmp|mpfr_)|gmp_expr|__mpq_struct|__mpz_struct' || true)
    if [ -n "$used" ]; then
        echo "FAILED: $archive uses GMP or MPFR:"; echo "$used"; failed=1
    else
        echo "ok: $archive uses no GMP or MPFR"
    fi
done

# The tests' folder is theirs alone: nothing else includes a file from it.
borrowed=$(grep -rlE '#include "tests/|tests/[^ ]*\.h' --include='*.h' --include='*.cpp' \
    --include=CMakeLists.txt --exclude-dir=tests --exclude-dir='build*' --exclude-dir=release \
    --exclude-dir=.git "$source" || true)
if [ -n "$borrowed" ]; then
    echo "FAILED: files outside tests/ include from it:"; echo "$borrowed"; failed=1
else
    echo "ok: nothing outside tests/ includes from it"
fi
exit $failed
