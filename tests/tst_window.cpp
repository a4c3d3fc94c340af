// SPDX-License-Identifier: GPL-3.0-or-later
#include "testkit/pages.h"
#include "windowfixture.h"
#include "wizard/greyed.h"
#include "wizard/texts.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QStyle>
#include <QTimer>

#include <cmath>

using wizard::Answer::No;

namespace {

// Contrast as the web's accessibility guidelines define it, written out here apart from the
// program's own and held to known pairs (contrastOfKnownPairs).
double referenceContrast(QRgb first, QRgb second)
{
    const auto luminance = [](QRgb colour) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour))
            + 0.0722 * linear(qBlue(colour));
    };
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return a > b ? a / b : b / a;
}

// The contrast of the preview's text with its background, as rendered: the background is the
// commonest colour inside the frame, the text the colour that stands out from it most.
double renderedContrast(QWidget *box)
{
    const QImage image = box->grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x)
            ++counts[image.pixel(x, y)];
    }
    const QRgb background = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                             [](auto a, auto b) { return a.second < b.second; })
                                ->first;
    double most = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        most = std::max(most, referenceContrast(*it, background));
    return most;
}

} // namespace

Q_DECLARE_METATYPE(Page)

class tst_Window : public QObject
{
    Q_OBJECT

private:
    WindowFixture f;

    void verifyPage(Page page)
    {
        QVERIFY2(pageShown(*f.window) == page, qPrintable(describeControls(*f.window)));
        QVERIFY(!f.control("txtCheck")->isEnabled());
    }

    // Clicks through the pages with every coefficient 1 and No to every question but those
    // that the path answers "yes".
    void walk(const QStringList &path)
    {
        f.dialogs.defaultText = QStringLiteral("1");
        f.dialogs.defaultAnswer = No;
        for (const QString &step : path) {
            if (step == u"yes")
                f.dialogs.answer(wizard::Answer::Yes);
            else
                f.click(qPrintable(step));
        }
    }

    // What a press may change: the page, the texts, the values, the focus, the dialogs asked.
    QString state() const
    {
        const wizard::frm1::Values v = f.window->values();
        const QWidget *focus = QApplication::focusWidget();
        return QStringList{describeControls(*f.window), f.preview(), f.caption("lblResult")}
                   .join(u" | ")
            + QStringLiteral(" | %1 %2 %3 %4 %5 %6 answer %7 | focus %8 | %9 asked, ended %10")
                  .arg(v.A)
                  .arg(v.B)
                  .arg(v.C)
                  .arg(v.D)
                  .arg(v.x1)
                  .arg(v.x2)
                  .arg(int(v.answer))
                  .arg(focus ? focus->objectName() : QStringLiteral("nowhere"))
                  .arg(f.dialogs.calls.size())
                  .arg(f.dialogs.ended);
    }

    void sendAltYery(QWidget *target)
    {
        // keyClick cannot carry Cyrillic text; Alt+ы arrives as the key Ы with its text.
        const auto key = Qt::Key(QChar(u'Ы').unicode());
        QTest::sendKeyEvent(QTest::Press, target, key, QStringLiteral("ы"), Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, QStringLiteral("ы"), Qt::AltModifier);
    }

    void addPathRows()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<Page>("page");
        QTest::newRow("start") << QStringList() << Page::Welcome;
        QTest::newRow("A") << QStringList{"cmdNext1"} << Page::A;
        QTest::newRow("A back") << QStringList{"cmdNext1", "cmdBack1"} << Page::Welcome;
        QTest::newRow("B") << QStringList{"cmdNext1", "cmdNext2"} << Page::B;
        QTest::newRow("B back") << QStringList{"cmdNext1", "cmdNext2", "cmdBack2"} << Page::A;
        QTest::newRow("C") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3"} << Page::C;
        QTest::newRow("C back") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdBack3"}
                                << Page::B;
        QTest::newRow("result") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdNext4"}
                                << Page::Result;
        QTest::newRow("another equation")
            << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "yes", "cmdNext4"} << Page::A;
        QTest::newRow("another equation, back")
            << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "yes", "cmdNext4", "cmdBack1"}
            << Page::Welcome;
    }

