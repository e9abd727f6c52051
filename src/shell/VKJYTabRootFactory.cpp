#include "shell/VKJYTabRootFactory.h"

#include "shell/VKJYPageViewController.h"

namespace {
VKJYTabRootFactory::Maker& marketMaker() {
    static VKJYTabRootFactory::Maker maker;
    return maker;
}

VKJYTabRootFactory::Maker& tradeMaker() {
    static VKJYTabRootFactory::Maker maker;
    return maker;
}
}  // namespace

void VKJYTabRootFactory::setMarketRootMaker(Maker maker) {
    marketMaker() = std::move(maker);
}

void VKJYTabRootFactory::setTradeRootMaker(Maker maker) {
    tradeMaker() = std::move(maker);
}

std::unique_ptr<ViewController> VKJYTabRootFactory::createMarketRoot() {
    if (marketMaker()) {
        return marketMaker()();
    }
    return std::make_unique<VKJYPageViewController>("行情", "行情列表正在准备中");
}

std::unique_ptr<ViewController> VKJYTabRootFactory::createTradeRoot() {
    if (tradeMaker()) {
        return tradeMaker()();
    }
    return std::make_unique<VKJYPageViewController>("交易", "交易功能正在准备中");
}
