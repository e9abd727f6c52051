#pragma once
// The rules every closing screen applies the same way: which side closes a holding and at which
// live price, the free quantity of a holding summary or ticket as a range label, the summary a
// ticket belongs to, and whether a typed price or stop level counts. Pure functions; main
// thread (they read the trading store handed in).

#include <memory>
#include <string>

class PXJYChiCangHuiZong;
class PXJYChiCangMingXi;
class PXTradeData;
class PXTradeYiKouJia;

class PXTradeClosingRules {
public:
    struct Direction {
        std::string sign;  // the closing order's side: "1" buy, "2" sell
        std::string text;  // "购入" or "售出"
    };

    // A bought holding ("1") is closed by selling, any other by buying.
    static Direction closingDirection(const std::string& buySellSign);
    // The holding's own side as shown in lists: "购入" for "1", else "售出".
    static std::string holdingSideText(const std::string& buySellSign);
    // The live price a holding closes at (sell price for a bought one, buy price otherwise) in
    // the commodity's price format; "--" without a price above zero, so no order goes out at 0.
    static std::string closingPriceText(const std::string& buySellSign,
                                        const PXTradeYiKouJia* prices,
                                        const std::string& zuiXiaoBianDongJia);
    // "(数量范围:1-n)", or "(数量范围:0-0)" when nothing is free.
    static std::string freeRangeText(int freeQuantity);
    static int freeQuantity(const PXJYChiCangHuiZong& summary);
    static int freeQuantity(const PXJYChiCangMingXi& ticket);
    // The last summary of the ticket's commodity and side in the store, or null.
    static std::shared_ptr<PXJYChiCangHuiZong> summaryOf(const PXTradeData& store,
                                                         const PXJYChiCangMingXi& ticket);
    // The store's present summary of the same commodity and side as `summary`, or null when
    // the account holds none any more (a kept record would show stale lots).
    static std::shared_ptr<PXJYChiCangHuiZong> currentSummary(const PXTradeData& store,
                                                              const PXJYChiCangHuiZong& summary);
    // The range of a ticket: what both the ticket and its summary have free.
    static std::string ticketRangeText(const PXTradeData& store, const PXJYChiCangMingXi& ticket);
    // A price or stop level counts when it reads as a number above zero ("0.5" does).
    static bool isPriceSet(const std::string& text);
};
