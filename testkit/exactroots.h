// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An exact reference for the roots: the polynomial itself, evaluated exactly. A root lies in an
// interval when the polynomial changes sign across it in the right direction.

#include "solver/numbertext.h"
#include "solver/roots.h"

#include <gmpxx.h>

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

namespace exactroots {

// A decimal text as the program writes it or a pupil types it, read exactly: its value, and
// the power of ten of its leading digit.
struct Exact
{
    mpq_class value;
    long lead = 0;
};

inline Exact exactly(const std::string &text)
{
    std::string digits;
    long exponent = 0;
    long pointAt = -1;
    bool negative = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-')
            negative = true;
        else if (c == '.')
            pointAt = long(digits.size());
        else if (c == 'E' || c == 'e')
            exponent = std::stol(text.substr(i + 1 + (text[i + 1] == '+')));
        else if (c >= '0' && c <= '9')
            digits += c;
        if (c == 'E' || c == 'e')
            break;
    }
    if (pointAt < 0)
        pointAt = long(digits.size());
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return {};
    const long scale = exponent - (long(digits.size()) - pointAt);
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(scale)));
    mpq_class value = scale >= 0 ? mpq_class(mpz_class(digits, 10) * power)
                                 : mpq_class(mpz_class(digits, 10), power);
    value.canonicalize();
    return {negative ? mpq_class(-value) : value, pointAt - long(first) - 1 + exponent};
}

inline mpq_class powerOfTen(long exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exponent)));
    return exponent >= 0 ? mpq_class(power) : mpq_class(1, power);
}

// The equation as typed, and where its roots lie.
struct Equation
{
    mpq_class A, B, C;

    int at(const mpq_class &t) const { return sgn((A * t + B) * t + C); }

    // Whether the closed interval holds root 1 (the one with +√D) or root 2: the polynomial
    // rises through root 1 and falls through root 2, or both roots lie inside together.
    bool holds(int root, const mpq_class &low, const mpq_class &high) const
    {
        const int below = at(low);
        const int above = at(high);
        const int rising = root == 1 ? 1 : -1;
        if (below * rising <= 0 && above * rising >= 0 && (below != 0 || above != 0))
            return true;
        const mpq_class vertex = -B / (2 * A);
        return sgn(B * B - 4 * A * C) >= 0 && below * sgn(A) >= 0 && above * sgn(A) >= 0
            && low <= vertex && vertex <= high;
    }
};

// The shown root and the root's double both hold the exact root: within half a unit of the
// 15th digit, and within half a step to the next double.
inline bool rootRight(const Equation &equation, int root, const solver::Root &found,
                      std::string &why)
{
    why = "root " + std::to_string(root) + " shown \"" + found.shown + "\", nearest double "
        + std::to_string(found.value);
    // Past the largest double, the next step would be 2^1024: halfway there, values overflow.
    const mpq_class overflow = (mpq_class(DBL_MAX) + mpq_class(mpz_class(1) << 1024)) / 2;
    if (std::isinf(found.value)) {
        // Beyond the largest double by half a step, and within the bound of every root.
        const mpq_class bound = 1 + (abs(equation.B) + abs(equation.C)) / abs(equation.A);
        return found.shown.empty()
            && (found.value > 0 ? equation.holds(root, overflow, bound)
                                : equation.holds(root, -bound, -overflow));
    }
    const Exact shown = exactly(found.shown);
    if (shown.value == 0) {
        if (found.shown != " 0" || equation.at(0) != 0)
            return false;
    } else {
        const mpq_class half = powerOfTen(shown.lead - 14) / 2;
        if (!equation.holds(root, shown.value - half, shown.value + half))
            return false;
        // In the form FormatNumber writes, wherever a double holds 15 digits: not below the
        // normal doubles, nor beyond the largest, where the roots next to it are shown.
        const double back = solver::ParseNumber(found.shown);
        if (std::fabs(back) >= DBL_MIN && std::isfinite(back)
            && solver::FormatNumber(back) != found.shown)
            return false;
    }
    const auto halfway = [&found, &overflow](double towards) -> mpq_class {
        if (std::fabs(found.value) == DBL_MAX && (found.value > 0) == (towards > 0))
            return found.value > 0 ? overflow : mpq_class(-overflow);
        return (mpq_class(found.value) + mpq_class(std::nextafter(found.value, towards))) / 2;
    };
    return equation.holds(root, halfway(-DBL_MAX), halfway(DBL_MAX));
}

// The exact decimal a double stands for, taken from its shortest text.
inline mpq_class decimal(double value)
{
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::scientific)
                         .ptr;
    return exactly(std::string(text.data(), end)).value;
}

} // namespace exactroots
