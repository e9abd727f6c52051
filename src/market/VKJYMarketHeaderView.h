#pragma once

// The watch grid at the top of the market list: one tile per watched commodity (tags 1000 + i),
// three to a line of 108 points, then the "增减商品" tile. Delete mode belongs to its commodity:
// a rebuilt grid marks that commodity's tile, or ends delete mode without it. Touches on the grid
// outside the tiles end delete mode. Owned by its superview (the market list keeps it too); the
// delegate is not owned. Main thread.

#include <memory>
#include <vector>

#include "market/VKJYCustomButtonDelegate.h"
#include "platform/ui/View.h"

class VKJYCustomButton;
class VKJYMarketHeaderViewDelegate;
struct YiKouJia;
struct commodityInfo;

class VKJYMarketHeaderView : public View, public VKJYCustomButtonDelegate {
public:
    static constexpr double kLineHeight = 108;
    static constexpr int kTilesPerLine = 3;
    static constexpr int kTileTagBase = 1000;

    explicit VKJYMarketHeaderView(std::vector<std::shared_ptr<commodityInfo>> chooseCommodityArray);

    // L x 108 for n watched commodities, L the lines of n + 1 tiles.
    static double heightFor(std::size_t count);

    void setDelegate(VKJYMarketHeaderViewDelegate* delegate) { m_delegate = delegate; }
    const std::vector<std::shared_ptr<commodityInfo>>& chooseCommodityArray() const {
        return m_chooseCommodityArray;
    }
    // Shows on every tile the quote of its commodity ("--" without one).
    void setYikoujiaArray(std::vector<std::shared_ptr<YiKouJia>> quotes);
    std::shared_ptr<YiKouJia> currentYiKouJia(const commodityInfo& commodity) const;
    VKJYCustomButton* tile(std::size_t index) const;

    void shanchuButtonPressed(VKJYCustomButton& tile) override;
    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;

private:
    void takeOverDeleteMode();

    std::vector<std::shared_ptr<commodityInfo>> m_chooseCommodityArray;
    std::vector<std::shared_ptr<YiKouJia>> m_yikoujiaArray;
    VKJYMarketHeaderViewDelegate* m_delegate = nullptr;
};
