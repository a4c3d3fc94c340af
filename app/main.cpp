#include "fonts.h"
#include "frm1.h"
#include "qtdialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(wizard::defaultFont());

    platform::QtDialogs dialogs;
    frm1 window(dialogs);
    dialogs.attach(&window);
    window.show();
    return QApplication::exec();
}
