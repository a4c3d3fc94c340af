// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // A Wayland desktop finds the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(VERTEX2_APP_ID));
    app::Program program;
    program.window().show();
    return QApplication::exec();
}
