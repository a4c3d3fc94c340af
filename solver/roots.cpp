// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/roots.h"

#include "solver/exact_p.h"
#include "solver/float_p.h"
#include "solver/numbertext.h"

#include <cmath>
#include <memory>
#include <utility>

namespace solver {

namespace {

// The sign of w − s·√D, for s = 1 or −1 and D ≥ 0, without taking the square root.
int compareWithRootOfD(const mpq_class &w, int s, const mpq_class &D)
{
    // w and s·√D on the same side of zero: the larger in magnitude has the larger square.
    if (sgn(w) == s)
        return s * cmp(w * w, D);
    // w = 0: the difference is −s·√D.
    if (sgn(w) == 0)
        return sgn(D) == 0 ? 0 : -s;
    // w on the other side of zero from s·√D: the difference has w's sign.
    return sgn(w);
}

// The root x = (−B + s·√D) / 2A, for s = 1 (x1) or s = −1 (x2).
Root root(int s, double B, const Discriminant &D, double A, double C)
{
    const mpq_class a = decimalOf(A);
    const mpq_class b = decimalOf(B);
    const mpq_class &d = D.exact->value;

    // Which side of x a rational t lies on, the sign of t − x: 2A·(t − x) = w − s·√D, with
    // w = 2A·t + B.
    const Comparison comparedWithRoot = [&](const mpq_class &t) {
        return compareWithRootOfD(2 * a * t + b, s, d) * sgn(a);
    };

    // A guess at x to Float::Bits bits. Where −B and s·√D have opposite signs, their sum would
    // lose its digits to cancellation, so x is taken from the other root instead, as
    // x1·x2 = C/A: x = 2C / (−B − s·√D), whose two terms have the same sign.
    const Float rootOfD = sqrt(Float(d));
    const Float guess = sgn(b) == s
        ? (2 * Float(decimalOf(C))) / (-s * rootOfD - Float(b))
        : (s * rootOfD - Float(b)) / (2 * Float(a));

    Root found;
    found.value = nearestDouble(comparedWithRoot, guess.toDouble());
    if (std::isfinite(found.value)) {
        long exponent = 0;
        const std::string digits = guess.digits(ShownDigits, exponent);
        found.shown = nearestShown(comparedWithRoot, digits, exponent);
    }
    return found;
}

} // namespace

Discriminant dis(double A, double B, double C)
{
    const mpq_class b = decimalOf(B);
    auto exact = std::make_shared<ExactValue>();
    exact->value = b * b - 4 * decimalOf(A) * decimalOf(C);
    const mpq_class &d = exact->value;
    const Comparison comparedWithD = [&d](const mpq_class &t) {
        return cmp(t, d);
    };
    return {nearestDouble(comparedWithD, Float(d).toDouble()), sgn(d), std::move(exact)};
}

Root iks1(double B, const Discriminant &D, double A, double C)
{
    return root(1, B, D, A, C);
}

Root iks2(double B, const Discriminant &D, double A, double C)
{
    return root(-1, B, D, A, C);
}

} // namespace solver
