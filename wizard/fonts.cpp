// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/fonts.h"

#include <QStringList>

namespace wizard {

// DejaVu Sans has Cyrillic everywhere the program runs on Linux; the other families are the
// fallbacks on systems without it. The welcome texts are measured against this size.
QFont defaultFont()
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Segoe UI"),
                                 QStringLiteral("Tahoma")});
    font.setPointSizeF(8.25);
    return font;
}

// The headings were designed in MS Sans Serif. Elsewhere DejaVu Sans stands in, named first:
// a missing first family costs a search through the fallback fonts at every start.
QFont headingFont()
{
    QFont font;
#ifdef Q_OS_WIN
    font.setFamilies(
        QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")});
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
