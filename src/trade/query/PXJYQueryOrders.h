#pragma once

// What the two holding queries share around the requests they send: a new request facade per
// request whose replies reach the screen only while it lives, the busy overlay of the screen's
// own queries, one order at a time with the overlay up while it travels, the reverse delisting
// sent after a transfer that asked for one, result alerts whose dismissal the screen hears, and
// the hand-off of an order-book holding to the order-book transfer screen. Owned by its
// screen; main thread.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/AlertView.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/core/PXTradeTypes.h"

class NavigationController;
class PXTradeNetworkManger;
class PXTradeNetworkMangerDelegate;
class ViewController;
struct PXTradeScreenArgs;

class PXJYQueryOrders {
public:
    static constexpr const char* kTransferTag = "PXShiJiaPingCang";
    static constexpr const char* kReverseTag = "PXShiJiaJianCang";
    static constexpr const char* kStopsTag = "PXZhiJiaPingCang";
    static constexpr const char* kReverseDone = "转让成功， 反向摘牌成功";
    static constexpr const char* kReverseFailed = "转让成功， 反向摘牌失败 ";
    // The transfer screens an order-book holding goes to: the one-commodity screen, or where it
    // is not there, the order-book transfer screen.
    static constexpr const char* kOrderBookScreen = "PXJYSimplePingCangZYMSVC";
    static constexpr const char* kOrderBookFallback = "PXJYZhuanRangZYMSVC";

    PXJYQueryOrders(ViewController& screen, PXTradeNetworkMangerDelegate& target,
                    AlertViewDelegate& alerts);

    std::shared_ptr<PXTradeNetworkManger> newManager();
    // The overlay of a query the screen sends, up until that query's reply or failure. A newer
    // query of the same kind (the facade's typeNW) voids it and keeps the overlay up in its place.
    void queryStarted(const PXTradeNetworkManger& query, const std::string& kind);
    // A query's reply or failure is in. True when it answers the latest query of its kind; the
    // reply or failure of a void one tells nothing and ends nothing.
    bool queryEnded(const PXTradeNetworkManger& reply);

    bool isOrderOutstanding() const { return m_order.isOutstanding(); }
    // Hands the checked market transfer to a new facade; false while another order travels.
    bool transfer(const JYDict& order, bool reverse);
    bool stops(const JYDict& order);
    bool reverseAsked() const { return m_fanShou; }
    // The opening order on the transfer's side, price and the quantity asked, unchecked; it
    // takes over the transfer's place as the order on its way.
    void sendReverse();
    void orderSent(const PXTradeNetworkManger& order);
    // Only the reply of the order on its way ends it.
    void orderEnded(const PXTradeNetworkManger& reply);

    // "提示" with the message and "确定", heard by the screen's alert delegate (tag as given).
    void showResult(const std::string& message, int tag = 0);
    // "提示", the question, "确定" (index 0) and "取消", heard by the screen.
    void ask(const std::string& question, int tag);

    // Pushes the order-book transfer screen for the summary or the holding number in args,
    // locked to it. False when no such screen could be made.
    static bool handToOrderBook(NavigationController& navigation, const PXTradeScreenArgs& args);

private:
    ViewController& m_screen;
    PXTradeNetworkMangerDelegate& m_target;
    AlertViewDelegate& m_alerts;
    PXTradeBusyOverlay m_queries;
    std::map<std::string, std::weak_ptr<const PXTradeNetworkManger>> m_latestQueries;
    PXTradeOrderGate m_order;
    bool m_fanShou = false;
    JYDict m_postDic = JYDict::object();
};
