#include "platform/qtdialogs.h"
#include "platform/toolkittexts.h"
#include "wizard/fonts.h"
#include "wizard/frm1.h"

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
    wizard::frm1 window(dialogs);
    dialogs.attach(&window);
    window.show();
    return QApplication::exec();
}
