#pragma once

// The commodity and quote lookup that the trading side reads: the market list hands it its
// catalogue and its quote table; trading screens find a quote commodity by house, panel and
// trading code and its latest quote. Held by VKJYHangQingDataClass; main thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quote/QuoteRecords.h"

class HQJYEntity {
public:
    using Catalogue = std::vector<std::shared_ptr<MarketItem>>;
    // One slot per commodity of the catalogue; an empty slot until its first quote.
    using QuoteTable = std::vector<std::shared_ptr<YiKouJia>>;

    void setCommodityInfoArray(Catalogue catalogue) { m_catalogue = std::move(catalogue); }
    void setCommodityYiKouJiaArray(QuoteTable quotes) { m_quotes = std::move(quotes); }
    const Catalogue& commodityInfoArray() const { return m_catalogue; }
    const QuoteTable& commodityYiKouJiaArray() const { return m_quotes; }

    // The commodity whose quote code names the trading code productCode in the own disk
    // (ownDiskID 0) panelCode of market houseCode; nothing for a missing or empty code or no
    // match.
    std::shared_ptr<commodityInfo> getHQproductInfoWithHouseCode(
        int houseCode, int panelCode, const std::optional<std::string>& productCode) const;
    // The commodity list of that disk, or nothing.
    std::optional<std::vector<std::shared_ptr<commodityInfo>>> getHQproductInfoWithHouseCode(
        int houseCode, int panelCode) const;
    // The latest quote of that commodity, or nothing.
    std::shared_ptr<YiKouJia> getHQyikoujiaWithCode(const commodityInfo& commodity) const;
    // The watch keys ("%d_%d" of commodity and server index) of the shared quote state, or
    // nothing when there is no shared state.
    std::optional<std::vector<std::string>> getCommodityChooseList() const;

private:
    std::shared_ptr<DiskInfo> ownDisk(int houseCode, int panelCode) const;

    Catalogue m_catalogue;
    QuoteTable m_quotes;
};
