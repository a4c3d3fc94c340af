// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/fonts.h"

#include <QStringList>

namespace wizard {

// DejaVu Sans has Cyrillic everywhere the program runs on Linux; Windows has its own interface
// fonts, narrower ones, which come first there even where DejaVu Sans is installed too. The
// welcome texts are measured against this size.
QFont defaultFont()
{
    QFont font;
#ifdef Q_OS_WIN
    font.setFamilies(QStringList{QStringLiteral("Segoe UI"), QStringLiteral("Tahoma")});
#else
    font.setFamilies(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Segoe UI"),
                                 QStringLiteral("Tahoma")});
#endif
    font.setPointSizeF(8.25);
    return font;
}

// The headings were designed in MS Sans Serif; on Windows its TrueType successor, which has
// Cyrillic everywhere, comes first. Elsewhere DejaVu Sans stands in, named first: a missing
// first family costs a search through the fallback fonts at every start.
QFont headingFont()
{
    QFont font;
#ifdef Q_OS_WIN
    font.setFamilies(QStringList{QStringLiteral("Microsoft Sans Serif"),
                                 QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")});
#else
    font.setFamilies(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("MS Sans Serif")});
#endif
    font.setPointSizeF(13.5);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace wizard
