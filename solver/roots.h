#pragma once

namespace solver {

// The discriminant of A·x² + B·x + C: B² − (4·A)·C, evaluated in that order.
double dis(double A, double B, double C);

// The root that adds √D, (−B + √D) / (A·2), and the one that subtracts it, (−B − √D) / (A·2).
// Where −B and ±√D nearly cancel, the root is taken from the other one through x1·x2 = C/A
// instead, so that all the digits shown are right; hence C. Called only with D ≥ 0 (iks2 with
// D > 0) and A ≠ 0; the results are not checked for overflow.
double iks1(double B, double D, double A, double C);
double iks2(double B, double D, double A, double C);

} // namespace solver
