#include "market/VKJYCatalogueSections.h"

#include "quote/HQCommodityMatch.h"

namespace {
std::vector<VKJYCatalogueSection> ownPanels(const std::shared_ptr<MarketItem>& item) {
    std::vector<VKJYCatalogueSection> panels;
    if (!item) {
        return panels;
    }
    for (const auto& market : item->MarketInfoArray) {
        if (!market) {
            continue;
        }
        for (const auto& disk : market->diskInfoArray) {
            if (disk && disk->ownDiskID == 0) {
                panels.push_back({market, disk});
            }
        }
    }
    return panels;
}

// The place of the panel that lists the commodity itself; -1 when none does.
int indexListing(const std::vector<VKJYCatalogueSection>& panels, const commodityInfo& commodity) {
    for (std::size_t index = 0; index < panels.size(); ++index) {
        for (const auto& listed : panels[index].disk->commodityInfoArray) {
            if (listed && HQCommodityMatch::sameCommodity(*listed, commodity)) {
                return static_cast<int>(index);
            }
        }
    }
    return -1;
}
}  // namespace

std::vector<VKJYCatalogueSection> VKJYCatalogueSections::sections(const Items& items) {
    return items.empty() ? std::vector<VKJYCatalogueSection>() : ownPanels(items.back());
}

const VKJYCatalogueSections::Commodities* VKJYCatalogueSections::commoditiesOfSection(
    const Items& items, int section) {
    if (items.empty() || section < 0) {
        return nullptr;
    }
    int index = 0;
    for (const auto& panel : ownPanels(items.back())) {
        if (index++ == section) {
            return &panel.disk->commodityInfoArray;
        }
    }
    return nullptr;
}

int VKJYCatalogueSections::sectionOf(const Items& items, const commodityInfo& commodity) {
    return indexListing(sections(items), commodity);
}

VKJYCatalogueSections::MarketAndDisk VKJYCatalogueSections::marketAndDisk(
    const Items& items, const commodityInfo& commodity) {
    if (items.empty()) {
        return std::nullopt;
    }
    const auto panels = ownPanels(items.front());
    const int index = indexListing(panels, commodity);
    if (index < 0) {
        return std::nullopt;
    }
    const VKJYCatalogueSection& panel = panels[static_cast<std::size_t>(index)];
    return std::map<std::string, int>{{"MARKETID", panel.market->MarketID},
                                      {"DISKID", panel.disk->DiskID}};
}
