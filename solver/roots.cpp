// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/roots.h"

#include "solver/exact.h"

#include <mpfr.h>

#include <array>
#include <cmath>

namespace solver {

namespace {

// Guesses are worked out to 128 bits, enough to land next to the nearest double or 15-digit
// decimal; the exact comparisons then settle the last step.
class Guess
{
public:
    Guess() { mpfr_init2(value, 128); }
    explicit Guess(const mpq_class &exact)
        : Guess()
    {
        mpfr_set_q(value, exact.get_mpq_t(), MPFR_RNDN);
    }
    ~Guess() { mpfr_clear(value); }
    Guess(const Guess &) = delete;
    Guess &operator=(const Guess &) = delete;

    double nearestDouble() const { return mpfr_get_d(value, MPFR_RNDN); }

    mpfr_t value;
};

// sign is +1 for the root that adds √D, −1 for the one that subtracts it.
Root root(int sign, double B, const Discriminant &D, double A, double C)
{
    const mpq_class a = decimalOf(A);
    const mpq_class b = decimalOf(B);

    // With w = 2A·t + B, t − x = (w − sign·√D) / 2A, so comparing t with x takes only w² and D.
    const Comparison x = [&](const mpq_class &t) {
        const mpq_class w = 2 * a * t + b;
        const int towards = sgn(w) * sign;
        const int side = towards > 0 ? sign * cmp(w * w, D.exact)
                                     : (towards == 0 && sgn(D.exact) == 0 ? 0 : -sign);
        return side * sgn(a);
    };

    // (−B ± √D) / 2A, or 2C / (−B ∓ √D) where −B and ±√D have opposite signs.
    const Guess guessA(a), guessB(b), guessC(decimalOf(C)), guessD(D.exact);
    Guess sum, guess;
    mpfr_sqrt(sum.value, guessD.value, MPFR_RNDN);
    const bool cancelling = sgn(b) == sign;
    if (sign * (cancelling ? -1 : 1) < 0)
        mpfr_neg(sum.value, sum.value, MPFR_RNDN);
    mpfr_sub(sum.value, sum.value, guessB.value, MPFR_RNDN);
    if (cancelling) {
        mpfr_mul_2ui(guess.value, guessC.value, 1, MPFR_RNDN);
        mpfr_div(guess.value, guess.value, sum.value, MPFR_RNDN);
    } else {
        mpfr_div(guess.value, sum.value, guessA.value, MPFR_RNDN);
        mpfr_div_2ui(guess.value, guess.value, 1, MPFR_RNDN);
    }

    Root found;
    found.value = nearestDouble(x, guess.nearestDouble());
    if (std::isfinite(found.value)) {
        std::array<char, 24> digits{};
        mpfr_exp_t exponent = 0;
        mpfr_get_str(digits.data(), &exponent, 10, 15, guess.value, MPFR_RNDN);
        found.shown = nearestShown(x, digits.data(), exponent);
    }
    return found;
}

} // namespace

Discriminant dis(double A, double B, double C)
{
    const mpq_class b = decimalOf(B);
    Discriminant D;
    D.exact = b * b - 4 * decimalOf(A) * decimalOf(C);
    const Comparison x = [&D](const mpq_class &t) {
        return cmp(t, D.exact);
    };
    D.value = nearestDouble(x, Guess(D.exact).nearestDouble());
    return D;
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
