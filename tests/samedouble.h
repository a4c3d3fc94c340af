// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Doubles compared bit for bit, sign of zero included, where a test means "this exact double":
// QCOMPARE on two doubles forgives a difference of about 1e-12.

#include <QByteArray>
#include <QTest>

#include <charconv>
#include <cmath>

// The shortest text that reads back as the same double, for readable failure messages.
inline QByteArray shortest(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(result.ptr - buffer));
}

inline bool sameDouble(double a, double b)
{
    return (a == b && std::signbit(a) == std::signbit(b)) || (std::isnan(a) && std::isnan(b));
}

#define COMPARE_DOUBLE(actual, expected)                                                       \
    do {                                                                                       \
        const double actualValue = (actual);                                                   \
        const double expectedValue = (expected);                                               \
        QVERIFY2(sameDouble(actualValue, expectedValue),                                       \
                 shortest(actualValue) + " is not " + shortest(expectedValue));                \
    } while (false)
