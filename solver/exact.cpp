// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/exact_p.h"

#include "solver/numbertext.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

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

constexpr std::int64_t powerOfTen(int exponent)
{
    std::int64_t power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// A decimal of ShownDigits significant digits, mantissa × 10^exponent, with
// 10^(ShownDigits − 1) ≤ |mantissa| < 10^ShownDigits.
struct Shown
{
    std::int64_t mantissa = 0;
    long exponent = 0;

    static constexpr std::int64_t Smallest = powerOfTen(ShownDigits - 1);
    static constexpr std::int64_t Beyond = powerOfTen(ShownDigits);

    // Through a double, which holds every mantissa exactly: gmpxx takes no 64-bit integer where
    // long has 32 bits (Windows).
    mpq_class value() const
    {
        return timesPowerOfTen(mpz_class(static_cast<double>(mantissa)), exponent);
    }

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

// Steps from a guess to the point of a grid (the doubles, or the shown decimals) nearest to x.
// Each step looks at the midpoints between the point and its neighbours: x beyond one of them
// is nearer that neighbour. x on a midpoint is a tie, which goes to the even neighbour.
template<typename Point, typename Next, typename Midpoint, typename Even>
Point nearestOnGrid(const Comparison &comparedWithX, Point at, Next next, Midpoint midpoint,
                    Even even)
{
    for (;;) {
        // The sign of each midpoint − x; a point with no neighbour on a side (the largest
        // double) has its midpoint there at infinity.
        const auto up = next(at, 1);
        const int upperMidpoint = up ? comparedWithX(midpoint(at, *up)) : 1;
        if (up && upperMidpoint < 0) {
            at = *up;
            continue;
        }
        const auto down = next(at, -1);
        const int lowerMidpoint = down ? comparedWithX(midpoint(*down, at)) : -1;
        if (down && lowerMidpoint > 0) {
            at = *down;
            continue;
        }
        if (even(at))
            return at;
        if (up && upperMidpoint == 0)
            return *up;
        if (down && lowerMidpoint == 0)
            return *down;
        return at;
    }
}

} // namespace

mpq_class decimalOf(double value)
{
    const Scientific shortest = ScientificOf(value);
    const mpz_class digits(shortest.digits, 10);
    const long fractionDigits = long(shortest.digits.size()) - 1;
    return timesPowerOfTen(shortest.negative ? mpz_class(-digits) : digits,
                           shortest.exponent - fractionDigits);
}

double nearestDouble(const Comparison &comparedWithX, double guess)
{
    constexpr double largest = std::numeric_limits<double>::max();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    // Halfway from the largest double to 2^1024: from there on, x rounds to infinity.
    static const mpq_class overflow = (mpq_class(largest) + mpq_class(mpz_class(1) << 1024)) / 2;
    if (comparedWithX(overflow) <= 0)
        return infinity;
    if (comparedWithX(-overflow) >= 0)
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
    return nearestOnGrid(comparedWithX, std::clamp(guess, -largest, largest), next, midpoint,
                         even);
}

std::string nearestShown(const Comparison &comparedWithX, const std::string &guessDigits,
                         long guessExponent)
{
    if (comparedWithX(0) == 0)
        return FormatDecimal(false, "0", 0);

    // 0.DDD…×10^guessExponent is DDD…×10^(guessExponent − ShownDigits).
    Shown guess{std::strtoll(guessDigits.c_str(), nullptr, 10), guessExponent - ShownDigits};
    const auto next = [](const Shown &at, int direction) {
        return std::optional(at.next(direction));
    };
    const auto midpoint = [](const Shown &low, const Shown &high) -> mpq_class {
        return (low.value() + high.value()) / 2;
    };
    const auto even = [](const Shown &at) {
        return at.mantissa % 2 == 0;
    };
    const Shown shown = nearestOnGrid(comparedWithX, guess, next, midpoint, even);
    const std::string digits = std::to_string(std::llabs(shown.mantissa));
    // D.DDD…×10^e has its leading digit at the power e.
    return FormatDecimal(shown.mantissa < 0, digits, int(shown.exponent + ShownDigits - 1));
}

} // namespace solver
