// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/greyed.h"

#include <algorithm>
#include <cmath>

namespace wizard {

namespace {

double luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF())
        + 0.0722 * linear(rgb.blueF());
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const auto channel = [share](float a, float b) {
        return float(a + (b - a) * share);
    };
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(channel(a.redF(), b.redF()), channel(a.greenF(), b.greenF()),
                            channel(a.blueF(), b.blueF()));
}

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableGrey(const QColor &text, const QColor &background)
{
    // 4.5 : 1 is the least for text; the margin keeps rounding to 8-bit colours above it.
    // Text already fainter than that stays as it is: no share of the way is readable.
    constexpr double least = 4.8;
    double readable = 0; // shares of the way towards the background
    double unreadable = 1;
    for (int step = 0; step < 20; ++step) {
        const double share = (readable + unreadable) / 2;
        (contrast(mixed(text, background, share), background) >= least ? readable
                                                                       : unreadable) = share;
    }
    return mixed(text, background, readable);
}

} // namespace wizard
