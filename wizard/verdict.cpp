#include "verdict.h"

#include "numbertext.h"
#include "roots.h"
#include "texts.h"

#include <cmath>

namespace wizard {

namespace {

QString shown(double value)
{
    return QString::fromStdString(solver::FormatNumber(value));
}

} // namespace

Verdict solve(double A, double B, double C)
{
    Verdict verdict;
    verdict.D = solver::dis(A, B, C);
    const double D = verdict.D;
    if (!std::isfinite(D)) {
        verdict.caption = texts::Overflow.toString();
    } else if (D < 0) {
        verdict.caption = texts::NoRoots.toString();
    } else if (D == 0) {
        const double x1 = solver::iks1(B, D, A, C);
        verdict.x1 = x1;
        verdict.caption = std::isfinite(x1) ? texts::OneRoot.toString() + shown(x1)
                                            : texts::Overflow.toString();
    } else {
        const double x1 = solver::iks1(B, D, A, C);
        const double x2 = solver::iks2(B, D, A, C);
        verdict.x1 = x1;
        verdict.x2 = x2;
        verdict.caption = std::isfinite(x1) && std::isfinite(x2)
            ? texts::TwoRoots.toString() + shown(x1) + texts::SecondRoot.toString() + shown(x2)
            : texts::Overflow.toString();
    }
    return verdict;
}

} // namespace wizard
