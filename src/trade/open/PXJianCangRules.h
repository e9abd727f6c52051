#pragma once
// The form logic of the two quote-mode opening forms, without views: the checks run when the
// user presses "摘牌" (each refusal with its dialog title and text), the deposit line, the
// price band and the stop-loss and take-profit ranges the host writes, and the filter of the
// price fields. Pure functions; main thread.

#include <optional>
#include <string>
#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXTradeCommodity;

struct PXJianCangRefusal {
    std::string title;
    std::string message;
};

class PXJianCangRules {
public:
    // The host has no range for the commodity: its open-orders query is on its way or failed.
    static constexpr const char* kNoRange = "获取数据失败";

    struct MarketInput {
        std::string quantity;
        std::string rangeLabel;
        std::string priceLabel;
        bool spreadTicked = false;
        std::string spread;
        std::string spreadMinimum;
        std::string spreadMaximum;
    };

    struct ConditionalInput {
        std::string quantity;
        std::string rangeLabel;
        std::string limitPrice;
        std::string bandLabel;
        int side = 1;
        bool stopLossTicked = false;
        std::string stopLoss;
        std::string stopLossLabel;
        bool takeProfitTicked = false;
        std::string takeProfit;
        std::string takeProfitLabel;
    };

    // The price band and the two stop ranges, as the host writes them into the labels.
    struct ConditionalLabels {
        std::string band;
        std::string takeProfit;
        std::string stopLoss;
    };

    static std::optional<PXJianCangRefusal> checkMarketOrder(const MarketInput& input);
    // Taking up a chosen listing of the order book.
    static std::optional<PXJianCangRefusal> checkDelisting(bool refusedCommodity,
                                                           const std::string& listingPrice,
                                                           const std::string& quantity,
                                                           const std::string& rangeLabel);
    // Delisting at a typed price above zero; the exchange judges it against the quote unit.
    // An empty range label (the host does not know the range yet, or could not learn it)
    // refuses every order, as does a listing's below.
    static std::optional<PXJianCangRefusal> checkConditionalDelisting(bool refusedCommodity,
                                                                      const std::string& quantity,
                                                                      const std::string& rangeLabel,
                                                                      const std::string& price);
    // A listing: a commodity, lots within the range, a price above zero; the exchange judges
    // the price against the quote unit.
    static std::optional<PXJianCangRefusal> checkListing(bool commodityChosen,
                                                         const std::string& quantity,
                                                         const std::string& rangeLabel,
                                                         const std::string& price);
    // Lots still waiting in open orders (ordered or partly done; cancelled and done orders
    // hold nothing), from the rows of the open-orders query.
    static int openOrderLots(const std::vector<JYDict>& rows);
    // The open-orders query of one commodity, both sides, every status.
    static JYDict openOrdersQuery(const std::string& requestId, const std::string& user,
                                  const std::string& session, const std::string& code);
    // Lots the account holds in a commodity, both sides together.
    static int heldLots(const PXTradeSummaryList& summaries, const std::string& code);
    // The row dictionaries of a parsed query reply.
    static std::vector<JYDict> rowsOf(const PXTradeResult* data);
    // "(摘牌范围:minimum-maximum)": the commodity's largest holding less what is held and what
    // waits in open orders, at least 0.
    static std::string orderBookRangeText(const PXTradeCommodity& commodity, int held,
                                          int openOrders);
    static std::optional<PXJianCangRefusal> checkConditionalOrder(const ConditionalInput& input);

    // "当前摘牌所需订金为%.2f元" (or 挂牌 for a listing) of quantity x price x trade unit x
    // deposit rate.
    static std::string depositText(const std::string& quantity, double price,
                                   const PXTradeCommodity* commodity,
                                   const std::string& orderWord = "摘牌");
    static std::string emptyDepositText(const std::string& orderWord = "摘牌");

    // Band and ranges for a side (1 buy, 2 sell), the limit price typed, the quote's buy and
    // sell prices (hasQuote false: no quote record) and the commodity's distances in ticks.
    static ConditionalLabels conditionalLabels(const PXTradeCommodity& commodity, int side,
                                               const std::string& limitPrice, bool hasQuote,
                                               double buy, double sell);
};
