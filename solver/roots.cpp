#include "roots.h"

#include <cmath>

namespace solver {

double dis(double A, double B, double C)
{
    return B * B - (4 * A) * C; // B * B is B² correctly rounded
}

// (−B ± √D) / (A·2) loses most of its digits when B² is much larger than |4AC|, because −B and
// ±√D then nearly cancel. That root equals 2C / (−B ∓ √D) (multiply by the conjugate and use
// B² − D = 4AC), where the two terms add up instead.

double iks1(double B, double D, double A, double C)
{
    const double root = std::sqrt(D);
    if (B > 0 && D > 0)
        return C / (((-B) - root) / 2);
    return ((-B) + root) / (A * 2);
}

double iks2(double B, double D, double A, double C)
{
    const double root = std::sqrt(D);
    if (B < 0 && D > 0)
        return C / (((-B) + root) / 2);
    return ((-B) - root) / (A * 2);
}

} // namespace solver
