// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/verdict.h"

#include "solver/roots.h"
#include "wizard/texts.h"

#include <cmath>

namespace wizard {

Verdict solve(double A, double B, double C)
{
    Verdict verdict;
    const solver::Discriminant D = solver::dis(A, B, C);
    verdict.D = D.value;
    const int sign = D.sign;
    if (sign < 0) {
        verdict.caption = texts::NoRoots.toString();
    } else if (sign == 0) {
        const solver::Root x1 = solver::iks1(B, D, A, C);
        verdict.x1 = x1.value;
        verdict.caption = std::isfinite(x1.value)
            ? texts::OneRoot.toString() + QString::fromStdString(x1.shown)
            : texts::Overflow.toString();
    } else {
        const solver::Root x1 = solver::iks1(B, D, A, C);
        const solver::Root x2 = solver::iks2(B, D, A, C);
        verdict.x1 = x1.value;
        verdict.x2 = x2.value;
        verdict.caption = std::isfinite(x1.value) && std::isfinite(x2.value)
            ? texts::TwoRoots.toString() + QString::fromStdString(x1.shown)
                + texts::SecondRoot.toString() + QString::fromStdString(x2.shown)
            : texts::Overflow.toString();
    }
    return verdict;
}

} // namespace wizard
