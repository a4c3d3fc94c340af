// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <QApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Whatever Qt loads from here on comes from System32 alone, as the program's imports do (its
    // load configuration): nothing from the folder it was started in.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
#endif
    QApplication application(argc, argv);
    // A Wayland desktop finds the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(VERTEX2_APP_ID));
    app::Program program;
    program.window().show();
    return QApplication::exec();
}
