// SPDX-License-Identifier: GPL-3.0-or-later
// Typing the coefficients: every branch of the A, B and C stages, with the exact questions.

#include "windowfixture.h"

#include <QApplication>

namespace {

using Kind = ScriptedDialogs::Kind;

// What the user is asked, by a short name.
ScriptedDialogs::Call expected(const QString &name)
{
    const auto input = [](const char *prompt) {
        return ScriptedDialogs::Call{Kind::Input, QString::fromUtf8(prompt), 0, {}};
    };
    const auto message = [](int style, const char *title, const char *text) {
        return ScriptedDialogs::Call{Kind::Message, QString::fromUtf8(text), style,
                                     QString::fromUtf8(title)};
    };
    const char *zero = "Вы ввели ноль, буквы, нажали отмену или ничего не ввели.";
    if (name == u"A?")
        return input("Введите значение коэффициента \u0410");
    if (name == u"B?")
        return input("Введите значение коэффициента \u0412");
    if (name == u"C?")
        return input("Введите значение коэффициента C");
    if (name == u"quit?")
        return message(20, "Ошибка",
                       "Вы ввели ноль, буквы, ничего не ввели или нажали отмену. Хотите выйти?");
    if (name == u"againA")
        return message(0, "", "Тогда введите значение A снова");
    if (name == u"zero")
        return message(0, "", zero);
    if (name == u"keepB")
        return message(3, "Вопрос",
                       "Программа расценивает это как \u0412=0. Оставить?(Нажмите Да для "
                       "поттверждения, Нет для введения нового значения \u0412, Отмену для "
                       "выхода)");
    if (name == u"keepB<")
        return message(3, "Вопрос",
                       "Программа расценивает это как \u0412=0. Оставить?(Нажмите Yes для "
                       "поттверждения, No для введения нового значения \u0412, Cancel для "
                       "выхода)");
    if (name == u"keepC")
        return message(3, "Вопрос",
                       "Программа расценивает это как C=0. Оставить?(Нажмите Да для "
                       "поттверждения, Нет для введения нового значения C, Отмену для выхода)");
    if (name == u"big")
        return message(0, "", "Число слишком велико. Введите другое значение.");
    if (name == u"end")
        return {Kind::End, {}, 0, {}};
    qFatal("unknown dialog %s", qPrintable(name));
}

QString describe(const ScriptedDialogs::Call &call)
{
    switch (call.kind) {
    case Kind::Input:
        return QStringLiteral("input '%1'").arg(call.prompt);
    case Kind::Message:
        return QStringLiteral("message %1 '%2' '%3'").arg(call.style).arg(call.title, call.prompt);
    case Kind::End:
        return QStringLiteral("end");
    }
    return {};
}

} // namespace

class tst_Entry : public QObject
{
    Q_OBJECT

    WindowFixture f;

private slots:
    void init() { f.create(); }

    void flows_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("answers"); // typed texts; "#N" answers a message box
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QList<double>>("values"); // A, B, C
        QTest::addColumn<bool>("ended");

        const QStringList toA{"cmdNext1"};
        const QStringList toB{"cmdNext1", "cmdNext2"};
        const QStringList toC{"cmdNext1", "cmdNext2", "cmdNext3"};

