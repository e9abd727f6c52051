#pragma once

// What the watch grid tells the market list. Empty default bodies. Main thread.

#include <memory>

class VKJYCustomButton;
struct commodityInfo;

class VKJYMarketHeaderViewDelegate {
public:
    virtual ~VKJYMarketHeaderViewDelegate() = default;
    // A commodity tile was tapped outside delete mode.
    virtual void ChooseCommodityButtonPressed(VKJYCustomButton& /*tile*/) {}
    // The "增减商品" tile was tapped.
    virtual void AddOrSubChooseCommodity() {}
    // A tile's delete mark was tapped.
    virtual void delectedChooseCommodity(const std::shared_ptr<commodityInfo>& /*commodity*/) {}
};
