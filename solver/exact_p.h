// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The solver's exact arithmetic, private to it: rationals (GMP), and the rounding of a number
// known only through exact comparisons to the nearest double or shown decimal.

#include <gmpxx.h>

#include <functional>
#include <string>

namespace solver {

struct ExactValue
{
    mpq_class value;
};

// The decimal a double stands for: the shortest one that reads back to it. For anything typed
// with up to 15 significant digits from DBL_MIN (about 2.2E-308) up, that is exactly the number
// typed. Below DBL_MIN a double holds fewer digits, so the typed −1.23456789012345E-320 stands
// for −1.2347E-320. The value must be finite.
mpq_class decimalOf(double value);

// A number x known only through exact comparisons: for a rational t, the sign of t − x.
using Comparison = std::function<int(const mpq_class &t)>;

// x rounded to the nearest double, ties to even; ±infinity where x lies beyond the range of a
// double. guess, a double near x (not NaN), only saves steps.
double nearestDouble(const Comparison &comparedWithX, double guess);

// x correctly rounded to ShownDigits significant digits, ties to even, written as FormatNumber
// writes it. The guess, a nearby decimal of as many digits and not zero, only saves steps: its
// digits and exponent stand for ±0.DDD…×10^guessExponent, as mpfr_get_str writes them ("-123…"
// for a negative one).
std::string nearestShown(const Comparison &comparedWithX, const std::string &guessDigits,
                         long guessExponent);

} // namespace solver