        QTest::newRow("A typed") << toA << QStringList{"2"} << QStringList{"A?"} << " 2x^2+bx+c=0"
                                 << QList<double>{2, 0, 0} << false;
        QTest::newRow("A 2,5") << toA << QStringList{"2,5"} << QStringList{"A?"} << " 2x^2+bx+c=0"
                               << QList<double>{2, 0, 0} << false;
        QTest::newRow("A hex") << toA << QStringList{"&H10"} << QStringList{"A?"} << " 16x^2+bx+c=0"
                               << QList<double>{16, 0, 0} << false;
        QTest::newRow("A cancel, quit")
            << toA << QStringList{"", "#6"} << QStringList{"A?", "quit?", "end"} << ""
            << QList<double>{0, 0, 0} << true;
        QTest::newRow("A cancel, no, again") << toA << QStringList{"", "#7", "#1", "-3"}
                                             << QStringList{"A?", "quit?", "againA", "A?"}
                                             << "-3x^2+bx+c=0" << QList<double>{-3, 0, 0} << false;
        QTest::newRow("A zero, no, letters, quit")
            << toA << QStringList{"0", "#7", "#1", "abc", "#6"}
            << QStringList{"A?", "quit?", "againA", "A?", "quit?", "end"} << ""
            << QList<double>{0, 0, 0} << true;
        QTest::newRow("A too large") << toA << QStringList{"1e400", "#1", "-1e400", "#1", ".5"}
                                     << QStringList{"A?", "big", "A?", "big", "A?"}
                                     << " .5x^2+bx+c=0" << QList<double>{0.5, 0, 0} << false;
        QTest::newRow("A hex too wide")
            << toA << QStringList{"&H10000000000000000", "#1", "1"}
            << QStringList{"A?", "big", "A?"} << " 1x^2+bx+c=0" << QList<double>{1, 0, 0} << false;

        QTest::newRow("B positive") << toB << QStringList{"1", "3"} << QStringList{"A?", "B?"}
                                    << " 1x^2+ 3x+c=0" << QList<double>{1, 3, 0} << false;
        QTest::newRow("B negative") << toB << QStringList{"1", "-3"} << QStringList{"A?", "B?"}
                                    << " 1x^2-3x+c=0" << QList<double>{1, -3, 0} << false;
        QTest::newRow("B zero kept")
            << toB << QStringList{"1", "0", "#1", "#6"} << QStringList{"A?", "B?", "zero", "keepB"}
            << " 1x^2+c=0" << QList<double>{1, 0, 0} << false;
        QTest::newRow("B letters, no, again") << toB << QStringList{"1", "b", "#1", "#7", "4"}
                                              << QStringList{"A?", "B?", "zero", "keepB", "B?"}
                                              << " 1x^2+ 4x+c=0" << QList<double>{1, 4, 0} << false;
        QTest::newRow("B cancel, cancel") << toB << QStringList{"1", "", "#1", "#2"}
                                          << QStringList{"A?", "B?", "zero", "keepB", "end"}
                                          << " 1x^2+bx+c=0" << QList<double>{1, 0, 0} << true;
        QTest::newRow("B too large")
            << toB << QStringList{"1", "9e999", "#1", "2"} << QStringList{"A?", "B?", "big", "B?"}
            << " 1x^2+ 2x+c=0" << QList<double>{1, 2, 0} << false;

        QTest::newRow("C positive")
            << toC << QStringList{"1", "-3", "2"} << QStringList{"A?", "B?", "C?"}
            << " 1x^2-3x+ 2=0" << QList<double>{1, -3, 2} << false;
        QTest::newRow("C zero kept") << toC << QStringList{"1", "2", "0", "#1", "#6"}
                                     << QStringList{"A?", "B?", "C?", "zero", "keepC"}
                                     << " 1x^2+ 2x=0" << QList<double>{1, 2, 0} << false;
        QTest::newRow("C zero, no, again")
            << toC << QStringList{"2", "0", "#1", "#6", "0", "#1", "#7", "-8"}
            << QStringList{"A?", "B?", "zero", "keepB", "C?", "zero", "keepC", "C?"} << " 2x^2-8=0"
            << QList<double>{2, 0, -8} << false;
        QTest::newRow("C cancel") << toC << QStringList{"1", "2", "", "#1", "#2"}
                                  << QStringList{"A?", "B?", "C?", "zero", "keepC", "end"}
                                  << " 1x^2+ 2x+c=0" << QList<double>{1, 2, 0} << true;

