// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace wizard {

// The equation as far as it is known, for the text box under "y=ax^2+bx+c". A "+" goes before
// a coefficient only when it is positive (a negative one brings its own "-"), a zero term is
// left out, and a coefficient not yet entered stays a letter.
std::string previewAfterA(double a);
std::string previewAfterB(double a, double b);
std::string previewAfterC(double a, double b, double c);

} // namespace wizard
