// Conversions and the calculation against the C library's own conversions.
// Run: build/bench/logic_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <calculator/clock_panel.h>
#include <runtime/format_single.h>
#include <runtime/parse_single.h>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace quenvale;

// What people type and what the lists hold, plus a few long and exponent forms.
const std::array<const char*, 12> kTexts{"14.318", "100",        "133.333", "66.666",
                                         "24.000", "68.5",       "0.5",     "160",
                                         "1e2",    "12.3456789", "-3.75",   "15.000"};

// Results the calculation really produces, and values of every magnitude.
const std::array<float, 12> kValues{100.0F,       33.33334F, 66.66667F,  104.7632F,
                                    34.92108F,    69.84216F, 268.1939F,  0.5F,
                                    1.2345678e7F, 5e-8F,     654322.25F, 3.1415927F};

void BM_parseSingle(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseSingle(kTexts[i++ % kTexts.size()]));
    }
}
BENCHMARK(BM_parseSingle);

void BM_strtof(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::strtof(kTexts[i++ % kTexts.size()], nullptr));
    }
}
BENCHMARK(BM_strtof);

void BM_formatSingle(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = formatSingle(kValues[i++ % kValues.size()]);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_formatSingle);

void BM_snprintf(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        // Into a std::string as well, so both sides end with the same result.
        std::array<char, 32> buffer{};
        const int n = std::snprintf(buffer.data(), buffer.size(), "%.7G",
                                    static_cast<double>(kValues[i++ % kValues.size()]));
        std::string text(buffer.data(), static_cast<std::size_t>(n));
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_snprintf);

void BM_calculateFromTexts(benchmark::State& state) {
    ClockPanel panel;
    panel.load();
    std::size_t i = 0;
    for (auto _ : state) {
        panel.pickListItem(InputBox::Reference, i % kReferencePresets.size());
        panel.pickListItem(InputBox::Fsb, i % kFsbPresets.size());
        panel.calculate();
        benchmark::DoNotOptimize(panel.results[0].data());
        ++i;
    }
}
BENCHMARK(BM_calculateFromTexts);

} // namespace

BENCHMARK_MAIN();
