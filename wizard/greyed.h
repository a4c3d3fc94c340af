// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace wizard {

// The contrast of two colours as the web's accessibility guidelines define it, from 1 to 21.
double contrast(const QColor &a, const QColor &b);

// A greyed text colour for a disabled box that pupils still have to read: as far from the
// normal text towards the background as a contrast of 4.5 : 1 (with a margin) allows.
QColor readableGrey(const QColor &text, const QColor &background);

} // namespace wizard
