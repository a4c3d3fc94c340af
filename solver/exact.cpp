// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/exact.h"

#include "solver/numbertext.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

namespace solver {

namespace {

mpq_class timesPowerOfTen(const mpz_class &whole, long exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exponent)));
    if (exponent >= 0)
        return mpq_class(whole * power);
    mpq_class value(whole, power);
    value.canonicalize();
    return value;
}

// A decimal of 15 significant digits, mantissa × 10^exponent with 10^14 ≤ |mantissa| < 10^15.
struct Shown
{
    std::int64_t mantissa = 0;
    long exponent = 0;

    static constexpr std::int64_t Smallest = 100'000'000'000'000;
    static constexpr std::int64_t Beyond = 10 * Smallest;

    mpq_class value() const { return timesPowerOfTen(mpz_class(mantissa), exponent); }

    // The next such decimal towards +infinity (direction 1) or −infinity (direction −1); below
    // a power of ten the steps are ten times finer.
    Shown next(int direction) const
    {
        Shown step{mantissa + direction, exponent};
        if (std::llabs(step.mantissa) == Beyond) {
            step.mantissa /= 10;
            ++step.exponent;
        } else if (std::llabs(step.mantissa) < Smallest) {
            step.mantissa = step.mantissa * 10 - std::int64_t(direction) * 9;
            --step.exponent;
        }
        return step;
    }
};

// Steps from a guess to x's nearest point of a grid (the doubles or the 15-digit decimals),
// deciding each step by the exact midpoint between neighbours. Ties go to the even neighbour.
template<typename Point, typename Next, typename Midpoint, typename Even>
Point nearestOnGrid(const Comparison &x, Point at, Next next, Midpoint midpoint, Even even)
{
    for (;;) {
        const auto up = next(at, 1);
        const int upper = up ? x(midpoint(at, *up)) : 1;
        if (up && upper < 0) {
            at = *up;
            continue;
        }
        const auto down = next(at, -1);
        const int lower = down ? x(midpoint(*down, at)) : -1;
        if (down && lower > 0) {
            at = *down;
            continue;
        }
        if (up && upper == 0 && !even(at))
            return *up;
        if (down && lower == 0 && !even(at))
            return *down;
        return at;
    }
}

} // namespace

mpq_class decimalOf(double value)
{
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific)
                         .ptr;
    // "-d.ddde±x"
    const std::string_view text(buffer.data(), std::size_t(end - buffer.data()));
    const std::size_t mark = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, mark)) {
        if (c != '.')
            digits += c;
    }
    int exponent = 0;
    std::from_chars(text.data() + mark + 1 + (text[mark + 1] == '+'), text.data() + text.size(),
                    exponent);
    const long fractionDigits = long(digits.size()) - (digits[0] == '-' ? 2 : 1);
    return timesPowerOfTen(mpz_class(digits, 10), exponent - fractionDigits);
}

double nearestDouble(const Comparison &x, double guess)
{
    constexpr double largest = std::numeric_limits<double>::max();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    // Halfway from the largest double to 2^1024: from there on, x rounds to infinity.
    static const mpq_class overflow = (mpq_class(largest) + mpq_class(mpz_class(1) << 1024)) / 2;
    if (x(overflow) <= 0)
        return infinity;
    if (x(-overflow) >= 0)
        return -infinity;

    const auto next = [](double at, int direction) -> std::optional<double> {
        const double step = std::nextafter(at, direction * infinity);
        return std::isinf(step) ? std::nullopt : std::optional(step);
    };
    const auto midpoint = [](double low, double high) -> mpq_class {
        return (mpq_class(low) + mpq_class(high)) / 2;
    };
    const auto even = [](double at) {
        return (std::bit_cast<std::uint64_t>(at) & 1) == 0;
    };
    return nearestOnGrid(x, std::clamp(guess, -largest, largest), next, midpoint, even);
}

std::string nearestShown(const Comparison &x, const std::string &guessDigits, long guessExponent)
{
    if (x(0) == 0)
        return FormatDecimal(false, "0", 0);

    Shown guess{std::strtoll(guessDigits.c_str(), nullptr, 10), guessExponent - 15};
    const auto next = [](const Shown &at, int direction) {
        return std::optional(at.next(direction));
    };
    const auto midpoint = [](const Shown &low, const Shown &high) -> mpq_class {
        return (low.value() + high.value()) / 2;
    };
    const auto even = [](const Shown &at) {
        return at.mantissa % 2 == 0;
    };
    const Shown shown = nearestOnGrid(x, guess, next, midpoint, even);
    const std::string digits = std::to_string(std::llabs(shown.mantissa));
    return FormatDecimal(shown.mantissa < 0, digits, int(shown.exponent + 14));
}

} // namespace solver
