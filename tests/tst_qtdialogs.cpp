// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs, answered the way a user would from a timer while they are open.

#include "dialoghands.h"
#include "platform/qtdialogs.h"
#include "platform/toolkittexts.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <functional>

using namespace platform;

namespace {

struct Seen
{
    QString title;
    QString text;
    QStringList buttons;
    int icon = -1;
    QString field;
};

QStringList buttonTexts(const QWidget *dialog)
{
    QStringList texts;
    const auto buttons = dialog->findChildren<QPushButton *>();
    for (const QPushButton *button : buttons)
        texts.append(button->text());
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Answers a dialog: a button's caption, "type:TEXT" then OK, "escape", "enter" or "close";
// "type:TEXT then ACTION" types into the field and answers with ACTION.
void act(QWidget *dialog, const QString &action)
{
    const qsizetype then = action.indexOf(u" then ");
    if (then >= 0) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>(), action.mid(5, then - 5));
        act(dialog, action.mid(then + 6));
    } else if (action == u"escape") {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else if (action == u"enter") {
        QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Return);
    } else if (action == u"close") {
        dialog->close();
    } else if (action.startsWith(u"type:")) {
        typeAndAccept(dialog, action.mid(5));
    } else if (QPushButton *button = buttonWithText(dialog, action)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        qWarning("no button %s", qPrintable(action));
        dialog->close();
    }
}

} // namespace

class tst_QtDialogs : public QObject
{
    Q_OBJECT

    QWidget m_window;
    QtDialogs m_dialogs;
    QTimer m_poll;
    QTimer m_watchdog;
    bool m_stray = false;
    std::function<void(QWidget *)> m_answer;

    // Once the next modal dialog is up, look at it and answer it.
    void whenShown(const QString &action, Seen &seen)
    {
        m_answer = [action, &seen](QWidget *dialog) {
            seen.title = dialog->windowTitle();
            seen.buttons = buttonTexts(dialog);
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                seen.text = box->text();
                seen.icon = box->icon();
            } else if (auto *input = qobject_cast<QInputDialog *>(dialog)) {
                seen.text = input->labelText();
                seen.field = input->findChild<QLineEdit *>()->text();
            }
            act(dialog, action);
        };
        m_poll.start();
    }

