// The discriminant and the roots, right to every digit the result page shows.

#include "numbertext.h"
#include "roots.h"

#include <QTest>

#include <cmath>
#include <random>

using solver::dis;
using solver::iks1;
using solver::iks2;

namespace {

using Quad = __float128;

// √x to the full 113 bits of a quad: two Newton steps from the double square root.
Quad quadSqrt(Quad x)
{
    if (x == 0)
        return 0;
    Quad y = std::sqrt(double(x));
    y = (y + x / y) / 2;
    y = (y + x / y) / 2;
    return y;
}

Quad quadAbs(Quad x)
{
    return x < 0 ? -x : x;
}

// The root shown on the result page lies within one unit of the 15th significant digit of the
// exact one.
bool shownRight(double root, Quad exact, QByteArray &why)
{
    const std::string text = solver::FormatNumber(root);
    const Quad shown = solver::ParseNumber(text);
    if (exact == 0) {
        why = "exact root 0, shown " + QByteArray::fromStdString(text);
        return shown == 0;
    }
    const int decade = int(std::floor(std::log10(double(quadAbs(exact)))));
    const Quad unit = std::pow(10.0, decade - 14);
    why = "shown " + QByteArray::fromStdString(text) + ", exact "
        + QByteArray::number(double(exact), 'g', 17);
    return quadAbs(shown - exact) <= unit;
}

} // namespace

class tst_Roots : public QObject
{
    Q_OBJECT

    // Both roots, checked against the exact ones worked out in quad precision.
    bool rootsRight(double A, double B, double C, QByteArray &why)
    {
        const double D = dis(A, B, C);
        const Quad exactD = Quad(B) * B - Quad(4) * A * C;
        if (Quad(D) != exactD) {
            why = "discriminant not exact";
            return false;
        }
        if (D < 0)
            return true;
        const Quad root = quadSqrt(exactD);
        if (!shownRight(iks1(B, D, A, C), (-Quad(B) + root) / (Quad(A) * 2), why))
            return false;
        return D == 0 || shownRight(iks2(B, D, A, C), (-Quad(B) - root) / (Quad(A) * 2), why);
    }

private slots:
    void examples_data()
    {
        QTest::addColumn<double>("A");
        QTest::addColumn<double>("B");
        QTest::addColumn<double>("C");
        QTest::addColumn<double>("D");
        QTest::addColumn<double>("x1");
        QTest::addColumn<double>("x2");
        QTest::newRow("1 -3 2") << 1.0 << -3.0 << 2.0 << 1.0 << 2.0 << 1.0;
        QTest::newRow("1 2 1") << 1.0 << 2.0 << 1.0 << 0.0 << -1.0 << qQNaN();
        QTest::newRow("-1 0 4") << -1.0 << 0.0 << 4.0 << 16.0 << -2.0 << 2.0;
        QTest::newRow("1 0 1") << 1.0 << 0.0 << 1.0 << -4.0 << qQNaN() << qQNaN();
        QTest::newRow("2 0 0") << 2.0 << 0.0 << 0.0 << 0.0 << 0.0 << qQNaN();
        QTest::newRow("2 -3 -2") << 2.0 << -3.0 << -2.0 << 25.0 << 2.0 << -0.5;
        QTest::newRow("2 1 -1") << 2.0 << 1.0 << -1.0 << 9.0 << 0.5 << -1.0;
        QTest::newRow("1 0 -2") << 1.0 << 0.0 << -2.0 << 8.0 << std::sqrt(2.0) << -std::sqrt(2.0);
        QTest::newRow("A < 0: x1 the smaller") << -1.0 << 1.0 << 6.0 << 25.0 << -2.0 << 3.0;
        QTest::newRow("cancelling, B > 0") << 1.0 << 1e8 << 1.0 << 1e16 - 4 << -1e-8 << -1e8;
        QTest::newRow("cancelling, B < 0") << 1.0 << -1e8 << 1.0 << 1e16 - 4 << 1e8 << 1e-8;
    }

    void examples()
    {
        QFETCH(double, A);
        QFETCH(double, B);
        QFETCH(double, C);
        QFETCH(double, D);
        QFETCH(double, x1);
        QFETCH(double, x2);
        QCOMPARE(dis(A, B, C), D);
        if (!std::isnan(x1))
            QCOMPARE(iks1(B, D, A, C), x1);
        if (!std::isnan(x2))
            QCOMPARE(iks2(B, D, A, C), x2);
    }

    void shownDigits_data()
    {
        QTest::addColumn<double>("A");
        QTest::addColumn<double>("B");
        QTest::addColumn<double>("C");
        QTest::addColumn<QByteArray>("x1");
        QTest::addColumn<QByteArray>("x2");
        QTest::newRow("1 1000 1") << 1.0 << 1000.0 << 1.0 << QByteArray("-.001000001000002")
                                  << QByteArray("-999.998999999");
        QTest::newRow("1 1E8 1") << 1.0 << 1e8 << 1.0 << QByteArray("-1E-08")
                                 << QByteArray("-100000000");
        QTest::newRow("1 0 -2") << 1.0 << 0.0 << -2.0 << QByteArray(" 1.4142135623731")
                                << QByteArray("-1.4142135623731");
    }

    void shownDigits()
    {
        QFETCH(double, A);
        QFETCH(double, B);
        QFETCH(double, C);
        QFETCH(QByteArray, x1);
        QFETCH(QByteArray, x2);
        const double D = dis(A, B, C);
        QCOMPARE(QByteArray::fromStdString(solver::FormatNumber(iks1(B, D, A, C))), x1);
        QCOMPARE(QByteArray::fromStdString(solver::FormatNumber(iks2(B, D, A, C))), x2);
        QByteArray why;
        QVERIFY2(rootsRight(A, B, C, why), why);
    }

    // Whole coefficients up to ±10^7 and their halves and quarters keep the discriminant exact;
    // large B against small A and C is where the roots used to lose their digits.
    void generated_data()
    {
        QTest::addColumn<int>("largestA");
        QTest::addColumn<int>("largestB");
        QTest::addColumn<int>("largestC");
        QTest::newRow("any") << 10000000 << 10000000 << 10000000;
        QTest::newRow("large B") << 100 << 10000000 << 100;
        QTest::newRow("small") << 10 << 10 << 10;
    }

    void generated()
    {
        QFETCH(int, largestA);
        QFETCH(int, largestB);
        QFETCH(int, largestC);
        std::mt19937 random(20261208u + unsigned(largestA));
        const auto pick = [&random](int largest) {
            const double scale[] = {1, 0.5, 0.25};
            return std::uniform_int_distribution<int>(-largest, largest)(random)
                * scale[std::uniform_int_distribution<int>(0, 2)(random)];
        };
        int solved = 0;
        for (int i = 0; i < 100000; ++i) {
            const double A = pick(largestA);
            const double B = pick(largestB);
            const double C = pick(largestC);
            if (A == 0)
                continue;
            QByteArray why;
            QVERIFY2(rootsRight(A, B, C, why),
                     QByteArray::number(A) + " " + QByteArray::number(B) + " "
                         + QByteArray::number(C) + ": " + why);
            solved += dis(A, B, C) >= 0;
        }
        QVERIFY(solved > 10000);
    }
};

QTEST_GUILESS_MAIN(tst_Roots)
#include "tst_roots.moc"
