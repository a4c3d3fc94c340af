// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

namespace solver {

namespace {

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Blanks, tabs and line feeds do not count anywhere in a typed number, so "1 2" reads as 12.
constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return !isBlank(c); });
    return kept;
}

int digitValue(char c, int base)
{
    int value = base;
    if (isDigit(c))
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The digits after "&H" or "&O", up to the first one that does not belong to the base.
double parseRadix(std::string_view digits, int base)
{
    const int bitsPerDigit = base == 16 ? 4 : 3;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            break;
        if (value > (std::numeric_limits<std::uint64_t>::max() >> bitsPerDigit))
            return std::numeric_limits<double>::infinity();
        value = value << bitsPerDigit | std::uint64_t(digit);
    }
    return double(value);
}

std::size_t countDigits(std::string_view text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - from;
}

// The parts of a number text.
struct DecimalText
{
    bool negative = false;
    std::string_view intDigits;
    std::string_view fracDigits;
    bool negativeExponent = false;
    std::string_view exponentDigits;
};

// The longest prefix of text that forms a number: sign, digits, "." and digits, and an
// exponent that counts only with at least one digit.
DecimalText scanDecimal(std::string_view text)
{
    DecimalText found;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        found.negative = text[at++] == '-';
    found.intDigits = text.substr(at, countDigits(text, at));
    at += found.intDigits.size();
    if (at < text.size() && text[at] == '.') {
        found.fracDigits = text.substr(at + 1, countDigits(text, at + 1));
        at += 1 + found.fracDigits.size();
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t e = at + 1;
        const bool negativeExponent = e < text.size() && text[e] == '-';
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t digits = countDigits(text, e);
        if (digits > 0) {
            found.negativeExponent = negativeExponent;
            found.exponentDigits = text.substr(e, digits);
        }
    }
    return found;
}

// The magnitude of a number as 0.SIGNIFICANT × 10^magnitude, worked out so that no length of
// digits or exponent can overflow; beyond the range of a double it is infinity or zero.
double normalisedValue(const DecimalText &found)
{
    std::string significant;
    significant.reserve(found.intDigits.size() + found.fracDigits.size());
    significant.append(found.intDigits);
    significant.append(found.fracDigits);
    const std::size_t leadingZeros = significant.find_first_not_of('0');
    if (leadingZeros == std::string::npos)
        return 0.0;
    significant.erase(0, leadingZeros);
    significant.erase(significant.find_last_not_of('0') + 1);
    // The exponent saturates far beyond any double.
    constexpr std::int64_t limit = 1'000'000'000'000;
    std::int64_t exponent = 0;
    for (const char c : found.exponentDigits) {
        if (exponent < limit)
            exponent = exponent * 10 + (c - '0');
    }
    if (found.negativeExponent)
        exponent = -exponent;
    const std::int64_t magnitude = std::int64_t(found.intDigits.size()) - std::int64_t(leadingZeros)
        + exponent;

    // Beyond these, a number is far outside the range of a double (about 1E+308 down to the
    // smallest subnormal, about 5E-324), whatever its digits.
    constexpr std::int64_t beyondLargest = 310;
    constexpr std::int64_t belowSmallest = -400;
    constexpr double infinity = std::numeric_limits<double>::infinity();
    if (magnitude > beyondLargest)
        return infinity;
    if (magnitude < belowSmallest)
        return 0.0;
    const std::string text = "0." + significant + 'e' + std::to_string(magnitude);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? infinity : 0.0;
    return value;
}

