#include "market/VKJYMarketHeaderView.h"

#include <cmath>

#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketHeaderViewDelegate.h"
#include "market/VKJYWatchList.h"
#include "platform/ui/Label.h"
#include "quote/HQCommodityMatch.h"
#include "quote/QuoteRecords.h"
#include "quote/VKJYHangQingDataClass.h"

namespace {
constexpr double kTileStep = 105;
constexpr double kTileMargin = 5;
constexpr double kTileSize = 99;
constexpr double kWidth = 320;
}  // namespace

double VKJYMarketHeaderView::heightFor(std::size_t count) {
    const auto lines = (count + 1 + kTilesPerLine - 1) / kTilesPerLine;
    return static_cast<double>(lines) * kLineHeight;
}

VKJYMarketHeaderView::VKJYMarketHeaderView(
    std::vector<std::shared_ptr<commodityInfo>> chooseCommodityArray)
    : View(Rect{0, 0, kWidth, heightFor(chooseCommodityArray.size())}),
      m_chooseCommodityArray(std::move(chooseCommodityArray)) {
    setBackgroundColor(Color::fractions(41.0 / 255, 41.0 / 255, 0.2));
    const std::size_t count = m_chooseCommodityArray.size();
    for (std::size_t i = 0; i <= count; ++i) {
        const Rect frame{kTileStep * static_cast<double>(i % kTilesPerLine) + kTileMargin,
                         kLineHeight * static_cast<double>(i / kTilesPerLine) + kTileMargin,
                         kTileSize, kTileSize};
        auto tile = VKJYCustomButton::ChooseButtonframe(frame);
        if (i == count) {
            tile->setAddCommodity();
            tile->addTarget([this](VKJYCustomButton&) {
                if (m_delegate) {
                    m_delegate->AddOrSubChooseCommodity();
                }
            });
            addSubview(std::move(tile));
            continue;
        }
        tile->setInfo(m_chooseCommodityArray[i]);
        tile->addTarget([this](VKJYCustomButton& pressed) {
            if (m_delegate) {
                m_delegate->ChooseCommodityButtonPressed(pressed);
            }
        });
        tile->setDelegate(this);
        tile->setTag(kTileTagBase + static_cast<int>(i));
        tile->CommodityPriceLabel()->setText("--");
        tile->CommodityAddPriceLabel()->setText("-- --");
        addSubview(std::move(tile));
    }
    takeOverDeleteMode();
}

// Delete mode is its commodity's, wherever the rebuilt grid puts it; without it, it ends.
void VKJYMarketHeaderView::takeOverDeleteMode() {
    const auto state = VKJYHangQingDataClass::current();
    const auto* marked =
        state ? dynamic_cast<VKJYCustomButton*>(state->delectedCommodityButton()) : nullptr;
    if (!marked || !marked->CommodityInfo()) {
        return;
    }
    const std::string key = VKJYWatchList::keyOf(*marked->CommodityInfo());
    for (std::size_t i = 0; i < m_chooseCommodityArray.size(); ++i) {
        VKJYCustomButton* t = tile(i);
        if (t && VKJYWatchList::keyOf(*m_chooseCommodityArray[i]) == key) {
            t->setShowsDeleteMark(true);
            state->setDelectedCommodityButton(t);
            return;
        }
    }
    VKJYCustomButton::endDeleteMode();
}

VKJYCustomButton* VKJYMarketHeaderView::tile(std::size_t index) const {
    return dynamic_cast<VKJYCustomButton*>(const_cast<VKJYMarketHeaderView*>(this)->viewWithTag(
        kTileTagBase + static_cast<int>(index)));
}

void VKJYMarketHeaderView::setYikoujiaArray(std::vector<std::shared_ptr<YiKouJia>> quotes) {
    m_yikoujiaArray = std::move(quotes);
    for (std::size_t i = 0; i < m_chooseCommodityArray.size(); ++i) {
        VKJYCustomButton* t = tile(i);
        auto quote = currentYiKouJia(*m_chooseCommodityArray[i]);
        if (t && (!quote || quote != t->yikoujia())) {
            t->setYikoujia(std::move(quote));
        }
    }
}

std::shared_ptr<YiKouJia> VKJYMarketHeaderView::currentYiKouJia(
    const commodityInfo& commodity) const {
    for (const auto& quote : m_yikoujiaArray) {
        if (!quote || quote->MarketID == 0 || quote->commodityNum == 0 || quote->DiskID == 0) {
            continue;
        }
        if (HQCommodityMatch::isQuoteOf(*quote, commodity)) {
            return quote;
        }
    }
    return nullptr;
}

void VKJYMarketHeaderView::shanchuButtonPressed(VKJYCustomButton& tile) {
    if (m_delegate && tile.CommodityInfo()) {
        m_delegate->delectedChooseCommodity(tile.CommodityInfo());
    }
}

void VKJYMarketHeaderView::touchesBegan(const TouchSet&, const Event&) {
    const auto state = VKJYHangQingDataClass::current();
    if (state && state->delectedCommodityButton()) {
        VKJYCustomButton::endDeleteMode();
        state->setCanRefreshYiKouJia(true);
    }
}

void VKJYMarketHeaderView::touchesEnded(const TouchSet&, const Event&) {
    const auto state = VKJYHangQingDataClass::current();
    if (!state) {
        return;
    }
    if (state->delectedCommodityButton()) {
        VKJYCustomButton::endDeleteMode();
        return;
    }
    state->setCanRefreshYiKouJia(true);
}
