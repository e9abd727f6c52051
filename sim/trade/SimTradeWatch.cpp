#include "sim/trade/SimTradeWatch.h"

void SimTradeWatch::add(const SimTradeWatchEntry& entry) {
    std::lock_guard lock(m_mutex);
    m_levels[{entry.commodity, entry.quote, entry.below}].insert(
        {entry.level, entry.account, entry.id, entry.kind});
}

void SimTradeWatch::remove(const SimTradeWatchEntry& entry) {
    std::lock_guard lock(m_mutex);
    auto bucket = m_levels.find({entry.commodity, entry.quote, entry.below});
    if (bucket == m_levels.end()) {
        return;
    }
    bucket->second.erase({entry.level, entry.account, entry.id, entry.kind});
    if (bucket->second.empty()) {
        m_levels.erase(bucket);
    }
}

std::vector<SimTradeWatchEntry> SimTradeWatch::reached(const Prices& prices) const {
    std::lock_guard lock(m_mutex);
    std::vector<SimTradeWatchEntry> out;
    // Buckets come sorted by commodity: one lookup serves its consecutive buckets.
    std::optional<std::string> looked;
    std::optional<std::array<int64_t, 3>> live;
    for (const auto& [bucket, levels] : m_levels) {
        const auto& [commodity, quote, below] = bucket;
        if (looked != commodity) {
            looked = commodity;
            live = prices(commodity);
        }
        if (!live) {
            continue;
        }
        const int64_t price = (*live)[static_cast<size_t>(quote)];
        auto take = [&](const Target& target) {
            const auto& [level, account, id, kind] = target;
            out.push_back({commodity, quote, below, level, account, id, kind});
        };
        if (below) {
            for (auto at = levels.rbegin(); at != levels.rend() && price <= std::get<0>(*at);
                 ++at) {
                take(*at);
            }
        } else {
            for (auto at = levels.begin(); at != levels.end() && price >= std::get<0>(*at); ++at) {
                take(*at);
            }
        }
    }
    return out;
}
