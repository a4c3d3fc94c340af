// Arbitrary bytes through the number conversions and the result page's arithmetic, checking
// what the program promises about every number it shows.
//
//   fuzz_numbers -max_total_time=600 NEW_INPUTS_FOLDER fuzz/corpus

#include "numbertext.h"
#include "preview.h"
#include "verdict.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool holds, const char *what, std::string_view detail)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz_numbers: %s: \"%.*s\"\n", what, int(detail.size()),
                     detail.data());
        std::abort();
    }
}

int significantDigits(std::string_view text)
{
    text = text.substr(0, text.find_first_of("Ee"));
    const std::size_t first = text.find_first_of("123456789");
    if (first == std::string_view::npos)
        return 0;
    int digits = 0;
    for (std::size_t i = first; i < text.size(); ++i)
        digits += text[i] >= '0' && text[i] <= '9';
    return digits;
}

bool showsNonNumber(std::string_view text)
{
    for (const std::string_view word : {"inf", "nan", "INF", "NAN", "Inf", "NaN"}) {
        if (text.find(word) != std::string_view::npos)
            return true;
    }
    return false;
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
    const bool overflow = verdict.caption.startsWith(QStringLiteral("Переполнение"));
    require(overflow
                == (!std::isfinite(verdict.D) || (verdict.x1 && !std::isfinite(*verdict.x1))
                    || (verdict.x2 && !std::isfinite(*verdict.x2))),
            "overflow shown for finite values, or missed", caption);
    if (!overflow) {
        require(verdict.x1.has_value() == (verdict.D >= 0), "x1 computed out of turn", caption);
        require(verdict.x2.has_value() == (verdict.D > 0), "x2 computed out of turn", caption);
        if (verdict.x1)
            checkShown(*verdict.x1);
        if (verdict.x2)
            checkShown(*verdict.x2);
    }
    return 0;
}
