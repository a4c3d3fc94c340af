// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTranslator;

namespace platform {

// Loads the toolkit's own texts in Russian (the input field's context menu, among others) from
// Qt's translations. Returns false when they are not installed; they then stay in English.
bool loadRussianToolkitTexts(QTranslator &translator);

} // namespace platform
