// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace assets {

// The artwork, decoded straight from the embedded files, whose layout the program knows (it
// draws them itself, and tst_assets checks them): reading them through Qt's image formats
// would first look through every image-format plugin, a cost at every start for nothing.

// The background picture, 250 × 494.
QImage background();

// The window icon, 32 × 32, the cut corners transparent.
QImage icon();

} // namespace assets
