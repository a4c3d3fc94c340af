// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include "platform/toolkittexts.h"
#include "wizard/fonts.h"

#include <QApplication>

namespace app {

Program::Toolkit::Toolkit()
{
    QApplication::setFont(wizard::defaultFont());
    if (platform::loadRussianToolkitTexts(texts))
        QApplication::installTranslator(&texts);
}

Program::Program()
    : m_window(m_dialogs)
{
    m_dialogs.attach(&m_window);
}

} // namespace app
