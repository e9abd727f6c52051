#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "quote/HQDataCache.h"

// A merge of 3,000 fetched bars into a K-line table that already holds 3,000, indicators and one
// transaction included. Target: under 20 ms.
namespace {

std::vector<std::shared_ptr<ReturnKLineData>> series(int64_t firstDate, size_t count) {
    auto data = std::make_shared<ReturnKLineData>();
    for (size_t i = 0; i < count; ++i) {
        auto bar = std::make_shared<KLineDataItem>();
        bar->date = firstDate + static_cast<int64_t>(i) * 60000;
        bar->close = 380.0f + static_cast<float>(i % 97) / 10;
        bar->open = bar->close - 0.3f;
        bar->highest = bar->close + 0.8f;
        bar->lowest = bar->close - 0.9f;
        data->klineDataItemsArray.push_back(bar);
    }
    return {data};
}

SubmissionPackage package(const char* type) {
    SubmissionPackage p;
    p.CommodityID = "2";
    p.period = "1";
    p.klineRequestType = type;
    return p;
}

std::string freshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vkjy-bench-XXXXXX").string();
    return mkdtemp(pattern.data());
}

// `fetchedFrom` in bars from the first stored bar: 2999 continues the table (the chart's
// incremental road), -3000 puts the fetched bars before it (the history road).
void merge(benchmark::State& state, const char* type, int64_t fetchedFrom) {
    const std::string folder = freshFolder();
    const std::string path = folder + "/SHANGPIN.db";
    const int64_t start = 1796313600000;
    for (auto _ : state) {
        state.PauseTiming();
        HQDataCache(path).insertKLineData(series(start, 3000), package(HQDataCache::kRequestFirst));
        auto fetched = series(start + fetchedFrom * 60000, 3000);
        HQDataCache cache(path);
        state.ResumeTiming();
        if (!cache.insertKLineData(fetched, package(type))) {
            state.SkipWithError("the cache could not be written");
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace

static void BM_MergeNew3000Into3000(benchmark::State& state) {
    merge(state, HQDataCache::kRequestNew, 2999);
}
static void BM_MergeAll3000Into3000(benchmark::State& state) {
    merge(state, HQDataCache::kRequestAll, -3000);
}
BENCHMARK(BM_MergeNew3000Into3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeAll3000Into3000)->Unit(benchmark::kMillisecond);
