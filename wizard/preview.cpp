// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/preview.h"

#include "solver/numbertext.h"

using solver::FormatNumber;

namespace wizard {

namespace {

// "+3x", "-3x" or nothing for b; "+2", "-2" or nothing for c.
std::string term(double value, const char *letter)
{
    if (value > 0)
        return '+' + FormatNumber(value) + letter;
    if (value < 0)
        return FormatNumber(value) + letter;
    return {};
}

} // namespace

std::string previewAfterA(double a)
{
    return FormatNumber(a) + "x^2+bx+c=0";
}

std::string previewAfterB(double a, double b)
{
    return FormatNumber(a) + "x^2" + term(b, "x") + "+c=0";
}

std::string previewAfterC(double a, double b, double c)
{
    return FormatNumber(a) + "x^2" + term(b, "x") + term(c, "") + "=0";
}

} // namespace wizard
