#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ReceivedRequests.h"
#include "platform/ui/IndexPath.h"

class ExerciseRandom;
class ScreenDriver;
class SimProcess;
class TextField;
class View;
class ViewController;
class VKJYMarketChartController;
class VKJYMarketUIViewController;
struct commodityInfo;

// An open-orders query that fails where the delisting range waits for it: the exchange refuses
// (or spoils) the next "my_order_query", then the one-commodity delisting screen is opened from
// an order-book row of the trade home (shortcut " 摘牌"; on a home without one, another device
// opens a lot first), or the quick panel from "速摘" on an order-book commodity's quote screen
// (opened from the market list first).
// Once the failure is told, lots and a price are typed and the order tapped: while the open orders
// are unknown the tap sends nothing, says "获取数据失败" and asks for them again. One owner (the
// exerciser); main thread.
class OpenOrdersFailure {
public:
    struct Hands {
        std::function<bool(View*, const std::string&)> tap;
        std::function<void(TextField*, const std::string&)> keys;
        std::function<ViewController*()> topScreen;
        std::function<VKJYMarketChartController*()> quoteScreen;
        std::function<VKJYMarketUIViewController*()> marketList;
        // No fault holds the trading lines back.
        std::function<bool()> lineSteady;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    OpenOrdersFailure(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    int weight() const;
    void act(ExerciseRandom& random);

private:
    // The row of an order-book holding on the trade home on show; -1 on a home without one, -2
    // elsewhere.
    int orderBookRow() const;
    void holdALot();
    VKJYMarketChartController* orderBookQuoteScreen() const;
    // Whether the panel may delist the commodity for the account logged in.
    static bool delistable(const commodityInfo& commodity);
    // The market list's row of a commodity the panel may delist, if the list is on show.
    std::optional<IndexPath> delistableRow() const;
    void failTheNextQuery(ExerciseRandom& random);
    // Waits for the failure and answers it; false when something else came.
    bool failureTold();
    void onTheOneCommodityScreen();
    void onTheQuickPanel();
    // The tap on `send`, the form's lots and price typed: refused for want of the range, told,
    // and the open orders asked for again.
    void tapWhileUnknown(View* send, const std::string& where);
    std::string environment() const;

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
    ReceivedRequests m_received;
};
