// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qtdialogs.h"
#include "wizard/frm1.h"

#include <QTranslator>

namespace app {

// What the program runs, built in one place for main(), the session test and the start-up
// benchmark alike: the application's fonts and the toolkit's Russian texts, the wizard window,
// and the real dialogs, modal to it. A QApplication must exist first.
class Program
{
public:
    Program();

    wizard::frm1 &window() { return m_window; }
    const wizard::Dialogs &dialogs() const { return m_dialogs; }

private:
    // The application's font and Russian texts, in place before any widget is made.
    struct Toolkit
    {
        Toolkit();
        QTranslator texts;
    };

    Toolkit m_toolkit;
    platform::QtDialogs m_dialogs;
    wizard::frm1 m_window;
};

} // namespace app
