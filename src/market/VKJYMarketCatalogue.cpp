#include "market/VKJYMarketCatalogue.h"

#include <algorithm>

namespace {
using Disks = std::vector<std::shared_ptr<DiskInfo>>;

bool contains(const Disks& disks, const DiskInfo* disk) {
    return std::any_of(disks.begin(), disks.end(), [&](const auto& d) { return d.get() == disk; });
}

std::set<int16_t> commodityIds(const Disks& disks) {
    std::set<int16_t> ids;
    for (const auto& disk : disks) {
        for (const auto& commodity : disk->commodityInfoArray) {
            ids.insert(commodity->CommodityID);
        }
    }
    return ids;
}

bool sharesCommodity(const DiskInfo& disk, const std::set<int16_t>& ids) {
    return std::any_of(disk.commodityInfoArray.begin(), disk.commodityInfoArray.end(),
                       [&](const auto& c) { return ids.count(c->CommodityID) != 0; });
}

// Later entries with an identifier already pooled leave; their first tag joins the first one's.
void removeRepeats(std::vector<std::shared_ptr<commodityInfo>>& pool) {
    for (std::size_t i = 0; i < pool.size(); ++i) {
        for (std::size_t j = i + 1; j < pool.size();) {
            if (pool[j]->CommodityID != pool[i]->CommodityID) {
                ++j;
                continue;
            }
            if (!pool[j]->tagArray.empty()) {
                pool[i]->tagArray.push_back(pool[j]->tagArray.front());
            }
            pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(j));
        }
    }
}
}  // namespace

VKJYMarketCatalogue::VKJYMarketCatalogue() {
    m_items.push_back(std::make_shared<MarketItem>());
}

const std::vector<std::shared_ptr<MarketInfo>>& VKJYMarketCatalogue::markets() const {
    return m_items.front()->MarketInfoArray;
}

void VKJYMarketCatalogue::addMarkets(const MarketItem& reply) {
    auto& markets = m_items.front()->MarketInfoArray;
    for (const auto& market : reply.MarketInfoArray) {
        if (market) {
            markets.push_back(market);
        }
    }
}

void VKJYMarketCatalogue::sortMarkets() {
    auto& markets = m_items.front()->MarketInfoArray;
    std::stable_sort(markets.begin(), markets.end(),
                     [](const auto& a, const auto& b) { return a->MarketID < b->MarketID; });
}

bool VKJYMarketCatalogue::setPanelCommodities(
    int server, int16_t marketId, int16_t diskId,
    std::vector<std::shared_ptr<commodityInfo>> commodities) {
    std::erase(commodities, nullptr);
    std::stable_sort(commodities.begin(), commodities.end(), [](const auto& a, const auto& b) {
        return a->CommodityCode < b->CommodityCode;
    });
    bool matched = false;
    for (const auto& market : markets()) {
        if (market->MarketIndex != server || market->MarketID != marketId) {
            continue;
        }
        for (const auto& disk : market->diskInfoArray) {
            if (disk && disk->DiskID == diskId) {
                disk->commodityInfoArray = commodities;
                matched = true;
            }
        }
    }
    return matched;
}

void VKJYMarketCatalogue::merge(const TagLookup& tagOf) {
    for (const auto& market : markets()) {
        mergeMarket(*market, tagOf);
    }
}

