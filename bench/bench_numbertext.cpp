// SPDX-License-Identifier: GPL-3.0-or-later
// ParseNumber and FormatNumber beside the standard library's conversions, on the same inputs,
// and one equation solved exactly beside the same in doubles alone.
//   build/bench/bench_numbertext

#include "solver/numbertext.h"
#include "solver/roots.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// Numbers of every size a pupil might type, and some no pupil would.
const std::vector<double> &values()
{
    static const std::vector<double> numbers = [] {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
        std::uniform_int_distribution<int> exponent(-30, 30);
        std::vector<double> generated;
        generated.reserve(4096);
        for (int i = 0; i < 4096; ++i)
            generated.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
        return generated;
    }();
    return numbers;
}

const std::vector<std::string> &texts()
{
    static const std::vector<std::string> written = [] {
        std::vector<std::string> generated;
        generated.reserve(values().size());
        for (const double value : values()) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.15G", value);
            generated.emplace_back(buffer);
        }
        return generated;
    }();
    return written;
}

void ParseNumber(benchmark::State &state)
{
    for (auto _ : state) {
        for (const std::string &text : texts())
            benchmark::DoNotOptimize(solver::ParseNumber(text));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(texts().size()));
}

void Strtod(benchmark::State &state)
{
    for (auto _ : state) {
        for (const std::string &text : texts())
            benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(texts().size()));
}

void FromChars(benchmark::State &state)
{
    for (auto _ : state) {
        for (const std::string &text : texts()) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(texts().size()));
}

void FormatNumber(benchmark::State &state)
{
    for (auto _ : state) {
        for (const double value : values())
            benchmark::DoNotOptimize(solver::FormatNumber(value));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(values().size()));
}

void Snprintf(benchmark::State &state)
{
    char buffer[32];
    for (auto _ : state) {
        for (const double value : values()) {
            std::snprintf(buffer, sizeof buffer, "%.15G", value);
            benchmark::DoNotOptimize(buffer);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(values().size()));
}

void ToChars(benchmark::State &state)
{
    char buffer[32];
    for (auto _ : state) {
        for (const double value : values()) {
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
            benchmark::DoNotOptimize(buffer);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(values().size()));
}

// A pasted megabyte of digits.
void ParseNumberMegabyte(benchmark::State &state)
{
    const std::string text = "0." + std::string(1 << 20, '3');
    for (auto _ : state)
        benchmark::DoNotOptimize(solver::ParseNumber(text));
    state.SetBytesProcessed(state.iterations() * std::int64_t(text.size()));
}

// Equations as pupils type them, and the worst exponents: 1E-300 beside 1E+300.
const std::vector<std::array<double, 3>> &equations(bool extreme)
{
    static const auto generate = [](bool wide) {
        std::mt19937_64 random(7);
        std::uniform_int_distribution<int> hundredths(-1000, 1000);
        std::uniform_int_distribution<int> sign(0, 1);
        std::vector<std::array<double, 3>> generated;
        for (int i = 0; i < 1024; ++i) {
            std::array<double, 3> equation{};
            for (int k = 0; k < 3; ++k) {
                equation[k] = wide ? (sign(random) ? 1.0 : -1.0) * (k == 1 ? 1e300 : 1e-300)
                        * (1 + hundredths(random) / 1e5)
                                   : (hundredths(random) | 1) / 100.0;
            }
            generated.push_back(equation);
        }
        return generated;
    };
    static const std::vector<std::array<double, 3>> typical = generate(false);
    static const std::vector<std::array<double, 3>> wide = generate(true);
    return extreme ? wide : typical;
}

// The discriminant and both roots, as the result page works them out and shows them.
void SolveExact(benchmark::State &state)
{
    const auto &solved = equations(state.range(0) != 0);
    for (auto _ : state) {
        for (const auto &[A, B, C] : solved) {
            const solver::Discriminant D = solver::dis(A, B, C);
            if (D.sign >= 0)
                benchmark::DoNotOptimize(solver::iks1(B, D, A, C));
            if (D.sign > 0)
                benchmark::DoNotOptimize(solver::iks2(B, D, A, C));
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(solved.size()));
}

// The same in doubles alone, as the result page once did: D's sign and the roots' last digits
// are then those of the binary approximations.
void SolveDoubles(benchmark::State &state)
{
    const auto &solved = equations(state.range(0) != 0);
    for (auto _ : state) {
        for (const auto &[A, B, C] : solved) {
            const double D = B * B - (4 * A) * C;
            if (D < 0)
                continue;
            const double root = std::sqrt(D);
            const double q = B > 0 ? ((-B) - root) / 2 : ((-B) + root) / 2;
            benchmark::DoNotOptimize(solver::FormatNumber(q / A));
            if (D > 0)
                benchmark::DoNotOptimize(solver::FormatNumber(C / q));
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(solved.size()));
}

} // namespace

BENCHMARK(SolveExact)->ArgName("extreme")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(SolveDoubles)->ArgName("extreme")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParseNumber);
BENCHMARK(Strtod);
BENCHMARK(FromChars);
BENCHMARK(FormatNumber);
BENCHMARK(Snprintf);
BENCHMARK(ToChars);
BENCHMARK(ParseNumberMegabyte);

BENCHMARK_MAIN();
