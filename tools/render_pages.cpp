// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the five pages of the real window to PNG files for the README, answering the
// window's questions itself: 2x² − 3x − 2 = 0, typed as a pupil would.
//
//   render_pages OUTPUT_FOLDER        (or: cmake --build build --target pictures)

#include "testkit/scripteddialogs.h"
#include "wizard/fonts.h"
#include "wizard/frm1.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The same platform, scale and fonts on every machine, so the pictures only change when
    // the window does.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    QApplication app(argc, argv);
    QApplication::setFont(wizard::defaultFont());
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_pages OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    // The three coefficients typed, and No to another equation.
    ScriptedDialogs dialogs;
    dialogs.script({QStringLiteral("2"), QStringLiteral("-3"), QStringLiteral("-2"),
                    QStringLiteral("#7")});
    wizard::frm1 window(dialogs);
    window.show();

    const auto save = [&](const char *name) {
        QApplication::processEvents();
        const QString path = folder.filePath(QLatin1StringView(name));
        if (!window.grab().save(path, "PNG")) {
            std::fprintf(stderr, "render_pages: cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
    };
    const auto press = [&](const char *button) {
        window.findChild<QPushButton *>(QLatin1StringView(button))->click();
    };
    save("page-1-welcome.png");
    press("cmdNext1");
    save("page-2-a.png");
    press("cmdNext2");
    save("page-3-b.png");
    press("cmdNext3");
    save("page-4-c.png");
    press("cmdNext4");
    save("page-5-result.png");
    return 0;
}
