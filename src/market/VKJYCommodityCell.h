#pragma once

// One commodity row of the market list (reuse identifier "CommodityCell"): name, last price and
// change, coloured by rise or fall, a blue highlight while selected and a separator line. Shared
// between the table and the market list. Main thread.

#include <memory>

#include "platform/ui/TableViewCell.h"

class ImageView;
class Label;
class TableView;
class VKJYMarketCatalogue;
struct YiKouJia;
struct commodityInfo;

class VKJYCommodityCell : public TableViewCell {
public:
    static constexpr const char* kReuseIdentifier = "CommodityCell";

    explicit VKJYCommodityCell(std::shared_ptr<commodityInfo> commodity);

    void setCommodityInfo(std::shared_ptr<commodityInfo> commodity,
                          const std::shared_ptr<YiKouJia>& quote);
    // New quotes into every commodity row on screen, without asking the table for its rows
    // again.
    static void refreshVisibleRows(TableView& table, const VKJYMarketCatalogue& catalogue);

    const std::shared_ptr<commodityInfo>& comInfo() const { return m_comInfo; }
    Label* commodityNameLabel() const { return m_nameLabel; }
    Label* commodityPriceLabel() const { return m_priceLabel; }
    Label* commodityZhangFuLabel() const { return m_changeLabel; }

private:
    std::shared_ptr<commodityInfo> m_comInfo;
    std::shared_ptr<YiKouJia> m_shownQuote;
    Label* m_nameLabel = nullptr;
    Label* m_priceLabel = nullptr;
    Label* m_changeLabel = nullptr;
};
