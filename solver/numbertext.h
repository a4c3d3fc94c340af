// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace solver {

// The significant digits every number is shown with.
inline constexpr int ShownDigits = 15;

// Reads typed text as a number, whatever the locale: "." is the only decimal point.
// Blanks, tabs and line feeds anywhere are ignored, the longest leading number is read and the
// rest is ignored; a text that starts with no number reads as 0. "&H" and "&O" (either case)
// start a non-negative whole number of up to 64 bits in base 16 or 8.
// A number beyond the range of a double reads as an infinity of its sign (a radix number wider
// than 64 bits as +infinity); one too small for a double reads as 0.
double ParseNumber(std::string_view text);

// A finite double in decimal, ±D.DDD…×10^exponent: its sign and significant digits. With
// fractionDigits, the digits are rounded from the exact binary value to 1 + fractionDigits of them;
// without, they are the fewest that read back to the double.
struct Scientific
{
    bool negative;
    std::string digits;
    int exponent;
};
Scientific ScientificOf(double value, std::optional<int> fractionDigits = std::nullopt);

// Writes a number as the program shows it: a blank or "-" first, at most ShownDigits significant
// digits correctly rounded, no zero before the point, no trailing zeros. Magnitudes from 1E+15 up and
// below 1E-04 are written with an exponent of at least two digits ("-2.5E-20"). Negative zero
// is written as zero, " 0". The value must be finite.
std::string FormatNumber(double value);

// Writes the decimal ±D.DDD…×10^exponent, given its significant digits (at most ShownDigits, trailing
// zeros allowed), in the same form as FormatNumber.
std::string FormatDecimal(bool negative, std::string_view digits, int exponent);

} // namespace solver
