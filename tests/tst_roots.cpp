// SPDX-License-Identifier: GPL-3.0-or-later
// The discriminant and the roots, right for the decimals typed, to every digit the result page
// shows, checked against the polynomial itself.

#include "testkit/exactroots.h"
#include "samedouble.h"
#include "solver/exact_p.h"
#include "solver/numbertext.h"
#include "solver/roots.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>

using solver::dis;
using solver::iks1;
using solver::iks2;
using namespace exactroots;

namespace {

// The sign of the discriminant, its nearest double and both roots, for the coefficients as typed.
bool solvedRight(const std::string &a, const std::string &b, const std::string &c, std::string &why)
{
    const Equation equation{exactly(a).value, exactly(b).value, exactly(c).value};
    const double A = solver::ParseNumber(a);
    const double B = solver::ParseNumber(b);
    const double C = solver::ParseNumber(c);
    const solver::Discriminant D = dis(A, B, C);
    const mpq_class exactD = equation.B * equation.B - 4 * equation.A * equation.C;
    if (D.exact->value != exactD || D.sign != sgn(exactD)) {
        why = "discriminant not exact";
        return false;
    }
    why = "D not the nearest double";
    if (std::isinf(D.value) && abs(exactD) <= DBL_MAX)
        return false;
    for (const double towards : {-DBL_MAX, DBL_MAX}) {
        const double neighbour = std::nextafter(D.value, towards);
        if (std::isfinite(D.value)
            && abs(mpq_class(neighbour) - exactD) < abs(mpq_class(D.value) - exactD))
            return false;
    }
    if (sgn(exactD) < 0)
        return true;
    if (!rootRight(equation, 1, iks1(B, D, A, C), why))
        return false;
    return sgn(exactD) == 0 || rootRight(equation, 2, iks2(B, D, A, C), why);
}

// A rational given as "p/q", known to the rounding only through comparisons with it.
solver::Comparison comparedWith(const QByteArray &x)
{
    const mpq_class target(x.toStdString(), 10);
    return [target](const mpq_class &t) {
        return cmp(t, target);
    };
}

// A decimal with the given number of places, as a pupil would type it: 0.3, -1.25, 40.
std::string decimal(long long units, int places)
{
    std::string digits = std::to_string(std::llabs(units));
    if (places > 0) {
        if (int(digits.size()) <= places)
            digits.insert(0, std::size_t(places + 1 - int(digits.size())), '0');
        digits.insert(digits.size() - std::size_t(places), ".");
    }
    return (units < 0 ? "-" : "") + digits;
}

} // namespace

