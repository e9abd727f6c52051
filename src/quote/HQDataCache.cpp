#include "quote/HQDataCache.h"

#include <algorithm>

#include "quote/HQKLineIndicators.h"

namespace {
using Bars = HQDataBase::Bars;

// Sorted by date; of bars with equal dates the last one given stays.
Bars ordered(Bars bars) {
    std::stable_sort(bars.begin(), bars.end(),
                     [](const auto& a, const auto& b) { return a->date < b->date; });
    Bars out;
    for (auto& bar : bars) {
        if (!out.empty() && out.back()->date == bar->date) {
            out.back() = bar;
        } else {
            out.push_back(bar);
        }
    }
    return out;
}

size_t firstIndexAtOrAfter(const Bars& bars, int64_t date) {
    return static_cast<size_t>(
        std::lower_bound(bars.begin(), bars.end(), date,
                         [](const auto& bar, int64_t d) { return bar->date < d; }) -
        bars.begin());
}
}  // namespace

bool HQDataCache::insertKLineData(const std::vector<std::shared_ptr<ReturnKLineData>>& data,
                                  const SubmissionPackage& package) {
    if (data.empty() || !data.front()) {
        return false;
    }
    Bars fetched;
    for (const auto& bar : data.front()->klineDataItemsArray) {
        if (bar) {
            fetched.push_back(bar);
        }
    }
    const std::string table = HQDataBase::tableName(package);
    if (package.klineRequestType == kRequestFirst) {
        Bars merged = ordered(fetched);
        HQKLineIndicators::compute(merged);
        return m_database.rewriteBars(table, merged);
    }
    auto stored = m_database.readBars(table);
    if (!stored) {
        return false;
    }
    if (fetched.empty()) {
        return true;
    }
    const int64_t firstFetched =
        (*std::min_element(fetched.begin(), fetched.end(),
                           [](const auto& a, const auto& b) { return a->date < b->date; }))
            ->date;
    Bars merged;
    if (package.klineRequestType == kRequestNew) {
        merged.assign(stored->begin(),
                      stored->begin() + static_cast<std::ptrdiff_t>(
                                            firstIndexAtOrAfter(*stored, firstFetched)));
    } else {
        merged = *stored;
    }
    merged.insert(merged.end(), fetched.begin(), fetched.end());
    merged = ordered(std::move(merged));
    HQKLineIndicators::compute(merged);
    return m_database.replaceBars(table, firstFetched, merged,
                                  firstIndexAtOrAfter(merged, firstFetched));
}
