#pragma once

// The root screens of the market and trade tabs come from later subsystems, which register
// how to make them at start-up (the client's main does); until then each tab shows a titled
// page. Class operations; main thread.

#include <functional>
#include <memory>

class ViewController;

class VKJYTabRootFactory {
public:
    using Maker = std::function<std::unique_ptr<ViewController>()>;

    static void setMarketRootMaker(Maker maker);
    static void setTradeRootMaker(Maker maker);
    static std::unique_ptr<ViewController> createMarketRoot();
    static std::unique_ptr<ViewController> createTradeRoot();
};