private slots:
    void initTestCase()
    {
        m_window.resize(425, 424);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        m_dialogs.attach(&m_window);

        m_poll.setInterval(10);
        m_poll.callOnTimeout(this, [this] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible())
                return;
            m_poll.stop();
            m_answer(dialog);
        });
        // A dialog nobody answers fails the test instead of hanging it, and so does every one
        // after it.
        m_watchdog.setInterval(10000);
        m_watchdog.callOnTimeout(this, [this] {
            m_stray = true;
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<QDialog *>(widget); dialog && dialog->isVisible())
                    dialog->reject();
            }
        });
    }

    void init()
    {
        m_stray = false;
        m_watchdog.start();
    }

    void cleanup()
    {
        m_watchdog.stop();
        m_poll.stop();
        QVERIFY2(!m_stray, "a dialog was left open");
    }

    void messageBox_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("seenTitle");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("icon");

        const QStringList ok{QStringLiteral("ОК")};
        const QStringList yesNo{QStringLiteral("Да"), QStringLiteral("Нет")};
        const QStringList yesNoCancel{QStringLiteral("Да"), QStringLiteral("Нет"),
                                      QStringLiteral("Отмена")};
        const QString app = QStringLiteral("Vertex2");
        const QString error = QStringLiteral("Ошибка");
        const QString question = QStringLiteral("Вопрос");
        const int none = QMessageBox::NoIcon;
        const int critical = QMessageBox::Critical;

        QTest::newRow("0 OK") << 0 << QString() << "ОК" << 1 << app << ok << none;
        QTest::newRow("0 escape") << 0 << QString() << "escape" << 1 << app << ok << none;
        QTest::newRow("0 close") << 0 << QString() << "close" << 1 << app << ok << none;
        // Enter presses the first button: on the keep-zero question, the last would end the
        // program.
        QTest::newRow("0 enter") << 0 << QString() << "enter" << 1 << app << ok << none;
        QTest::newRow("3 enter") << 3 << question << "enter" << 6 << question << yesNoCancel
                                 << none;
        QTest::newRow("4 enter") << 4 << QString() << "enter" << 6 << app << yesNo << none;
        QTest::newRow("20 enter") << 20 << error << "enter" << 6 << error << yesNo << critical;
        QTest::newRow("3 yes") << 3 << question << "Да" << 6 << question << yesNoCancel << none;
        QTest::newRow("3 no") << 3 << question << "Нет" << 7 << question << yesNoCancel << none;
        QTest::newRow("3 cancel") << 3 << question << "Отмена" << 2 << question << yesNoCancel
                                  << none;
        QTest::newRow("3 escape") << 3 << question << "escape" << 2 << question << yesNoCancel
                                  << none;
        QTest::newRow("3 close") << 3 << question << "close" << 2 << question << yesNoCancel
                                 << none;
        QTest::newRow("4 yes") << 4 << QString() << "Да" << 6 << app << yesNo << none;
        QTest::newRow("4 no") << 4 << QString() << "Нет" << 7 << app << yesNo << none;
        QTest::newRow("4 escape") << 4 << QString() << "escape" << 7 << app << yesNo << none;
        QTest::newRow("4 close") << 4 << QString() << "close" << 7 << app << yesNo << none;
        QTest::newRow("20 yes") << 20 << error << "Да" << 6 << error << yesNo << critical;
        QTest::newRow("20 no") << 20 << error << "Нет" << 7 << error << yesNo << critical;
        QTest::newRow("20 escape") << 20 << error << "escape" << 7 << error << yesNo << critical;
        QTest::newRow("20 close") << 20 << error << "close" << 7 << error << yesNo << critical;
    }

    void messageBox()
    {
        QFETCH(int, style);
        QFETCH(QString, title);
        QFETCH(QString, action);
        QFETCH(int, code);
        QFETCH(QString, seenTitle);
        QFETCH(QStringList, buttons);
        QFETCH(int, icon);

        const QString prompt = QStringLiteral("Хотите решить другое уравнение?");
        Seen seen;
        whenShown(action, seen);
        QCOMPARE(int(m_dialogs.messageBox(prompt, wizard::Style(style), title)), code);
        QCOMPARE(seen.title, seenTitle);
        QCOMPARE(seen.text, prompt);
        QCOMPARE(seen.buttons, buttons);
        QCOMPARE(seen.icon, icon);
    }

    void inputBox_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("result");
        QTest::newRow("typed, OK") << "type:-1.5e2"
                                   << "-1.5e2";
        QTest::newRow("empty, OK") << "ОК"
                                   << "";
        QTest::newRow("Cancel") << "Отмена"
                                << "";
        QTest::newRow("escape") << "escape"
                                << "";
        QTest::newRow("close") << "close"
                               << "";
        // What was typed is dropped unless the user accepts it.
        QTest::newRow("typed, enter") << "type:-1.5e2 then enter"
                                      << "-1.5e2";
        QTest::newRow("typed, Cancel") << "type:-1.5e2 then Отмена"
                                       << "";
        QTest::newRow("typed, escape") << "type:-1.5e2 then escape"
                                       << "";
        QTest::newRow("typed, close") << "type:-1.5e2 then close"
                                      << "";
    }

    void inputBox()
    {
        QFETCH(QString, action);
        QFETCH(QString, result);
        const QString prompt = QStringLiteral("Введите значение коэффициента А");
        Seen seen;
        whenShown(action, seen);
        const QString text = m_dialogs.inputBox(prompt);
        QCOMPARE(text, result);
        QCOMPARE(seen.title, u"Vertex2");
        QCOMPARE(seen.text, prompt);
        QCOMPARE(seen.field, u"");
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("ОК"), QStringLiteral("Отмена")}));
    }

    // The input field's own menu speaks Russian too.
    void toolkitTexts()
    {
        QTranslator translator;
        QVERIFY(platform::loadRussianToolkitTexts(translator));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCOMPARE(QLineEdit::tr("Select All"), u"Выделить всё");
        QCOMPARE(QLineEdit::tr("&Paste"), u"В&ставить");
    }

    // Runs last: it closes the window and stops the event loop. From then on no dialog opens;
    // each answers at once, as closed.
    void end()
    {
        QTimer::singleShot(0, this, [this] { m_dialogs.end(); });
        QTimer endless;
        endless.callOnTimeout([] { QApplication::exit(1); });
        endless.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        endless.stop(); // a dialog that opens now stays open until the watchdog closes it
        QVERIFY(!m_window.isVisible());
        QVERIFY(m_dialogs.ending());
        const QString prompt = QStringLiteral("Хотите решить другое уравнение?");
        QCOMPARE(m_dialogs.messageBox(prompt, wizard::Style::YesNoCancel), wizard::Answer::Cancel);
        QCOMPARE(m_dialogs.messageBox(prompt, wizard::Style::YesNo), wizard::Answer::No);
        QCOMPARE(m_dialogs.inputBox(prompt), QString());
    }
};

QTEST_MAIN(tst_QtDialogs)
#include "tst_qtdialogs.moc"
