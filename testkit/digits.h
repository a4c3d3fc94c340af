// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The significant digits of a number as the program writes it: those of the mantissa, from the
// first that is not zero.
inline int significantDigits(std::string_view text)
{
    text = text.substr(0, text.find_first_of("Ee"));
    const std::size_t first = text.find_first_of("123456789");
    if (first == std::string_view::npos)
        return 0;
    int digits = 0;
    for (std::size_t i = first; i < text.size(); ++i)
        digits += text[i] >= '0' && text[i] <= '9';
    return digits;
}

// Whether a text shows a non-number as the C++ library and Qt write them.
inline bool showsNonNumber(std::string_view text)
{
    for (const std::string_view word : {"inf", "nan", "INF", "NAN", "Inf", "NaN"}) {
        if (text.find(word) != std::string_view::npos)
            return true;
    }
    return false;
}
