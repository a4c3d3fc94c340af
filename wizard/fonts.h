// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace wizard {

// The dialog font of the window, its buttons and its plain labels.
QFont defaultFont();

// The larger font of the two headings.
QFont headingFont();

} // namespace wizard
