#include "fonts.h"
#include "frm1.h"
#include "qtdialogs.h"
#include "toolkittexts.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(wizard::defaultFont());
    QTranslator toolkitTexts;
    if (platform::loadRussianToolkitTexts(toolkitTexts))
        QApplication::installTranslator(&toolkitTexts);

    platform::QtDialogs dialogs;
    frm1 window(dialogs);
    dialogs.attach(&window);
    window.show();
    return QApplication::exec();
}
