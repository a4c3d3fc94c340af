// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/toolkittexts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool loadRussianToolkitTexts(QTranslator &translator)
{
    // In the program where the system keeps none (Windows), else in Qt's own folder.
    for (const QString &folder : {QStringLiteral(":/translations"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"),
                            QStringLiteral("_"), folder))
            return true;
    }
    return false;
}

} // namespace platform
