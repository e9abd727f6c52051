#include <benchmark/benchmark.h>

#include <cmath>

#include "quote/HQKLineIndicators.h"

// MA 5/10/20/30, MACD 12/26/9 and KDJ 9/3/3 over 10,000 bars, each bar's records made anew.
// Target: under 1 µs per bar for all of them together.
static void BM_IndicatorsOver10000Bars(benchmark::State& state) {
    const size_t count = 10000;
    std::vector<std::shared_ptr<KLineDataItem>> bars;
    for (size_t i = 0; i < count; ++i) {
        auto bar = std::make_shared<KLineDataItem>();
        bar->date = static_cast<int64_t>(i) * 60000;
        bar->close = static_cast<float>(380 + 10 * std::sin(static_cast<double>(i) / 50));
        bar->open = bar->close - 0.5f;
        bar->highest = bar->close + 1;
        bar->lowest = bar->close - 1;
        bars.push_back(bar);
    }
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& bar : bars) {
            bar->PMAGroup.reset();
            bar->MACDKDJ.reset();
        }
        state.ResumeTiming();
        HQKLineIndicators::compute(bars);
        benchmark::DoNotOptimize(bars.back()->MACDKDJ->JValue);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
    // Seconds per bar, shown in the unit benchmark picks (e.g. "312n").
    state.counters["per_bar"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(count),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_IndicatorsOver10000Bars)->Unit(benchmark::kMicrosecond);
