#pragma once
// The eight caption/value rows of a holding summary on the position detail screens: commodity,
// the holding's own side, lots, average opening and holding prices, the live transfer price,
// the real-time profit or loss and the margin paid, every figure with two decimals. The values
// end at the first one missing; none at all when the store does not know the commodity. Pure
// functions over the trading store handed in; main thread.

#include <string>
#include <vector>

class PXJYChiCangHuiZong;
class PXTradeData;

class PXHuiZongXiangQingRows {
public:
    static const std::vector<std::string>& captions();
    static std::vector<std::string> values(const PXJYChiCangHuiZong& summary,
                                           const PXTradeData& store);
};
