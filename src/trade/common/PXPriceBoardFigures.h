#pragma once
// The fill rule of the price board: the text and colour of each value label, computed from a
// commodity's latest trading prices and its price step. Every host screen (opening, closing,
// quick trade, listing) fills its board through this one rule. Plain value; main thread.

#include <string>

#include "platform/graphics/Color.h"

class PXTradeCommodity;
class PXTradeData;
class PXTradeYiKouJia;

struct PXPriceBoardFigures {
    struct Cell {
        std::string text = "--";
        Color color = Color::whiteColor();
    };

    Cell dangQianJia;
    Cell zhangFu;
    Cell zhangFuBi;
    Cell buyl;
    Cell sellL;
    Cell zuiGaoL;
    Cell zuiDiL;
    Cell kaiPanJ;
    Cell zuoShouJ;
    Cell zhengFuL;

    // Without prices every cell is "--" in white. A previous close of 0 leaves the two
    // percentages at "--", since there is nothing to divide by.
    static PXPriceBoardFigures make(const PXTradeYiKouJia* prices,
                                    const std::string& zuiXiaoBianDongJia);
    // The figures of a commodity code as the trading store holds them now.
    static PXPriceBoardFigures fromStore(const PXTradeData& store, const std::string& code);
};