void VKJYMarketCatalogue::mergeMarket(MarketInfo& market, const TagLookup& tagOf) {
    Disks subordinate;
    Disks own;
    for (const auto& disk : market.diskInfoArray) {
        if (disk) {
            (disk->ownDiskID != 0 ? subordinate : own).push_back(disk);
        }
    }
    Disks owners;
    for (const auto& sub : subordinate) {
        for (const auto& disk : own) {
            if (disk->DiskID == sub->ownDiskID) {
                owners.push_back(disk);
            }
        }
    }
    std::set<int16_t> taken = commodityIds(owners);
    taken.merge(commodityIds(subordinate));
    Disks free;
    for (const auto& disk : own) {
        if (!contains(owners, disk.get()) && !sharesCommodity(*disk, taken)) {
            free.push_back(disk);
        }
    }
    Disks sharing;
    std::vector<std::shared_ptr<commodityInfo>> pool;
    for (const auto& disk : free) {
        if (disk->DiskType == 0) {
            continue;
        }
        sharing.push_back(disk);
        const std::string tag = tagOf ? tagOf(market.MarketID, disk->DiskID) : std::string();
        for (const auto& commodity : disk->commodityInfoArray) {
            if (!tag.empty()) {
                commodity->tagArray.push_back(tag);
            }
            pool.push_back(commodity);
        }
    }
    removeRepeats(pool);
    for (const auto& disk : sharing) {
        disk->commodityInfoArray.clear();
        std::copy_if(pool.begin(), pool.end(), std::back_inserter(disk->commodityInfoArray),
                     [&](const auto& c) { return c->DiskID == disk->DiskID; });
    }
    for (const auto& commodity : pool) {
        if (!commodity->tagArray.empty()) {
            commodity->CommodityName += "(" + commodity->tagArray.front() + ")";
        }
    }
    market.diskInfoArray = owners;
    market.diskInfoArray.insert(market.diskInfoArray.end(), free.begin(), free.end());
}

std::vector<VKJYMarketPanel> VKJYMarketCatalogue::allPanels() const {
    std::vector<VKJYMarketPanel> panels;
    for (const auto& market : markets()) {
        for (const auto& disk : market->diskInfoArray) {
            if (disk) {
                panels.push_back({market, disk});
            }
        }
    }
    return panels;
}

std::shared_ptr<commodityInfo> VKJYMarketCatalogue::findCommodity(int marketId, int diskId,
                                                                  const std::string& code) const {
    std::shared_ptr<commodityInfo> found;
    for (const auto& panel : allPanels()) {
        if (panel.market->MarketID != marketId || panel.disk->DiskID != diskId) {
            continue;
        }
        for (const auto& commodity : panel.disk->commodityInfoArray) {
            if (commodity->CommodityCode == code) {
                found = commodity;
            }
        }
    }
    return found;
}

void VKJYMarketCatalogue::reindex() {
    m_sections.clear();
    m_keys.clear();
    m_commodityCount = 0;
    for (const auto& panel : allPanels()) {
        if (panel.disk->ownDiskID == 0) {
            m_sections.push_back(panel);
        }
        for (const auto& commodity : panel.disk->commodityInfoArray) {
            m_keys.insert(keyOf(*commodity));
            ++m_commodityCount;
        }
    }
    std::erase_if(m_quotes, [&](const auto& entry) { return m_keys.count(entry.first) == 0; });
}

VKJYMarketCatalogue::Key VKJYMarketCatalogue::keyOf(const commodityInfo& commodity) {
    return {commodity.panindex, commodity.MarketID, commodity.DiskID, commodity.CommodityID};
}

int VKJYMarketCatalogue::applyQuotes(int server,
                                     const std::vector<std::shared_ptr<YiKouJia>>& quotes) {
    int taken = 0;
    for (const auto& quote : quotes) {
        if (!quote) {
            continue;
        }
        const Key key{server, quote->MarketID, quote->DiskID, quote->commodityNum};
        if (m_keys.count(key) == 0) {
            continue;
        }
        m_quotes[key] = quote;
        ++taken;
    }
    return taken;
}

std::shared_ptr<YiKouJia> VKJYMarketCatalogue::currentYiKouJia(
    const commodityInfo& commodity) const {
    const auto found = m_quotes.find(keyOf(commodity));
    return found == m_quotes.end() ? nullptr : found->second;
}

std::vector<std::shared_ptr<YiKouJia>> VKJYMarketCatalogue::quoteTable() const {
    std::vector<std::shared_ptr<YiKouJia>> table;
    table.reserve(static_cast<std::size_t>(m_commodityCount));
    for (const auto& panel : allPanels()) {
        for (const auto& commodity : panel.disk->commodityInfoArray) {
            table.push_back(currentYiKouJia(*commodity));
        }
    }
    return table;
}
