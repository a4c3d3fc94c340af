// SPDX-License-Identifier: GPL-3.0-or-later
// The equation shown while the coefficients are typed.

#include "wizard/preview.h"

#include <QTest>

class tst_Preview : public QObject
{
    Q_OBJECT

private slots:
    void preview_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("c");
        QTest::addColumn<QByteArray>("text");
        const auto row = [](const char *name, int stage, double a, double b, double c,
                            const char *text) {
            QTest::newRow(name) << stage << a << b << c << QByteArray(text);
        };
        row("A 1", 1, 1, 0, 0, " 1x^2+bx+c=0");
        row("A -2", 1, -2, 0, 0, "-2x^2+bx+c=0");
        row("A .5", 1, 0.5, 0, 0, " .5x^2+bx+c=0");
        row("A huge", 1, 1e300, 0, 0, " 1E+300x^2+bx+c=0");

        row("B > 0", 2, 1, 3, 0, " 1x^2+ 3x+c=0");
        row("B < 0", 2, 1, -3, 0, " 1x^2-3x+c=0");
        row("B = 0", 2, 1, 0, 0, " 1x^2+c=0");
        row("B = -0", 2, 1, -0.0, 0, " 1x^2+c=0");
        row("B stage ignores an old C", 2, 1, 2, 7, " 1x^2+ 2x+c=0");

        row("C > 0, B = 0", 3, -1, 0, 4, "-1x^2+ 4=0");
        row("C > 0, B > 0", 3, 1, 2, 3, " 1x^2+ 2x+ 3=0");
        row("C > 0, B < 0", 3, 1, -3, 2, " 1x^2-3x+ 2=0");
        row("C < 0, B = 0", 3, 2, 0, -8, " 2x^2-8=0");
        row("C < 0, B > 0", 3, 1, 2, -3, " 1x^2+ 2x-3=0");
        row("C < 0, B < 0", 3, 1, -2, -3, " 1x^2-2x-3=0");
        row("C = 0, B = 0", 3, 3, 0, 0, " 3x^2=0");
        row("C = 0, B > 0", 3, 1, 2, 0, " 1x^2+ 2x=0");
        row("C = 0, B < 0", 3, 1, -2, 0, " 1x^2-2x=0");
        row("fractions", 3, -0.5, 0.25, -0.125, "-.5x^2+ .25x-.125=0");
        row("exponents", 3, 1e-5, -1e20, 2.5e-20, " 1E-05x^2-1E+20x+ 2.5E-20=0");
    }

    void preview()
    {
        QFETCH(int, stage);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, c);
        QFETCH(QByteArray, text);
        std::string shown;
        if (stage == 1)
            shown = wizard::previewAfterA(a);
        else if (stage == 2)
            shown = wizard::previewAfterB(a, b);
        else
            shown = wizard::previewAfterC(a, b, c);
        QCOMPARE(QByteArray::fromStdString(shown), text);
    }
};

QTEST_GUILESS_MAIN(tst_Preview)
#include "tst_preview.moc"
