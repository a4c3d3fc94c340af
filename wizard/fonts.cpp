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

// The headings were designed in MS Sans Serif; where it is missing, DejaVu Sans stands in.
QFont headingFont()
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
                                 QStringLiteral("Microsoft Sans Serif")});
    font.setPointSizeF(13.5);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace wizard
