#include <benchmark/benchmark.h>

#include "sim/core/SimExchange.h"

// The first quote after the exchange's clock moved by a day: the market steps every second it
// missed, for every commodity, and every quote reply waits for it. Target: under 0.5 s in the
// sanitized test build (it took 2.1 s), where the test clock runs four times as fast and the
// client's 10-s quote time-out is 2.5 s of wall time.
static void BM_QuoteAfterADay(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        SimExchange exchange(SimExchange::testOptions());
        exchange.clock().advance(23 * 3600000LL + 58 * 60000LL);
        state.ResumeTiming();
        benchmark::DoNotOptimize(exchange.market().quote(0, 2));
    }
}
BENCHMARK(BM_QuoteAfterADay)->Unit(benchmark::kMillisecond)->Iterations(3);
