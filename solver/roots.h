// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace solver {

// A coefficient stands for the decimal the pupil typed, not for its binary approximation:
// 0.2x² + 1.2x + 1.8 has the discriminant 0 and the single root −3, although 0.2, 1.2 and 1.8
// have no exact binary value. So the discriminant and the roots are worked out exactly from
// those decimals. The coefficients must be finite, and A ≠ 0.

struct ExactValue; // a number held exactly, as the solver works with it

struct Discriminant
{
    double value = 0; // the nearest double; ±infinity beyond the range of a double
    int sign = 0; // the sign of the exact value, -1, 0 or 1, which decides how many roots
    std::shared_ptr<const ExactValue> exact; // B² − 4AC itself, for the roots
};

struct Root
{
    double value = 0; // the nearest double; ±infinity beyond the range of a double
    std::string shown; // correctly rounded to the digits FormatNumber writes
};

// The discriminant of A·x² + B·x + C: B² − 4·A·C.
Discriminant dis(double A, double B, double C);

// The root that adds √D, (−B + √D) / (A·2), and the one that subtracts it, (−B − √D) / (A·2).
// They are asked for only when there is such a root: x1 when D ≥ 0, x2 when D > 0. C serves the
// first guess at the root, which is taken from x1·x2 = C/A where −B and ±√D would cancel.
Root iks1(double B, const Discriminant &D, double A, double C);
Root iks2(double B, const Discriminant &D, double A, double C);

} // namespace solver
