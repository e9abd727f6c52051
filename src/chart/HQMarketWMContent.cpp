#include "chart/HQMarketWMContent.h"

#include <algorithm>

#include "chart/ChartScale.h"
#include "chart/ChartTime.h"
#include "platform/foundation/DateFormat.h"
#include "quote/HQCommodityMatch.h"
#include "quote/QuoteRecords.h"

namespace {

constexpr const char* kEmpty = "-";

HQWMRowTexts emptyRow() {
    return {kEmpty, kEmpty, Color::whiteColor(), kEmpty};
}

// A reply without a book leaves both sides empty and no book number.
bool carriesBook(const YiKouJia& quote) {
    return quote.wudang && (quote.wudang->WDNum != 0 || !quote.wudang->sellPriceAry.empty() ||
                            !quote.wudang->buyPriceAry.empty());
}

template <typename Level, typename Price>
std::vector<std::shared_ptr<Level>> pricedLevelsHighestFirst(
    const std::vector<std::shared_ptr<Level>>& side, Price price) {
    std::vector<std::shared_ptr<Level>> levels;
    for (const auto& level : side) {
        if (level && (*level).*price != 0) {
            levels.push_back(level);
        }
    }
    std::stable_sort(levels.begin(), levels.end(),
                     [price](const auto& a, const auto& b) { return (*a).*price > (*b).*price; });
    return levels;
}

}  // namespace

HQMarketWMContent::HQMarketWMContent()
    : m_yiKouJia(std::make_shared<YiKouJia>()), m_wuDangData(std::make_shared<wuDang>()) {}

void HQMarketWMContent::refreshAllTableView(const std::shared_ptr<YiKouJia>& quote) {
    if (!quote) {
        return;
    }
    const bool otherCommodity = !HQCommodityMatch::sameCommodity(*quote, *m_yiKouJia);
    if (otherCommodity) {
        m_mingXiArray.clear();
        m_wuDangData = std::make_shared<wuDang>();
    }
    m_yiKouJia = quote;
    takeTrades(*quote);
    if (carriesBook(*quote)) {
        takeBook(*quote);
    }
}

void HQMarketWMContent::takeTrades(const YiKouJia& quote) {
    for (const auto& trade : quote.fenbi) {
        const bool listed =
            !trade || std::any_of(m_mingXiArray.begin(), m_mingXiArray.end(),
                                  [&](const auto& t) { return t->fbIndex == trade->fbIndex; });
        if (!listed) {
            m_mingXiArray.push_back(trade);
        }
    }
    std::stable_sort(m_mingXiArray.begin(), m_mingXiArray.end(),
                     [](const auto& a, const auto& b) { return a->fbTime < b->fbTime; });
    if (m_mingXiArray.size() > kShownTrades) {
        m_mingXiArray.erase(m_mingXiArray.begin(), m_mingXiArray.end() - kShownTrades);
    }
}

void HQMarketWMContent::takeBook(const YiKouJia& quote) {
    auto book = std::make_shared<wuDang>();
    book->WDNum = quote.wudang->WDNum;
    book->sellPriceAry =
        pricedLevelsHighestFirst(quote.wudang->sellPriceAry, &wuDangSell::wuDangSellPrice);
    book->buyPriceAry =
        pricedLevelsHighestFirst(quote.wudang->buyPriceAry, &wuDangBuy::wuDangBuyPrice);
    m_wuDangData = std::move(book);
}

std::string HQMarketWMContent::priceText(double price) const {
    return chartscale::priceText(price, m_yiKouJia->leastChPrice);
}

Color HQMarketWMContent::priceColor(double price) const {
    if (price > m_yiKouJia->yesterdayClose) {
        return Color::redColor();
    }
    if (price < m_yiKouJia->yesterdayClose) {
        return Color::greenColor();
    }
    return Color::whiteColor();
}

HQWMRowTexts HQMarketWMContent::sellRow(int row) const {
    const auto& side = m_wuDangData->sellPriceAry;
    const int count = static_cast<int>(side.size());
    HQWMRowTexts texts = emptyRow();
    texts.first = std::to_string(kBookLevels - row);
    // The lowest asks sit at the bottom, next to the bids.
    const int index = row + count - kBookLevels;
    if (row < 0 || row >= kBookLevels || index < 0) {
        return texts;
    }
    const auto& level = *side[static_cast<size_t>(index)];
    texts.price = priceText(level.wuDangSellPrice);
    texts.priceColor = priceColor(level.wuDangSellPrice);
    texts.volume = std::to_string(level.wuDangGPCount - level.wuDangZPCount);
    return texts;
}

HQWMRowTexts HQMarketWMContent::buyRow(int row) const {
    const auto& side = m_wuDangData->buyPriceAry;
    HQWMRowTexts texts = emptyRow();
    texts.first = std::to_string(row + 1);
    if (row < 0 || row >= kBookLevels || row >= static_cast<int>(side.size())) {
        return texts;
    }
    const auto& level = *side[static_cast<size_t>(row)];
    texts.price = priceText(level.wuDangBuyPrice);
    texts.priceColor = priceColor(level.wuDangBuyPrice);
    texts.volume = std::to_string(level.wuDangGPCount - level.wuDangZPCount);
    return texts;
}

HQWMRowTexts HQMarketWMContent::tradeRow(int row) const {
    if (row < 0 || row >= static_cast<int>(m_mingXiArray.size())) {
        HQWMRowTexts texts = emptyRow();
        texts.priceColor.reset();
        return texts;
    }
    const auto& trade = *m_mingXiArray[static_cast<size_t>(row)];
    // Trade times are the exchange's, like the chart's, wherever the device is.
    const DateFormat time("HH:mm", charttime::exchangeZone());
    return {time.format(static_cast<double>(trade.fbTime / 1000)), priceText(trade.fbPrice),
            priceColor(trade.fbPrice), std::to_string(trade.fbcjl)};
}
