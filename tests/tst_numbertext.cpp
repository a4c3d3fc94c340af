// SPDX-License-Identifier: GPL-3.0-or-later
// Reading typed numbers and writing them back, independent of the locale.

#include "testkit/digits.h"
#include "samedouble.h"
#include "solver/numbertext.h"

#include <QTest>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <random>
#include <string>

using solver::FormatNumber;
using solver::ParseNumber;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

} // namespace

class tst_NumberText : public QObject
{
    Q_OBJECT

    void parseTable()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        const auto row = [](const char *name, const QByteArray &text, double value) {
            QTest::newRow(name) << text << value;
        };
        row("empty", "", 0);
        row("letters", "abc", 0);
        row("comma", ",", 0);
        row("minus alone", "-", 0);
        row("point alone", ".", 0);
        row("blanks around", " -1.5e2 ", -150);
        row("comma ends", "1,5", 1);
        row("2,5", "2,5", 2);
        row("leading point", ".5", 0.5);
        row("trailing point", "5.", 5);
        row("plus", "+5", 5);
        row("blank inside", "1 2", 12);
        row("tab and line feed", "\t1\n2", 12);
        row("tab inside", "1\t2", 12);
        row("line feed", "1\n2", 12);
        row("blank after sign", "- 5", -5);
        row("letters after", "3abc", 3);
        row("letter first", "x=2", 0);
        row("second point", "1.5.3", 1.5);
        row("exponent without digits", "1e", 1);
        row("exponent sign without digits", "1e+", 1);
        row("negative exponent", "1E-2", 0.01);
        row("second exponent", "1e5e3", 1e5);
        row("exponent alone", "e5", 0);
        row("carriage return ends", "5\r", 5);
        row("minus zero", "-0", -0.0);
        row("zeros", "000.000", 0);
        row("zeros with a long exponent", "000.000e123456", 0);
        row("correctly rounded", "0.1", 0.1);
        row("many digits", "3.14159265358979323846264338327950288", M_PI);
        row("largest", "1.7976931348623157e308", std::numeric_limits<double>::max());
        row("rounds to largest", "1.7976931348623158e308", std::numeric_limits<double>::max());
        row("just beyond", "1.7976931348623159e308", Inf);
        row("1e400", "1e400", Inf);
        row("-1e400", "-1e400", -Inf);
        row("huge exponent", "1e99999999999999999999999", Inf);
        row("smallest", "4.9406564584124654e-324", std::numeric_limits<double>::denorm_min());
        row("below smallest", "2e-324", 0);
        row("1e-400", "1e-400", 0);
        row("tiny negative", "-1e-400", -0.0);
        row("huge negative exponent", "5e-99999999999999999999999", 0);
        row("zeros then exponent", "0.0000001e7", 1);
        row("long zeros then exponent", "0." + QByteArray(1000, '0') + "1e1001", 1);
        row("hex", "&H1F", 31);
        row("hex lower case", "&h1f", 31);
        row("octal", "&O17", 15);
        row("octal lower case", "&o17", 15);
        row("hex without digits", "&H", 0);
        row("hex stops at non-digit", "&H1G", 1);
        row("octal stops at 8", "&O78", 7);
        row("octal 8 only", "&O8", 0);
        row("hex with blanks", " & H 1 0 ", 16);
        row("hex no sign", "&H-1", 0);
        row("signed hex", "-&H10", 0);
        row("ampersand alone", "&", 0);
        row("other radix", "&B101", 0);
        row("hex 64 bits", "&HFFFFFFFFFFFFFFFF", 18446744073709551615.0);
        row("octal 64 bits", "&O1777777777777777777777", 18446744073709551615.0);
        row("hex leading zeros", "&H" + QByteArray(100, '0') + "1", 1);
        row("hex 65 bits", "&H10000000000000000", Inf);
        row("octal 65 bits", "&O2000000000000000000000", Inf);
        row("inf", "inf", 0);
        row("minus infinity", "-infinity", 0);
        row("nan", "nan", 0);
        row("plus minus", "+-5", 0);
        row("minus plus", "-+5", 0);
        row("two plusses", "++5", 0);
        row("C hex", "0x10", 0);
        row("minus point", "-.5", -0.5);
        row("plus point exponent", "+.5e1", 5);
        row("point exponent", ".e5", 0);
        row("exponent then letter", "1e-5x", 1e-5);
        row("four exponent digits", "5e0005", 5e5);
        row("long exponent of one", "1e00000000000000000001", 10);
        row("long exponent cancelled by digits", "0." + QByteArray(1500, '0') + "25e1500", 0.25);
        // Beyond the 65536 where from_chars's exponent stops counting.
        row("huge exponent cancelled by digits", "0." + QByteArray(70000, '0') + "25e70000", 0.25);
        row("cyrillic letters", "два", 0);
        row("unicode minus",
            "\xe2\x88\x92"
            "5",
            0);
    }

