// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the five pages of the real window to PNG files for the README, answering the
// window's questions itself: 2x² − 3x − 2 = 0, typed as a pupil would.
//
//   render_pages OUTPUT_FOLDER        (or: cmake --build build --target pictures)

#include "wizard/dialogs.h"
#include "wizard/fonts.h"
#include "wizard/frm1.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>

#include <cstdio>
#include <deque>

namespace {

// Types the next coefficient into each input box and answers No to every question.
class TypingDialogs final : public wizard::Dialogs
{
public:
    explicit TypingDialogs(std::deque<QString> typed)
        : m_typed(std::move(typed))
    { }

    wizard::Answer messageBox(const QString &, wizard::Style, const QString &) override
    {
        return wizard::Answer::No;
    }
    QString inputBox(const QString &) override
    {
        QString text;
        if (!m_typed.empty()) {
            text = m_typed.front();
            m_typed.pop_front();
        }
        return text;
    }
    void end() override { }
    bool ending() const override { return false; }

private:
    std::deque<QString> m_typed;
};

} // namespace

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

    TypingDialogs dialogs({QStringLiteral("2"), QStringLiteral("-3"), QStringLiteral("-2")});
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
