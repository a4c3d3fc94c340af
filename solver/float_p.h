// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gmpxx.h>
#include <mpfr.h>

#include <string>

namespace solver {

// A binary floating-point number of Float::Bits bits (MPFR), each operation rounded to nearest:
// the solver's quick guesses, which exact comparisons then settle. 128 bits land a guess next to
// the nearest double or shown decimal.
class Float
{
public:
    static constexpr mpfr_prec_t Bits = 128;

    explicit Float(const mpq_class &exact);
    ~Float();
    Float(const Float &other);
    Float &operator=(const Float &) = delete;

    friend Float operator+(const Float &left, const Float &right);
    friend Float operator-(const Float &left, const Float &right);
    friend Float operator/(const Float &left, const Float &right);
    friend Float operator*(long factor, const Float &right);
    friend Float sqrt(const Float &value);

    // The nearest double, ties to even.
    double toDouble() const;
    // The first digits, rounded to nearest, as ±0.DDD…×10^exponent: "-123…" for a negative one.
    std::string digits(int count, long &exponent) const;

private:
    Float();
    mpfr_t m_value;
};

} // namespace solver
