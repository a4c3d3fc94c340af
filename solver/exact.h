// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gmpxx.h>

#include <functional>
#include <string>

namespace solver {

// The decimal a double stands for: the shortest one that reads back to it. For anything typed
// with up to 15 significant digits, that is exactly the number typed. The value must be finite.
mpq_class decimalOf(double value);

// How a target number x that is known only through comparisons lies to a rational t:
// the sign of t − x.
using Comparison = std::function<int(const mpq_class &t)>;

// x rounded to the nearest double, ties to even; ±infinity where x lies beyond the range of a
// double. guess, a double near x (not NaN), only saves steps.
double nearestDouble(const Comparison &x, double guess);

// x correctly rounded to 15 significant digits, ties to even, written as FormatNumber writes.
// guessDigits and guessExponent give a nearby 15-digit decimal, ±0.DDD…×10^guessExponent, as
// mpfr_get_str writes it ("-123…" for a negative one), not zero; they too only save steps.
std::string nearestShown(const Comparison &x, const std::string &guessDigits, long guessExponent);

} // namespace solver
