#pragma once

// Makes the quick-trade panel for a commodity: the order-book panel when its productJYtype is
// 4, the quote-mode panel otherwise. The panels live in the quick-trade subsystem, which
// registers how to make them at start-up; until it has, no panel is made. Class operations;
// main thread.

#include <functional>
#include <memory>

#include "shell/VKJYFastTradePanel.h"

class VKJYFastTradeViewControllerFactory {
public:
    using Maker = std::function<std::unique_ptr<VKJYFastTradePanel>()>;

    static void registerPanels(Maker quoteModePanel, Maker orderBookPanel);

    // Nothing when the panel kind is not registered or there is no commodity.
    static std::unique_ptr<VKJYFastTradePanel> createFastTradeViewController(
        const std::shared_ptr<commodityInfo>& commodity);
    static void setupFastTradeViewController(VKJYFastTradePanel& panel,
                                             VKJYFastTradeDelegate* delegate,
                                             VKJYFastTradePanel::MarketAndDisk allMarketandDisk,
                                             std::shared_ptr<commodityInfo> selectedCommodityInfo,
                                             bool isShanJian);
};