private slots:
    void parse_data() { parseTable(); }

    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        const double parsed = ParseNumber(text.toStdString());
        COMPARE_DOUBLE(parsed, value);
    }

    // A pasted megabyte reads in one pass, to the right value.
    void parseLongText()
    {
        const std::string third = "0." + std::string(1 << 20, '3');
        QCOMPARE(ParseNumber(third), 1.0 / 3.0);
        QCOMPARE(ParseNumber(std::string(1 << 20, '9')), Inf);
        QCOMPARE(ParseNumber("1" + std::string(1 << 20, ' ') + "2"), 12.0);
        QCOMPARE(ParseNumber("&H" + std::string(1 << 20, 'F')), Inf);
        QCOMPARE(ParseNumber("1e" + std::string(1 << 20, '9')), Inf);
    }

    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        const auto row = [](const char *name, double value, const char *text) {
            QTest::newRow(name) << value << QByteArray(text);
        };
        row("zero", 0, " 0");
        row("negative zero", -0.0, " 0");
        row("two", 2, " 2");
        row("two and a half", 2.5, " 2.5");
        row("minus three", -3, "-3");
        row("hundred", 100, " 100");
        row("half", 0.5, " .5");
        row("minus half", -0.5, "-.5");
        row("minus quarter", -0.25, "-.25");
        row("third", 1.0 / 3, " .333333333333333");
        row("two thirds", 2.0 / 3, " .666666666666667");
        row("root of two", std::sqrt(2.0), " 1.4142135623731");
        row("0.1 + 0.2", 0.1 + 0.2, " .3");
        row("fraction", 123.456, " 123.456");
        row("last fixed", 999999999999999.0, " 999999999999999");
        row("rounds down to fixed", 999999999999999.4, " 999999999999999");
        row("rounds up to exponent", 999999999999999.9, " 1E+15");
        row("1E+15", 1e15, " 1E+15");
        row("1E+16", 1e16, " 1E+16");
        row("long integer", 123456789012345678.0, " 1.23456789012346E+17");
        row("1E+100", 1e100, " 1E+100");
        row("largest", std::numeric_limits<double>::max(), " 1.79769313486232E+308");
        row("smallest fixed", 0.0001, " .0001");
        row("small fixed", 0.00012345, " .00012345");
        row("first exponent below one", 0.00001, " 1E-05");
        row("minus 1E-05", -0.00001, "-1E-05");
        row("-2.5E-20", -2.5e-20, "-2.5E-20");
        row("smallest subnormal", std::numeric_limits<double>::denorm_min(),
            " 4.94065645841247E-324");
        row("seven", 7e-10, " 7E-10");
    }

    void format()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(FormatNumber(value)), text);
    }

    // A comma locale must change nothing: the point stays the decimal point.
    void independentOfLocale()
    {
        const std::string before = std::setlocale(LC_ALL, nullptr);
        const std::locale cppBefore;
        const char *comma = nullptr;
        for (const char *name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                comma = name;
                break;
            }
        }
        if (!comma)
            QSKIP("no locale with a decimal comma is installed");
        std::locale::global(std::locale(comma));
        QCOMPARE(std::localeconv()->decimal_point, ",");

        const double half = ParseNumber("2.5");
        const double comma25 = ParseNumber("2,5");
        const std::string written = FormatNumber(-1234.5);
        const std::string small = FormatNumber(2.5e-20);

        std::setlocale(LC_ALL, before.c_str());
        std::locale::global(cppBefore);
        QCOMPARE(half, 2.5);
        QCOMPARE(comma25, 2.0);
        QCOMPARE(written, "-1234.5");
        QCOMPARE(small, " 2.5E-20");
    }

    // Any double whose 15-digit text is exact reads back from its text unchanged.
    void roundTrip()
    {
        std::mt19937_64 random(20261208);
        std::uniform_int_distribution<long long> mantissa(100000000000000, 999999999999999);
        std::uniform_int_distribution<int> exponent(-320, 290);
        std::bernoulli_distribution negative(0.5);
        for (int i = 0; i < 200000; ++i) {
            const std::string decimal = (negative(random) ? "-" : "")
                + std::to_string(mantissa(random)) + "e" + std::to_string(exponent(random));
            double value = 0;
            std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
            if (value == 0 || std::fpclassify(value) == FP_SUBNORMAL)
                continue; // fewer than 15 digits of it are exact
            const std::string text = FormatNumber(value);
            QVERIFY2(ParseNumber(text) == value,
                     qPrintable(QString::fromStdString(decimal + " -> ")
                                + QString::fromStdString(text)));
        }
    }

    // Any double at all: a sign position first, at most 15 digits, and within half a unit of
    // the 15th digit when read back (plus the rounding of that reading).
    void formatProperties()
    {
        std::mt19937_64 random(8122026);
        for (int i = 0; i < 200000; ++i) {
            const auto value = std::bit_cast<double>(random());
            if (!std::isfinite(value))
                continue;
            const std::string text = FormatNumber(value);
            QVERIFY2(text[0] == ' ' || text[0] == '-', text.c_str());
            QVERIFY2((text[0] == '-') == (value < 0), text.c_str());
            QVERIFY2(significantDigits(text) <= 15, text.c_str());
            const double back = ParseNumber(text);
            QVERIFY2(std::fabs(back - value) <= 5.3e-15 * std::fabs(value), text.c_str());
        }
    }
};

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
