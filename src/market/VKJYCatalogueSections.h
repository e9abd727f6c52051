#pragma once

// How the market screens read the catalogue the market list hands them: the panels in their
// own right of the last catalogue element are the sections (one per panel, markets and panels
// in order), and the shown commodity's market and panel are looked up in the first element.
// Class operations over a catalogue the caller keeps (shared, read-only); no view. Main thread.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quote/QuoteRecords.h"

struct VKJYCatalogueSection {
    std::shared_ptr<MarketInfo> market;
    std::shared_ptr<DiskInfo> disk;
};

class VKJYCatalogueSections {
public:
    using Items = std::vector<std::shared_ptr<MarketItem>>;
    using Commodities = std::vector<std::shared_ptr<commodityInfo>>;
    // "MARKETID" and "DISKID" of the panel that lists a commodity.
    using MarketAndDisk = std::optional<std::map<std::string, int>>;

    static std::vector<VKJYCatalogueSection> sections(const Items& items);
    // The rows of the n-th section; nothing beyond the last or below 0.
    static const Commodities* commoditiesOfSection(const Items& items, int section);
    // The section that lists the commodity itself; -1 when none does.
    static int sectionOf(const Items& items, const commodityInfo& commodity);
    // The own panel of the first element that lists the commodity itself, never another one
    // that shares its code; nothing when none does.
    static MarketAndDisk marketAndDisk(const Items& items, const commodityInfo& commodity);
};