class tst_Roots : public QObject
{
    Q_OBJECT

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
        // The roots are ±(1E8 − 1E-8 − 1E-24 …) and ±(1E-8 + 1E-24 + …).
        QTest::newRow("cancelling, B > 0")
            << 1.0 << 1e8 << 1.0 << 1e16 - 4 << -1e-8 << -99999999.99999999;
        QTest::newRow("cancelling, B < 0")
            << 1.0 << -1e8 << 1.0 << 1e16 - 4 << 99999999.99999999 << 1e-8;
        QTest::newRow("0.2 1.2 1.8: D = 0") << 0.2 << 1.2 << 1.8 << 0.0 << -3.0 << qQNaN();
        QTest::newRow("D beyond range") << 1.0 << 1e200 << 1.0 << HUGE_VAL << -1e-200 << -1e200;
        QTest::newRow("root beyond range") << 1e-310 << 1.0 << 1.0 << 1.0 << -1.0 << -HUGE_VAL;
    }

    void examples()
    {
        QFETCH(double, A);
        QFETCH(double, B);
        QFETCH(double, C);
        QFETCH(double, D);
        QFETCH(double, x1);
        QFETCH(double, x2);
        const solver::Discriminant found = dis(A, B, C);
        COMPARE_DOUBLE(found.value, D);
        if (!std::isnan(x1))
            COMPARE_DOUBLE(iks1(B, found, A, C).value, x1);
        if (!std::isnan(x2))
            COMPARE_DOUBLE(iks2(B, found, A, C).value, x2);
    }

    // The digits shown, for coefficients as typed; an empty x2 means D = 0, and no x1 D < 0.
    void shownDigits_data()
    {
        QTest::addColumn<QByteArray>("A");
        QTest::addColumn<QByteArray>("B");
        QTest::addColumn<QByteArray>("C");
        QTest::addColumn<QByteArray>("x1");
        QTest::addColumn<QByteArray>("x2");
        const auto row = [](const char *a, const char *b, const char *c, const char *x1,
                            const char *x2) {
            QTest::addRow("%s %s %s", a, b, c) << QByteArray(a) << QByteArray(b) << QByteArray(c)
                                               << QByteArray(x1) << QByteArray(x2);
        };
        row("1", "1000", "1", "-.001000001000002", "-999.998999999");
        row("1", "1E8", "1", "-1E-08", "-100000000");
        row("1", "0", "-2", " 1.4142135623731", "-1.4142135623731");
        // Decimals with no exact binary value: D = 0 exactly, and close to it on either side.
        row("0.2", "1.2", "1.8", "-3", "");
        row("1", "0.2", "0.01", "-.1", "");
        row("0.01", "-0.58", "8.41", " 29", "");
        row("1", "0.2", "0.0099999999", "-.09999", "-.10001");
        row("1", "0.2", "0.0100000001", "", "");
        row("0.3", "-0.6", "0.2999999999999", " 1.00000057735027", " .999999422649731");
        // A root exactly halfway between two 15-digit decimals goes to the even one.
        row("2", "-2.00000000000001", "0", " 1", " 0");
        row("2", "-2.00000000000003", "0", " 1.00000000000002", " 0");
        // x1 a hair below 9007199254740995 and above 9007199254741005, each halfway between two
        // doubles and two shown decimals: only the exact settling finds the side, where the
        // guess lands on the midpoint.
        row("0.4", "-3602879701896398", "1E-8", " 9.00719925474099E+15", " 2.77555756156289E-24");
        row("0.4", "-3602879701896402", "-1E-10", " 9.00719925474101E+15", "-2.77555756156289E-26");
        // Roots far beyond D's range, and far below the smallest double.
        row("1", "1E200", "1", "-1E-200", "-1E+200");
        row("1E300", "1E300", "1E-300", "-1E-600", "-1");
        row("1", "1E300", "1E-300", "-1E-600", "-1E+300");
    }

    void shownDigits()
    {
        QFETCH(QByteArray, A);
        QFETCH(QByteArray, B);
        QFETCH(QByteArray, C);
        QFETCH(QByteArray, x1);
        QFETCH(QByteArray, x2);
        const double a = solver::ParseNumber(A.toStdString());
        const double b = solver::ParseNumber(B.toStdString());
        const double c = solver::ParseNumber(C.toStdString());
        const solver::Discriminant D = dis(a, b, c);
        QCOMPARE(D.sign, x1.isEmpty() ? -1 : x2.isEmpty() ? 0 : 1);
        if (!x1.isEmpty())
            QCOMPARE(QByteArray::fromStdString(iks1(b, D, a, c).shown), x1);
        if (!x2.isEmpty())
            QCOMPARE(QByteArray::fromStdString(iks2(b, D, a, c).shown), x2);
        std::string why;
        QVERIFY2(solvedRight(A.toStdString(), B.toStdString(), C.toStdString(), why), why.c_str());
    }

    // Whole coefficients and their halves and quarters, where the binary path was already
    // exact; decimals with one to three places, and squares (px + q)² and products
    // (px + q)(rx + s) of them, where it was not; and fifteen digits at any magnitude.
    void generated_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("largest");
        QTest::addColumn<int>("places");
        QTest::newRow("whole, halves, quarters") << "plain" << 10000000 << 2;
        QTest::newRow("large B") << "large B" << 10000000 << 2;
        QTest::newRow("small") << "plain" << 10 << 2;
        QTest::newRow("one place") << "plain" << 100 << 1;
        QTest::newRow("three places") << "plain" << 100000 << 3;
        QTest::newRow("squares") << "squares" << 30 << 1;
        QTest::newRow("squares, two places") << "squares" << 300 << 2;
        QTest::newRow("products") << "products" << 300 << 2;
        QTest::newRow("squares, nudged") << "nudged" << 300 << 2;
        QTest::newRow("15 digits, any size") << "wide" << 0 << 0;
    }

    void generated()
    {
        QFETCH(QString, kind);
        QFETCH(int, largest);
        QFETCH(int, places);
        std::mt19937_64 random(20261208u + unsigned(largest) + unsigned(places));
        const auto uniform = [&random](long long low, long long high) {
            return std::uniform_int_distribution<long long>(low, high)(random);
        };
        const auto pick = [&](long long range) {
            return uniform(-range, range);
        };
        int solved = 0;
        for (int i = 0; i < 8000; ++i) {
            std::string a, b, c;
            if (kind == "plain" || kind == "large B") {
                // Halves and quarters: whole numbers over 4 written out with two places.
                const auto coefficient = [&](long long range) {
                    if (places != 2)
                        return decimal(pick(range), places);
                    return decimal(pick(range) * 100 / (1LL << uniform(0, 2)), 2);
                };
                const long long small = kind == "large B" ? 100 : largest;
                a = coefficient(small);
                b = coefficient(largest);
                c = coefficient(small);
            } else if (kind == "wide") {
                const auto coefficient = [&] {
                    return std::to_string(pick(999999999999999)) + "E"
                        + std::to_string(uniform(-307, 293));
                };
                a = coefficient();
                b = coefficient();
                c = coefficient();
            } else {
                // (px + q)(rx + s) with p, q, r, s of the given places: A = pr, B = ps + qr,
                // C = qs, with twice the places.
                const long long p = pick(largest), q = pick(largest);
                const bool square = kind != "products";
                const long long r = square ? p : pick(largest), s = square ? q : pick(largest);
                a = decimal(p * r, 2 * places);
                b = decimal(p * s + q * r, 2 * places);
                c = decimal(q * s + (kind == "nudged" ? pick(1) : 0), 2 * places);
            }
            if (solver::ParseNumber(a) == 0)
                continue;
            std::string why;
            QVERIFY2(solvedRight(a, b, c, why),
                     qPrintable(QStringLiteral("%1 %2 %3: %4")
                                    .arg(a.c_str(), b.c_str(), c.c_str(), why.c_str())));
            solved += dis(solver::ParseNumber(a), solver::ParseNumber(b), solver::ParseNumber(c))
                          .sign
                >= 0;
        }
        QVERIFY(solved > 800);
    }

    // The guesses only save steps: from a guess some steps off, the rounding steps to the same
    // nearest double, and a tie to the even one from either neighbour.
    void nearestDoubleFromAnyGuess_data()
    {
        QTest::addColumn<QByteArray>("x"); // a rational, "p/q"
        QTest::addColumn<double>("guess");
        QTest::addColumn<double>("nearest");
        const auto row = [](const char *name, const mpq_class &x, double guess, double nearest) {
            QTest::newRow(name) << QByteArray::fromStdString(x.get_str()) << guess << nearest;
        };
        const mpq_class third(1, 3);
        row("from above", third, 1.0 / 3 + 4 * DBL_EPSILON, 1.0 / 3);
        row("from below", third, 1.0 / 3 - 4 * DBL_EPSILON, 1.0 / 3);
        // 1 + 2⁻⁵³ lies halfway between 1 and 1 + 2⁻⁵², 1 + 3·2⁻⁵³ between that and 1 + 2⁻⁵¹.
        const mpq_class lowTie(mpz_class("9007199254740993"), mpz_class("9007199254740992"));
        const mpq_class highTie(mpz_class("9007199254740995"), mpz_class("9007199254740992"));
        row("tie down to even", lowTie, 1 + DBL_EPSILON, 1.0);
        row("tie up to even", highTie, 1 + DBL_EPSILON, 1 + 2 * DBL_EPSILON);
        row("tie at even, above", lowTie, 1.0, 1.0);
        row("tie at even, below", highTie, 1 + 2 * DBL_EPSILON, 1 + 2 * DBL_EPSILON);
        row("largest, nothing above", mpq_class(DBL_MAX), DBL_MAX, DBL_MAX);
        row("lowest, nothing below", mpq_class(-DBL_MAX), -DBL_MAX, -DBL_MAX);
        row("beyond the largest", mpq_class(DBL_MAX), double(INFINITY), DBL_MAX);
        // Halfway from the largest double to 2^1024 rounds to infinity, as the largest is odd.
        const mpq_class halfway = (mpq_class(DBL_MAX) + mpq_class(mpz_class(1) << 1024)) / 2;
        row("halfway to 2^1024", halfway, DBL_MAX, double(INFINITY));
        row("halfway to -2^1024", -halfway, -DBL_MAX, -double(INFINITY));
    }

    void nearestDoubleFromAnyGuess()
    {
        QFETCH(QByteArray, x);
        QFETCH(double, guess);
        QFETCH(double, nearest);
        COMPARE_DOUBLE(solver::nearestDouble(comparedWith(x), guess), nearest);
    }

    void nearestShownFromAnyGuess_data()
    {
        QTest::addColumn<QByteArray>("x");
        QTest::addColumn<QByteArray>("guessDigits"); // 0.DDD…×10^guessExponent
        QTest::addColumn<int>("guessExponent");
        QTest::addColumn<QByteArray>("shown");
        const auto row = [](const char *name, const char *x, const char *guessDigits,
                            int guessExponent, const char *shown) {
            QTest::newRow(name) << QByteArray(x) << QByteArray(guessDigits) << guessExponent
                                << QByteArray(shown);
        };
        row("from above", "1/3", "333333333333337", 0, " .333333333333333");
        row("up past a power of ten", "1", "999999999999998", 0, " 1");
        row("down past a power of ten", "-999999999999999/1000000000000000", "-100000000000001", 1,
            "-.999999999999999");
        // 0.1234567890123455 and …465 lie halfway between two 15-digit decimals.
        const char *lowTie = "1234567890123455/10000000000000000";
        const char *highTie = "1234567890123465/10000000000000000";
        row("tie up to even", lowTie, "123456789012345", 0, " .123456789012346");
        row("tie down to even", highTie, "123456789012347", 0, " .123456789012346");
        row("tie at even, above", lowTie, "123456789012346", 0, " .123456789012346");
        row("tie at even, below", highTie, "123456789012346", 0, " .123456789012346");
    }

    void nearestShownFromAnyGuess()
    {
        QFETCH(QByteArray, x);
        QFETCH(QByteArray, guessDigits);
        QFETCH(int, guessExponent);
        QFETCH(QByteArray, shown);
        QCOMPARE(QByteArray::fromStdString(solver::nearestShown(
                     comparedWith(x), guessDigits.toStdString(), guessExponent)),
                 shown);
    }
};

QTEST_GUILESS_MAIN(tst_Roots)
#include "tst_roots.moc"
