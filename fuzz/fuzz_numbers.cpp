// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes through the number conversions and the result page's arithmetic, checking
// what the program promises about every number it shows.
//
//   fuzz_numbers -max_total_time=600 NEW_INPUTS_FOLDER fuzz/numbers

#include "solver/numbertext.h"
#include "testkit/digits.h"
#include "testkit/exactroots.h"
#include "wizard/preview.h"
#include "wizard/texts.h"
#include "wizard/verdict.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace {

void require(bool holds, const char *what, std::string_view detail)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz_numbers: %s: \"%.*s\"\n", what, int(detail.size()),
                     detail.data());
        std::abort();
    }
}

// A number as the program shows it.
void checkShown(double value)
{
    const std::string shown = solver::FormatNumber(value);
    require(shown[0] == ' ' || shown[0] == '-', "no sign position", shown);
    require(!showsNonNumber(shown), "a non-number shown", shown);
    require(significantDigits(shown) <= 15, "more than 15 digits", shown);
    // Read back, the text gives the same text, except that the largest values round up past
    // the largest double and read as infinity.
    const double back = solver::ParseNumber(shown);
    if (std::isinf(back))
        require(std::fabs(value) >= 1.797693134862315e308, "read back as infinity", shown);
    else
        require(solver::FormatNumber(back) == shown, "not read back to the same text", shown);

    // A value with 15 significant digits or fewer comes back exactly.
    char shortest[32];
    const auto end = std::to_chars(shortest, shortest + sizeof shortest, value).ptr;
    if (significantDigits(std::string_view(shortest, std::size_t(end - shortest))) <= 15)
        require(back == value, "not read back to the same value", shown);
}

// What a coefficient stage accepts: anything but an infinity, which it asks for again.
bool accepted(double value)
{
    require(!std::isnan(value), "a typed text read as nan", "");
    return !std::isinf(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    const double whole = solver::ParseNumber(bytes);
    if (accepted(whole))
        checkShown(whole);

    // Three coefficients, typed one after another, separated by ";".
    double coefficient[3] = {0, 0, 0};
    std::string_view rest = bytes;
    for (double &value : coefficient) {
        const std::size_t cut = rest.find(';');
        value = solver::ParseNumber(rest.substr(0, cut));
        if (!accepted(value))
            return 0;
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    const auto [A, B, C] = coefficient;
    if (A == 0)
        return 0; // the A stage never accepts it
    require(!showsNonNumber(wizard::previewAfterC(A, B, C)), "a non-number in the preview", bytes);

    const wizard::Verdict verdict = wizard::solve(A, B, C);
    const std::string caption = verdict.caption.toStdString();
    require(!showsNonNumber(caption), "a non-number in the verdict", caption);

    // The verdict against the exact polynomial of the decimals the coefficients stand for.
    const exactroots::Equation equation{exactroots::decimal(A), exactroots::decimal(B),
                                        exactroots::decimal(C)};
    const int sign = sgn(equation.B * equation.B - 4 * equation.A * equation.C);
    require(verdict.x1.has_value() == (sign >= 0), "x1 computed out of turn", caption);
    require(verdict.x2.has_value() == (sign > 0), "x2 computed out of turn", caption);
    const auto rootRight = [&](int root, double value, std::string shown) {
        std::string why;
        require(exactroots::rootRight(equation, root, {value, std::move(shown)}, why),
                "a root not correctly rounded", caption + ": " + why);
    };
    if (verdict.caption == wizard::texts::Overflow) {
        const bool x1Beyond = std::isinf(*verdict.x1);
        const bool x2Beyond = verdict.x2 && std::isinf(*verdict.x2);
        require(x1Beyond || x2Beyond, "overflow shown for finite roots", caption);
        if (x1Beyond)
            rootRight(1, *verdict.x1, "");
        if (x2Beyond)
            rootRight(2, *verdict.x2, "");
        return 0;
    }
    const std::size_t x1At = caption.find("1=");
    const std::size_t x2At = caption.find(" x2=");
    if (sign < 0) {
        require(x1At == std::string::npos, "roots shown for D < 0", caption);
    } else if (sign == 0) {
        const std::size_t at = caption.find("x=");
        require(at != std::string::npos && x2At == std::string::npos, "not one root", caption);
        rootRight(1, *verdict.x1, caption.substr(at + 2));
    } else {
        require(x1At != std::string::npos && x2At != std::string::npos, "not two roots", caption);
        rootRight(1, *verdict.x1, caption.substr(x1At + 2, x2At - x1At - 2));
        rootRight(2, *verdict.x2, caption.substr(x2At + 4));
    }
    return 0;
}