private slots:
    void init()
    {
        f.create();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    }

    // The contrasts the preview's grey is worked out from, and the reference it is measured
    // with, both held to pairs whose contrast is known.
    void contrastOfKnownPairs_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("known");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.0;
        QTest::newRow("green on white") << QColor(0x00, 0x80, 0x00) << QColor(Qt::white) << 5.14;
        QTest::newRow("blue on black") << QColor(Qt::blue) << QColor(Qt::black) << 2.44;
        QTest::newRow("grey on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
    }

    void contrastOfKnownPairs()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        QFETCH(double, known);
        QVERIFY(std::abs(referenceContrast(text.rgb(), background.rgb()) - known) < 0.01);
        QVERIFY(std::abs(wizard::contrast(text, background) - known) < 0.01);
    }

    // The preview is greyed, yet readable at 4.5 : 1 or more, under a light palette, a dark
    // one and a coloured one, switched to while the window is open.
    void previewReadable_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        const QColor text(Qt::white), base(0x2a, 0x2a, 0x2a), window(0x35, 0x35, 0x35);
        QTest::newRow("dark") << QPalette(text, window, window.lighter(), window.darker(), window,
                                          text, text, base, window);
        const QColor green(0x00, 0x80, 0x00), white(Qt::white);
        QTest::newRow("green text") << QPalette(green, white, white, white.darker(), white,
                                                green, green, white, white);
    }

    void previewReadable()
    {
        QFETCH(QPalette, palette);
        f.window->setPalette(palette);
        walk({"cmdNext1"});
        auto *preview = f.control<QLineEdit>("txtCheck");
        QCOMPARE(preview->text(), u" 1x^2+bx+c=0");
        const double greyed = renderedContrast(preview);
        QVERIFY2(greyed >= 4.5, qPrintable(QString::number(greyed)));

        QLineEdit enabled(preview->text(), f.window.get());
        enabled.setGeometry(preview->geometry());
        enabled.setAlignment(preview->alignment());
        enabled.show();
        const double normal = renderedContrast(&enabled);
        // Greyed as far as readable: faint enough to look disabled, next to the same text enabled.
        QVERIFY2(greyed < 5 && greyed < normal,
                 qPrintable(QStringLiteral("greyed %1, enabled %2").arg(greyed).arg(normal)));
    }

    // Three coefficients of 15 digits make a preview wider than its box: it shows its
    // beginning, cut at the right, as the A page's edit box always did.
    void longPreviewShowsItsBeginning()
    {
        f.dialogs.type("-123456789012345").type("-123456789012345").type("-123456789012345");
        for (const char *name : {"cmdNext1", "cmdNext2", "cmdNext3"})
            f.click(name);
        auto *preview = f.control<QLineEdit>("txtCheck");
        QVERIFY(preview->text().startsWith(u"-123456789012345x^2"));
        QVERIFY(preview->fontMetrics().horizontalAdvance(preview->text()) > preview->width());
        QVERIFY(preview->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < 8);
    }

    void window()
    {
        QCOMPARE(f.window->objectName(), u"frm1");
        QCOMPARE(f.window->windowTitle(), u"Paravel v2.1 by Zorvan");
        QCOMPARE(f.window->size(), QSize(425, 424));
        QCOMPARE(f.window->minimumSize(), f.window->maximumSize());
        const Qt::WindowFlags flags = f.window->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!f.window->windowIcon().isNull());
        QCOMPARE(f.window->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        const QPixmap picture = f.control<QLabel>("imgBackground")->pixmap();
        QCOMPARE(picture.size(), QSize(250, 494));
        QVERIFY(f.control<QLabel>("imgBackground")->hasScaledContents());
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        const int left = Qt::AlignLeft | Qt::AlignTop;
        const int centre = Qt::AlignHCenter | Qt::AlignTop;
        const QString back = QStringLiteral("< Назад");
        const QString next = QStringLiteral("Дальше >");
        const auto row = [](const char *name, const char *kind, QRect rect, const QString &text,
                            int alignment) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << rect
                                << text << alignment;
        };
        row("cmdBack1", "QPushButton", {160, 384, 81, 33}, back, 0);
        row("cmdNext1", "QPushButton", {248, 384, 81, 33}, next, 0);
        row("txtCheck", "QLineEdit", {160, 160, 265, 19}, {}, int(Qt::AlignCenter));
        row("cmdBack3", "QPushButton", {160, 384, 81, 33}, back, 0);
        row("cmdBack2", "QPushButton", {160, 384, 81, 33}, back, 0);
        row("cmdNext4", "QPushButton", {248, 384, 81, 33}, next, 0);
        row("cmdNext3", "QPushButton", {248, 384, 81, 33}, next, 0);
        row("cmdNext2", "QPushButton", {248, 384, 81, 33}, next, 0);
        row("cmdExit", "QPushButton", {336, 384, 81, 33}, QStringLiteral("В&ыход"), 0);
        row("lblResult", "QLabel", {208, 120, 161, 97}, {}, left);
        row("lblCheck", "QLabel", {160, 48, 257, 33}, QStringLiteral("y=ax^2+bx+c"), centre);
        row("lblWelcome3", "QLabel", {160, 344, 265, 33},
            QStringLiteral("Вопросы и советы по улучшению программы присылайте на "
                           "zorvan@paravel.ru."),
            left);
        row("lblWelcome2", "QLabel", {160, 200, 265, 49}, {}, left);
        row("lblWelcome1", "QLabel", {160, 48, 265, 105},
            QStringLiteral("Спасибо за использование \"Paravel\", созданного Zorvan. Я надеюсь, "
                           "что эта программа поможет вам в непростом ремесле ученика "
                           "математики."),
            left);
        row("lblWelcome", "QLabel", {160, 0, 265, 33}, QStringLiteral("Добро пожаловать!"), centre);
        row("imgBackground", "QLabel", {0, 0, 153, 422}, {}, -1);
    }

    void controls() const
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, rect);
        QFETCH(QString, text);
        QFETCH(int, alignment);
        auto *widget = f.window->findChild<QWidget *>(name);
        QVERIFY(widget);
        QVERIFY2(widget->inherits(qPrintable(kind)), widget->metaObject()->className());
        QCOMPARE(widget->parentWidget(), f.window.get());
        QCOMPARE(widget->geometry(), rect);
        if (auto *button = qobject_cast<QPushButton *>(widget)) {
            QCOMPARE(button->text(), text);
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            QCOMPARE(edit->text(), text);
            QCOMPARE(int(edit->alignment()), alignment);
            QCOMPARE(edit->focusPolicy(), Qt::NoFocus);
        } else if (alignment >= 0) {
            auto *label = qobject_cast<QLabel *>(widget);
            QCOMPARE(label->text(), text);
            QCOMPARE(int(label->alignment()), alignment);
            QVERIFY(label->wordWrap());
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        const bool heading = name == u"lblWelcome" || name == u"lblCheck";
        QCOMPARE(widget->font().pointSizeF(), heading ? 13.5 : 8.25);
    }

    // Every text must fit its box in the font it is drawn with, or the label clips it.
    void textsFit_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"lblWelcome", "lblWelcome1", "lblWelcome2", "lblWelcome3",
                                 "lblCheck", "cmdNext1", "cmdBack1", "cmdExit"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void textsFit() const
    {
        QFETCH(QString, name);
        auto *widget = f.window->findChild<QWidget *>(name);
        QVERIFY(widget);
        const QFontMetrics metrics(widget->font());
        QString text;
        int flags = Qt::TextWordWrap;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            text = label->text();
        } else {
            text = qobject_cast<QPushButton *>(widget)->text().remove(u'&');
            flags = Qt::TextSingleLine;
        }
        const QRect box(0, 0, widget->width(), widget->height());
        const QRect needed = metrics.boundingRect(box, flags, text);
        QVERIFY2(needed.width() <= box.width() && needed.height() <= box.height(),
                 qPrintable(QStringLiteral("%1 needs %2x%3")
                                .arg(name)
                                .arg(needed.width())
                                .arg(needed.height())));
    }

    void pages_data() { addPathRows(); }

    void pages()
    {
        QFETCH(QStringList, path);
        QFETCH(Page, page);
        walk(path);
        verifyPage(page);
        QVERIFY(!f.dialogs.ended);
    }

    // Only the one visible button of a stack gets the click, and only when it is enabled.
    void clickOnStacks()
    {
        const auto clickAt = [this](QPoint point) {
            QWidget *target = f.window->childAt(point);
            QVERIFY(target);
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(f.window.get(), point));
        };
        const QPoint nextPoint(288, 400);
        const QPoint backPoint(200, 400);
        f.dialogs.defaultText = QStringLiteral("1");
        f.dialogs.defaultAnswer = No;
        clickAt(nextPoint);
        verifyPage(Page::A);
        clickAt(nextPoint);
        clickAt(nextPoint);
        verifyPage(Page::C);
        clickAt(backPoint);
        verifyPage(Page::B);
        clickAt(nextPoint);
        clickAt(nextPoint);
        verifyPage(Page::Result);
        const qsizetype asked = f.dialogs.calls.size();
        clickAt(nextPoint);
        clickAt(backPoint);
        verifyPage(Page::Result);
        QCOMPARE(f.dialogs.calls.size(), asked);
    }

    void exitFromEveryPage_data() { addPathRows(); }

    void exitFromEveryPage()
    {
        QFETCH(QStringList, path);
        walk(path);
        const qsizetype asked = f.dialogs.calls.size();
        f.click("cmdExit");
        QVERIFY(f.dialogs.ended);
        QCOMPARE(f.dialogs.calls.size(), asked + 1);
    }

    void altYeryFromEveryPage_data() { addPathRows(); }

    void altYeryFromEveryPage()
    {
        QFETCH(QStringList, path);
        walk(path);
        QVERIFY(!f.dialogs.ended);
        sendAltYery(QApplication::focusWidget() ? QApplication::focusWidget() : f.window.get());
        // An access key presses the button visibly, so the click comes about 100 ms later; a
        // second is plenty, and a missing click fails at once instead of after QTRY's 5 s.
        QTRY_VERIFY_WITH_TIMEOUT(f.dialogs.ended, 1000);
    }

    void focusAtStart() { QCOMPARE(QApplication::focusWidget(), f.button("cmdExit")); }

    // Enter goes on: each page opens with the focus on its Next button; on the result page,
    // where nothing else acts, it is on Exit.
    void focusOnEveryPage_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("focus");
        QTest::newRow("start") << QStringList() << "cmdExit";
        QTest::newRow("A") << QStringList{"cmdNext1"} << "cmdNext2";
        QTest::newRow("A back") << QStringList{"cmdNext1", "cmdBack1"} << "cmdNext1";
        QTest::newRow("B") << QStringList{"cmdNext1", "cmdNext2"} << "cmdNext3";
        QTest::newRow("B back") << QStringList{"cmdNext1", "cmdNext2", "cmdBack2"} << "cmdNext2";
        QTest::newRow("C") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3"} << "cmdNext4";
        QTest::newRow("C back") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdBack3"}
                                << "cmdNext3";
        QTest::newRow("result") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdNext4"}
                                << "cmdExit";
    }

    void focusOnEveryPage()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, focus);
        walk(path);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    // Enter alone walks from the welcome page to the result page.
    void enterWalksThrough()
    {
        f.dialogs.defaultText = QStringLiteral("1");
        f.dialogs.defaultAnswer = No;
        f.button("cmdNext1")->setFocus();
        for (int page = 0; page < 4; ++page)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        verifyPage(Page::Result);
        QVERIFY(!f.dialogs.ended);
    }

    void tabOrder_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QStringList>("cycle");
        QTest::newRow("welcome") << QStringList() << QStringList{"cmdNext1", "cmdExit"};
        QTest::newRow("A") << QStringList{"cmdNext1"}
                           << QStringList{"cmdNext2", "cmdBack1", "cmdExit"};
        QTest::newRow("B") << QStringList{"cmdNext1", "cmdNext2"}
                           << QStringList{"cmdNext3", "cmdBack2", "cmdExit"};
        QTest::newRow("C") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3"}
                           << QStringList{"cmdNext4", "cmdBack3", "cmdExit"};
        QTest::newRow("result") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdNext4"}
                                << QStringList{"cmdExit", "cmdExit"};
    }

    void tabOrder()
    {
        QFETCH(QStringList, path);
        QFETCH(QStringList, cycle);
        walk(path);
        f.button("cmdExit")->setFocus();
        for (const QString &name : cycle) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void keysPressFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void keysPressFocusedButton()
    {
        QFETCH(int, key);
        f.dialogs.defaultText = QStringLiteral("1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.button("cmdNext1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        verifyPage(Page::A);
        QVERIFY(!f.dialogs.ended);
        // Right after start the focus is on Exit, so the same key ends the program.
        f.create();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(f.dialogs.ended);
    }

    // While a box is open nothing in the window acts, whatever presses its buttons: assistive
    // technology through a button's action, or click() from code. The buttons say that they
    // cannot be pressed, do not even look pressed, and say so no longer once the box is
    // answered.
    void pressesBehindABox_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("box");
        const QStringList toB{"cmdNext1", "cmdNext2"};
        QTest::newRow("input box") << QStringList{"cmdNext1"} << QStringList{"2"}
                                   << wizard::texts::PromptA.toString();
        QTest::newRow("Yes/No, critical") << QStringList{"cmdNext1"} << QStringList{"0", "#7", "#1", "2"}
                                          << wizard::texts::QuitOnZeroA.toString();
        QTest::newRow("notice") << toB << QStringList{"2", "0", "#1", "#6"}
                                << wizard::texts::ZeroNotice.toString();
        QTest::newRow("Yes/No/Cancel") << toB << QStringList{"2", "0", "#1", "#6"}
                                       << wizard::texts::KeepZeroB.toString();
        QTest::newRow("Yes/No, result page")
            << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdNext4"}
            << QStringList{"1", "-3", "2", "#7"} << wizard::texts::Another.toString();
    }

    void pressesBehindABox()
    {
        QFETCH(QStringList, path);
        QFETCH(QStringList, answers);
        QFETCH(QString, box);
        f.dialogs.script(answers);
        QString before;
        QString after;
        QStringList pressed;
        QStringList unavailable;
        QStringList lookPressed;
        f.dialogs.meanwhile = [&](const ScriptedDialogs::Call &call) {
            if (call.prompt != box || !before.isEmpty())
                return;
            before = state();
            for (QPushButton *button : f.window->findChildren<QPushButton *>()) {
                if (!button->isVisibleTo(f.window.get()))
                    continue;
                QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
                if (accessible->state().disabled)
                    unavailable << button->objectName();
                accessible->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
                if (button->isDown())
                    lookPressed << button->objectName();
                button->click();
                pressed << button->objectName();
            }
            QTest::qWait(300); // a press through the action comes as a click 100 ms later
            after = state();
        };
        for (const QString &step : path)
            f.click(qPrintable(step));
        QVERIFY2(!before.isEmpty(), "the box did not open");
        QCOMPARE(after, before);
        QCOMPARE(unavailable, pressed);
        QCOMPARE(lookPressed, QStringList());
        QCOMPARE(f.dialogs.pending(), std::size_t(0));
        QCOMPARE(f.dialogs.faults, 0);
        for (QPushButton *button : f.window->findChildren<QPushButton *>()) {
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->state().disabled,
                     !button->isEnabled());
        }
    }

    void textBoxNeverTakesFocus()
    {
        walk({"cmdNext1"});
        auto *text = f.control("txtCheck");
        QTest::mouseClick(text, Qt::LeftButton);
        QVERIFY(!text->hasFocus());
    }

    void closeBoxEndsProgram()
    {
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QTimer::singleShot(0, f.window.get(), [this] { f.window->close(); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        watchdog.callOnTimeout(qApp, [] { QApplication::exit(1); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