        QTest::newRow("back from B asks A again")
            << QStringList{"cmdNext1", "cmdNext2", "cmdBack2"} << QStringList{"1", "2", "5"}
            << QStringList{"A?", "B?", "A?"} << " 5x^2+bx+c=0" << QList<double>{5, 2, 0} << false;
        QTest::newRow("back from C asks B again")
            << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdBack3"}
            << QStringList{"1", "2", "3", "-4"} << QStringList{"A?", "B?", "C?", "B?"}
            << " 1x^2-4x+c=0" << QList<double>{1, -4, 3} << false;
        QTest::newRow("back from C, zero B, the other wording")
            << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdBack3"}
            << QStringList{"1", "2", "3", "0", "#1", "#7", "0", "#1", "#6"}
            << QStringList{"A?", "B?", "C?", "B?", "zero", "keepB<", "B?", "zero", "keepB<"}
            << " 1x^2+c=0" << QList<double>{1, 0, 3} << false;
        QTest::newRow("back from C, cancel")
            << QStringList{"cmdNext1", "cmdNext2", "cmdNext3", "cmdBack3"}
            << QStringList{"1", "2", "3", "", "#1", "#2"}
            << QStringList{"A?", "B?", "C?", "B?", "zero", "keepB<", "end"} << " 1x^2+ 2x+ 3=0"
            << QList<double>{1, 0, 3} << true;
    }

    void flows()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, asked);
        QFETCH(QString, preview);
        QFETCH(QList<double>, values);
        QFETCH(bool, ended);

        f.dialogs.script(answers);
        for (const QString &name : clicks) {
            if (f.dialogs.ended)
                break;
            f.click(qPrintable(name));
        }

        QStringList seen, wanted;
        for (const auto &call : f.dialogs.calls)
            seen.append(describe(call));
        for (const QString &name : asked)
            wanted.append(describe(expected(name)));
        QCOMPARE(seen, wanted);
        QCOMPARE(f.dialogs.faults, 0);
        QCOMPARE(f.dialogs.pending(), std::size_t(0));
        QCOMPARE(f.dialogs.ended, ended);
        QCOMPARE(f.preview(), preview);
        const wizard::frm1::Values held = f.window->values();
        QCOMPARE((QList<double>{held.A, held.B, held.C}), values);
    }

    // A zero A reopens the A page before it asks again.
    void zeroAReopensPage()
    {
        f.dialogs.type("").answer(wizard::Answer::No).answer(wizard::Answer::Ok).type("1");
        f.click("cmdNext1");
        QVERIFY(f.control("cmdNext2")->isVisible());
        QVERIFY(f.control("cmdBack1")->isEnabled());
        QVERIFY(!f.control("cmdNext1")->isVisible());
        QCOMPARE(f.window->values().answer, wizard::Answer::No);
    }

    // Each stage is a loop: a hundred thousand refusals in a row do not grow the stack.
    void manyRefusals_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("round");
        QTest::newRow("A") << QStringList{"cmdNext1"} << QStringList{"", "#7", "#1"};
        QTest::newRow("B") << QStringList{"cmdNext1", "cmdNext2"} << QStringList{"0", "#1", "#7"};
        QTest::newRow("C") << QStringList{"cmdNext1", "cmdNext2", "cmdNext3"}
                           << QStringList{"x", "#1", "#7"};
        QTest::newRow("too large") << QStringList{"cmdNext1"} << QStringList{"1e999", "#1"};
    }

    void manyRefusals()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, round);
        constexpr int rounds = 100000;
        for (int i = 1; i < clicks.size(); ++i)
            f.dialogs.type("1");
        for (int i = 0; i < rounds; ++i)
            f.dialogs.script(round);
        f.dialogs.type("7");
        for (const QString &name : clicks)
            f.click(qPrintable(name));
        QCOMPARE(f.dialogs.faults, 0);
        QCOMPARE(f.dialogs.pending(), std::size_t(0));
        QCOMPARE(f.dialogs.calls.size(), qsizetype(clicks.size() + rounds * round.size()));
        QVERIFY(f.preview().contains(u'7'));
    }
};

QTEST_MAIN(tst_Entry)
#include "tst_entry.moc"
