#pragma once

// The market list opens the quote screen and the watch-list editor by class name: those
// screens register how they are made at start-up (the client's main calls their folder's
// registration) and the list asks by name. An unregistered name makes nothing, and the list
// then opens nothing. Class operations; main thread.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quote/QuoteRecords.h"

class ViewController;

// What the market list hands the screen it opens.
struct VKJYMarketScreenArgs {
    // The catalogue: element 0 holds every market.
    std::vector<std::shared_ptr<MarketItem>> commodityArray;
    std::shared_ptr<commodityInfo> commodity;
    std::shared_ptr<YiKouJia> yikoujia;
    // The watch list's keys, every one, whether its commodity is listed now or not.
    std::vector<std::string> chooseCommodityIDArray;
};

class VKJYMarketScreenFactory {
public:
    // The quote screen: the catalogue, the commodity and its last quote.
    static constexpr const char* kMarketChartController = "VKJYMarketChartController";
    // The watch-list editor: the catalogue and the watch list's keys.
    static constexpr const char* kCommodityEditController = "VKJYMarketCommodityEditController";

    using Maker = std::function<std::unique_ptr<ViewController>(const VKJYMarketScreenArgs&)>;

    static void registerScreen(const std::string& className, Maker maker);
    static bool isRegistered(const std::string& className);
    static std::unique_ptr<ViewController> create(const std::string& className,
                                                  const VKJYMarketScreenArgs& args);
};
