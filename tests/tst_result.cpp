// SPDX-License-Identifier: GPL-3.0-or-later
// The result page: the verdict for the typed coefficients and the offer of another equation.

#include "windowfixture.h"

using wizard::Answer::No;
using wizard::Answer::Yes;

namespace {

// "х1=" starts with the Cyrillic х; " x2=" and "x=" have the Latin x.
QString twoRoots(const char *x1, const char *x2)
{
    return QStringLiteral("Дискриминант больше нуля, \u04451=%1 x2=%2")
        .arg(QLatin1StringView(x1), QLatin1StringView(x2));
}

QString oneRoot(const char *x)
{
    return QStringLiteral("Дискриминант равен нулю, x=%1").arg(QLatin1StringView(x));
}

const QString NoRoots = QStringLiteral("Дискриминант меньше нуля, корней нет");
const QString Overflow = QStringLiteral("Переполнение: числа слишком велики для вычисления.");

} // namespace

class tst_Result : public QObject
{
    Q_OBJECT

    WindowFixture f;

    // Types the answers in order ("#N" answers a message box) and goes to the result page.
    void solve(const QStringList &answers)
    {
        f.dialogs.script(answers);
        for (const char *name : {"cmdNext1", "cmdNext2", "cmdNext3", "cmdNext4"})
            f.click(name);
    }

    void verifyResultPageStays()
    {
        QVERIFY(f.control("lblResult")->isVisible());
        for (const char *name : {"cmdNext1", "cmdBack3"}) {
            QVERIFY(f.button(name)->isVisible());
            QVERIFY(!f.button(name)->isEnabled());
        }
        for (const char *name : {"cmdNext2", "cmdNext3", "cmdNext4", "cmdBack1", "cmdBack2",
                                 "lblCheck", "txtCheck", "lblWelcome", "lblWelcome1"})
            QVERIFY2(!f.control(name)->isVisible(), name);
    }

private slots:
    void init() { f.create(); }

    void verdicts_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char *name, const QStringList &answers, const QString &caption) {
            QTest::newRow(name) << (answers + QStringList{"#7"}) << caption;
        };
        row("1 -3 2", {"1", "-3", "2"}, twoRoots(" 2", " 1"));
        row("2 -3 -2", {"2", "-3", "-2"}, twoRoots(" 2", "-.5"));
        row("1 2 1", {"1", "2", "1"}, oneRoot("-1"));
        row("1 0 1", {"1", "0", "#1", "#6", "1"}, NoRoots);
        row("2 1 -1", {"2", "1", "-1"}, twoRoots(" .5", "-1"));
        row("1 0 -2", {"1", "0", "#1", "#6", "-2"},
            twoRoots(" 1.4142135623731", "-1.4142135623731"));
        row("-1 0 4: x1 the smaller", {"-1", "0", "#1", "#6", "4"}, twoRoots("-2", " 2"));
        row("2 0 0", {"2", "0", "#1", "#6", "0", "#1", "#6"}, oneRoot(" 0"));
        row("1 2 0", {"1", "2", "0", "#1", "#6"}, twoRoots(" 0", "-2"));
        row("1 1000 1", {"1", "1000", "1"}, twoRoots("-.001000001000002", "-999.998999999"));
        row("1 1E8 1", {"1", "1E8", "1"}, twoRoots("-1E-08", "-100000000"));
        // Decimals with no exact binary value: the sign of D is decided for the decimals typed.
        row("0.2 1.2 1.8", {"0.2", "1.2", "1.8"}, oneRoot("-3"));
        row("1 0.2 0.01", {"1", "0.2", "0.01"}, oneRoot("-.1"));
        row("0.01 -0.58 8.41", {"0.01", "-0.58", "8.41"}, oneRoot(" 29"));
        // Only a root beyond the range of a double overflows; D and 4AC may.
        row("D beyond range", {"1", "1E200", "1"}, twoRoots("-1E-200", "-1E+200"));
        // D = 1E-400 is below the smallest double, which makes it 0, and yet D > 0.
        row("D below range", {"1", "1E-200", "0", "#1", "#6"}, twoRoots(" 0", "-1E-200"));
        row("4AC beyond range", {"1E300", "0", "#1", "#6", "1E300"}, NoRoots);
        row("root beyond range", {"1E-310", "1", "1"}, Overflow);
        row("first root beyond range", {"1E-10", "-1E300", "1"}, Overflow);
        // D = 4E-30 − 4E-30 = 0 exactly, and x = 2E+308.
        row("single root beyond range", {"5E-324", "-2E-15", "2E293"}, Overflow);
        row("largest coefficients",
            {"1.7976931348623157E308", "-1.7976931348623157E308", "-1.7976931348623157E308"},
            twoRoots(" 1.61803398874989", "-.618033988749895"));
    }

    void verdicts()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, caption);
        solve(answers);
        QCOMPARE(f.caption("lblResult"), caption);
        QCOMPARE(f.dialogs.faults, 0);
        QCOMPARE(f.dialogs.pending(), std::size_t(0));
        const ScriptedDialogs::Call last = f.dialogs.calls.last();
        QCOMPARE(last.kind, ScriptedDialogs::Kind::Message);
        QCOMPARE(last.prompt, u"Хотите решить другое уравнение?");
        QCOMPARE(last.style, 4);
        QCOMPARE(last.title, u"");
        QCOMPARE(f.window->values().answer, No);
        verifyResultPageStays();
        QCOMPARE(f.control("lblResult")->geometry(), QRect(208, 120, 161, 97));
    }

    // Yes starts over at the A page; B and C keep their old values until asked again, and so
    // do the roots when the new equation has none.
    void anotherEquation()
    {
        solve({"1", "-3", "2", "#6", "5"});
        QVERIFY(f.control("cmdNext2")->isVisible());
        QVERIFY(f.button("cmdBack1")->isEnabled());
        QCOMPARE(f.preview(), u" 5x^2+bx+c=0");
        wizard::frm1::Values held = f.window->values();
        QCOMPARE(held.A, 5.0);
        QCOMPARE(held.B, -3.0);
        QCOMPARE(held.C, 2.0);
        QCOMPARE(held.x1, 2.0);
        QCOMPARE(held.x2, 1.0);

        f.dialogs.type("0").answer(1).answer(Yes).type("1").answer(No);
        f.click("cmdNext2");
        f.click("cmdNext3");
        f.click("cmdNext4");
        QCOMPARE(f.caption("lblResult"), NoRoots);
        held = f.window->values();
        QCOMPARE(held.D, -20.0);
        QCOMPARE(held.x1, 2.0);
        QCOMPARE(held.x2, 1.0);
        QCOMPARE(f.dialogs.faults, 0);
        QVERIFY(!f.dialogs.ended);
    }

    // On the result page the stacks' buttons show but do nothing.
    void onlyExitActs()
    {
        solve({"1", "-3", "2", "#7"});
        const qsizetype asked = f.dialogs.calls.size();
        f.click("cmdNext1");
        f.click("cmdBack3");
        QCOMPARE(f.dialogs.calls.size(), asked);
        verifyResultPageStays();
        f.click("cmdExit");
        QVERIFY(f.dialogs.ended);
    }

    // Quitting from the A question of another equation ends the program with nothing after it.
    void quitAfterAnother()
    {
        solve({"1", "-3", "2", "#6", "", "#6"});
        QVERIFY(f.dialogs.ended);
        QCOMPARE(f.dialogs.calls.last().kind, ScriptedDialogs::Kind::End);
        QCOMPARE(f.dialogs.faults, 0);
    }
};

QTEST_MAIN(tst_Result)
#include "tst_result.moc"
