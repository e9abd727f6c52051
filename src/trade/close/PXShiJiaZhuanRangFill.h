#pragma once
// How a screen writes the market-price transfer form for a holding summary (by commodity) or
// a holding ticket (by number): commodity, number button, free range, average price, closing
// side and live price, the reverse delisting's range; and the reverse delisting order that
// follows a transfer. Written once for every screen that hosts the form. Class operations;
// main thread (they read the trading store handed in).

#include <string>

#include "trade/core/PXTradeTypes.h"

class PXHoldingChoice;
class PXJYChiCangHuiZong;
class PXJYChiCangMingXi;
class PXJYShiJiaZhuanRangView;
class PXTradeData;

class PXShiJiaZhuanRangFill {
public:
    // By the summary of that commodity and side as the store holds it now; one that has gone
    // is forgotten as a number is.
    static void byCommodity(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                            const PXJYChiCangHuiZong& summary);
    static void byNumber(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                         const std::string& number, const PXJYChiCangMingXi& ticket);
    // By the number as the store holds it now. None ("") shows "--" prices and "(数量范围:0-0)";
    // a number no longer held is forgotten: no number, commodity "--", nothing of it goes out.
    static void byNumber(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                         const std::string& number);
    // The refresh of a form from what its user chose on it, in the form's own mode only: by
    // commodity from `summary`, by number from `number`, so neither mode writes the other. A
    // chosen holding that went is forgotten whichever mode shows, a chosen number the store no
    // longer holds when its mode shows (`number` is emptied); the form in that mode then shows
    // none. Gives the commodity now on the form ("" for none).
    static std::string refresh(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                               PXHoldingChoice& summary, std::string& number);
    // The opening order in the transfer's own side and price for its "fanShouJianCangNum".
    static JYDict reverseDelistingOrder(const JYDict& transfer, const std::string& requestId);
};
