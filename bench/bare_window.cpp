// SPDX-License-Identifier: GPL-3.0-or-later
// The bare window alone, built for Windows with the same toolkit as vertex2.exe: the floor of
// the program file's size, which windows.sh prints beside it.

#include "barewindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const std::unique_ptr<QWidget> window = makeBareWindow();
    window->show();
    return QApplication::exec();
}
