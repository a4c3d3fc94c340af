// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/toolkittexts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool loadRussianToolkitTexts(QTranslator &translator)
{
    return translator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace platform