// The longest number at the start of the text. from_chars reads the same numbers (but for a
// leading "+", "inf" and "nan") and rounds them correctly, with no locale and whatever their
// number of digits, but its exponent saturates at 65536, and it tells overflow from underflow
// by no sign. A number with a longer exponent, where thousands of digits could offset it, or
// beyond the range of a double, is therefore brought to 0.DIGITS × 10^N first; taking
// from_chars's answer for all the rest is three times faster (bench_numbertext).
double parseDecimal(std::string_view text)
{
    const bool plus = !text.empty() && text[0] == '+';
    const std::string_view number = text.substr(plus ? 1 : 0);
    const std::size_t first = !plus && !number.empty() && number[0] == '-' ? 1 : 0;
    if (first >= number.size() || (!isDigit(number[first]) && number[first] != '.'))
        return 0.0;

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::invalid_argument)
        return 0.0;
    if (result.ec == std::errc()) {
        // The exponent from_chars read, if any, is the run of digits that ends the number.
        const char *digits = result.ptr;
        while (digits > number.data() && isDigit(digits[-1]))
            --digits;
        const char *mark = digits > number.data() && (digits[-1] == '+' || digits[-1] == '-')
            ? digits - 1
            : digits;
        const bool exponent = digits < result.ptr && mark > number.data()
            && (mark[-1] == 'e' || mark[-1] == 'E');
        while (exponent && digits < result.ptr && *digits == '0')
            ++digits;
        if (!exponent || result.ptr - digits <= 4)
            return value;
    }
    const DecimalText found = scanDecimal(number);
    const double magnitude = normalisedValue(found);
    return found.negative ? -magnitude : magnitude;
}

} // namespace

double ParseNumber(std::string_view text)
{
    std::string kept;
    std::string_view number = text;
    // memchr finds the rare blank faster than a loop over the text.
    const auto npos = std::string_view::npos;
    if (text.find(' ') != npos || text.find('\t') != npos || text.find('\n') != npos) {
        kept = withoutBlanks(text);
        number = kept;
    }
    if (number.size() >= 2 && number[0] == '&') {
        const char radix = number[1];
        if (radix == 'H' || radix == 'h')
            return parseRadix(number.substr(2), 16);
        if (radix == 'O' || radix == 'o')
            return parseRadix(number.substr(2), 8);
    }
    return parseDecimal(number);
}

Scientific ScientificOf(double value, std::optional<int> fractionDigits)
{
    std::array<char, 32> buffer{};
    char *const first = buffer.data();
    char *const last = first + buffer.size();
    const double magnitude = std::fabs(value);
    const char *const end = (fractionDigits ? std::to_chars(first, last, magnitude,
                                                            std::chars_format::scientific,
                                                            *fractionDigits)
                                            : std::to_chars(first, last, magnitude,
                                                            std::chars_format::scientific))
                                .ptr;
    // "d.ddde±x", or "de±x" for a single digit
    const std::string_view text(first, std::size_t(end - first));
    const std::size_t mark = text.find('e');
    Scientific scientific{std::signbit(value), {}, 0};
    for (const char c : text.substr(0, mark)) {
        if (c != '.')
            scientific.digits += c;
    }
    std::from_chars(text.data() + mark + 1 + (text[mark + 1] == '+'), end, scientific.exponent);
    return scientific;
}

std::string FormatNumber(double value)
{
    const Scientific shown = ScientificOf(value, ShownDigits - 1);
    return FormatDecimal(shown.negative && value != 0.0, shown.digits, shown.exponent);
}

std::string FormatDecimal(bool negative, std::string_view digits, int exponent)
{
    std::string text(1, negative ? '-' : ' ');
    digits = digits.substr(0, digits.find_last_not_of('0') + 1);
    if (digits.empty())
        return " 0";

    // Whole numbers of more digits than are shown, and small ones, take an exponent.
    if (exponent >= ShownDigits || exponent < -4) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text.append(digits.substr(1));
        }
        text += exponent < 0 ? "E-" : "E+";
        const int shown = std::abs(exponent);
        if (shown < 10)
            text += '0';
        text += std::to_string(shown);
    } else if (exponent < 0) {
        text += '.';
        text.append(std::size_t(-exponent - 1), '0');
        text += digits;
    } else {
        const std::size_t whole = std::size_t(exponent) + 1;
        if (digits.size() <= whole) {
            text += digits;
            text.append(whole - digits.size(), '0');
        } else {
            text.append(digits.substr(0, whole));
            text += '.';
            text.append(digits.substr(whole));
        }
    }
    return text;
}

} // namespace solver
