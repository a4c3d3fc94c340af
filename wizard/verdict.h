// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace wizard {

// What the result page works out from A, B and C: the discriminant, the roots it has and the
// caption that tells them.
struct Verdict
{
    double D = 0; // the nearest double to the exact discriminant
    std::optional<double> x1; // computed when D ≥ 0: the nearest double to the root
    std::optional<double> x2; // computed when D > 0
    QString caption;
};

// The sign of D is decided exactly for the decimals typed, and every root shown is the exact
// root correctly rounded. Where a root lies beyond the range of a double, the caption says so
// instead of showing a non-number.
Verdict solve(double A, double B, double C);

} // namespace wizard
