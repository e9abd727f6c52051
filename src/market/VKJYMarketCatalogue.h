#pragma once

// The market list's catalogue and quote table. The catalogue is one MarketItem holding every
// market of every quote server, each market its panels, each panel its commodities; the merge
// folds a market's panels into the ones the list shows. Quotes are kept by commodity (server,
// market, panel, commodity identifier), so a reply can only ever fill its own commodities'
// slots, whatever its length or order; reindex() after every change of the catalogue keeps the
// sections, the keys and the quotes in step with it. A plain value owned by the market list's
// data road. Main thread.

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "quote/QuoteRecords.h"

struct VKJYMarketPanel {
    std::shared_ptr<MarketInfo> market;
    std::shared_ptr<DiskInfo> disk;
};

class VKJYMarketCatalogue {
public:
    using Items = std::vector<std::shared_ptr<MarketItem>>;
    // The environment tag of a market's panel, empty when it has none.
    using TagLookup = std::function<std::string(int16_t marketId, int16_t diskId)>;

    VKJYMarketCatalogue();

    bool empty() const { return markets().empty(); }
    // Element 0 holds every market; the form the quote screen and the trading side take.
    const Items& items() const { return m_items; }
    const std::vector<std::shared_ptr<MarketInfo>>& markets() const;

    // The markets of one server's market-list reply, appended.
    void addMarkets(const MarketItem& reply);
    // By MarketID; markets with equal identifiers keep their order.
    void sortMarkets();
    // A panel's commodity list, sorted by code, becomes the list of every panel with that
    // identifier in the markets of that server and identifier; false when none matched.
    bool setPanelCommodities(int server, int16_t marketId, int16_t diskId,
                             std::vector<std::shared_ptr<commodityInfo>> commodities);
    // Folds each market's panels: subordinate panels and panels that repeat an owner's
    // commodities leave; the free panels share out their commodities, tagged by environment.
    void merge(const TagLookup& tagOf);

    // Every panel, markets and panels in catalogue order (what requests walk).
    std::vector<VKJYMarketPanel> allPanels() const;
    // The panels in their own right, one table section each.
    const std::vector<VKJYMarketPanel>& sections() const { return m_sections; }
    int commodityCount() const { return m_commodityCount; }
    // The commodity with that code in the panels of that identifier of the markets of that
    // identifier; the last match wins.
    std::shared_ptr<commodityInfo> findCommodity(int marketId, int diskId,
                                                 const std::string& code) const;

    // Rebuilds the sections and the commodity keys; quotes of commodities no longer listed go.
    void reindex();
    // Quotes of one server's reply; entries of commodities not in the catalogue are dropped.
    // The number of quotes taken.
    int applyQuotes(int server, const std::vector<std::shared_ptr<YiKouJia>>& quotes);
    std::shared_ptr<YiKouJia> currentYiKouJia(const commodityInfo& commodity) const;
    // One slot per commodity in catalogue order, null until its first quote.
    std::vector<std::shared_ptr<YiKouJia>> quoteTable() const;

private:
    struct Key {
        int server = 0;
        int16_t market = 0;
        int16_t disk = 0;
        int16_t commodity = 0;
        auto operator<=>(const Key&) const = default;
    };
    static Key keyOf(const commodityInfo& commodity);
    static void mergeMarket(MarketInfo& market, const TagLookup& tagOf);

    Items m_items;
    std::vector<VKJYMarketPanel> m_sections;
    std::set<Key> m_keys;
    std::map<Key, std::shared_ptr<YiKouJia>> m_quotes;
    int m_commodityCount = 0;
};
