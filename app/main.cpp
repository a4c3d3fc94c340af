// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app::Program program;
    program.window().show();
    return QApplication::exec();
}
