#include "shell/VKJYFastTradeViewControllerFactory.h"

#include "quote/QuoteRecords.h"

namespace {
constexpr int kOrderBookMode = 4;

struct Makers {
    VKJYFastTradeViewControllerFactory::Maker quoteMode;
    VKJYFastTradeViewControllerFactory::Maker orderBook;
};

Makers& makers() {
    static Makers registered;
    return registered;
}
}  // namespace

void VKJYFastTradeViewControllerFactory::registerPanels(Maker quoteModePanel,
                                                        Maker orderBookPanel) {
    makers() = {std::move(quoteModePanel), std::move(orderBookPanel)};
}

std::unique_ptr<VKJYFastTradePanel>
VKJYFastTradeViewControllerFactory::createFastTradeViewController(
    const std::shared_ptr<commodityInfo>& commodity) {
    if (!commodity) {
        return nullptr;
    }
    const auto& maker =
        commodity->productJYtype == kOrderBookMode ? makers().orderBook : makers().quoteMode;
    return maker ? maker() : nullptr;
}

void VKJYFastTradeViewControllerFactory::setupFastTradeViewController(
    VKJYFastTradePanel& panel, VKJYFastTradeDelegate* delegate,
    VKJYFastTradePanel::MarketAndDisk allMarketandDisk,
    std::shared_ptr<commodityInfo> selectedCommodityInfo, bool isShanJian) {
    panel.setDelegate(delegate);
    panel.addTradeViewCommodity(isShanJian, std::move(selectedCommodityInfo),
                                std::move(allMarketandDisk));
}
