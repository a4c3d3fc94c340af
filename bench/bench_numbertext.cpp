// ParseNumber and FormatNumber beside the standard library's conversions, on the same inputs.
//   build/bench/bench_numbertext

#include "numbertext.h"

#include <benchmark/benchmark.h>

#include <charconv>
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

} // namespace

BENCHMARK(ParseNumber);
BENCHMARK(Strtod);
BENCHMARK(FromChars);
BENCHMARK(FormatNumber);
BENCHMARK(Snprintf);
BENCHMARK(ToChars);
BENCHMARK(ParseNumberMegabyte);

BENCHMARK_MAIN();
