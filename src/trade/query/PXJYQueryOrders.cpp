#include "trade/query/PXJYQueryOrders.h"

#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "trade/close/PXJYZhuanRangZYMSVC.h"
#include "trade/close/PXJYZhuanRangZYMSView.h"
#include "trade/close/PXShiJiaZhuanRangFill.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradePeiZhi.h"
#include "widgets/GlossAlertView.h"

PXJYQueryOrders::PXJYQueryOrders(ViewController& screen, PXTradeNetworkMangerDelegate& target,
                                 AlertViewDelegate& alerts)
    : m_screen(screen), m_target(target), m_alerts(alerts) {}

std::shared_ptr<PXTradeNetworkManger> PXJYQueryOrders::newManager() {
    return PXTradeReplyRelay::newManager(m_screen, m_target);
}

void PXJYQueryOrders::queryStarted(const PXTradeNetworkManger& query, const std::string& kind) {
    m_queries.began(&query);
    auto& latest = m_latestQueries[kind];
    if (const auto older = latest.lock()) {
        m_queries.ended(older.get());
    }
    latest = query.weak_from_this();
}

bool PXJYQueryOrders::queryEnded(const PXTradeNetworkManger& reply) {
    const auto latest = m_latestQueries.find(reply.typeNW());
    if (latest == m_latestQueries.end() || latest->second.lock().get() != &reply) {
        return false;
    }
    m_latestQueries.erase(latest);
    m_queries.ended(&reply);
    return true;
}

bool PXJYQueryOrders::transfer(const JYDict& order, bool reverse) {
    if (isOrderOutstanding()) {
        return false;
    }
    m_fanShou = reverse;
    m_postDic = order;
    newManager()->SJPingCang(order, false);
    return true;
}

bool PXJYQueryOrders::stops(const JYDict& order) {
    if (isOrderOutstanding()) {
        return false;
    }
    m_fanShou = false;
    newManager()->ZJPingCang(order);
    return true;
}

void PXJYQueryOrders::sendReverse() {
    auto manager = newManager();
    m_order.began(*manager);
    manager->SJJianCangNetwork(PXShiJiaZhuanRangFill::reverseDelistingOrder(
        m_postDic, PXTradeModule::shared().PXJYPeiZhi().getCurrentDateWith()));
}

void PXJYQueryOrders::orderSent(const PXTradeNetworkManger& order) {
    m_order.began(order);
}

void PXJYQueryOrders::orderEnded(const PXTradeNetworkManger& reply) {
    m_order.endedBy(reply);
}

void PXJYQueryOrders::showResult(const std::string& message, int tag) {
    auto alert = std::make_unique<GlossAlertView>(PXTradeMessage::kTitle, message, &m_alerts,
                                                  "确定", std::vector<std::string>{});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    alert->setTag(tag);
    AlertView::show(std::move(alert));
}

void PXJYQueryOrders::ask(const std::string& question, int tag) {
    auto alert = std::make_unique<GlossAlertView>(PXTradeMessage::kTitle, question, &m_alerts,
                                                  "确定", std::vector<std::string>{"取消"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    alert->setTag(tag);
    AlertView::show(std::move(alert));
}

bool PXJYQueryOrders::handToOrderBook(NavigationController& navigation,
                                      const PXTradeScreenArgs& args) {
    if (auto screen = PXTradeScreenFactory::create(kOrderBookScreen, args)) {
        navigation.pushViewController(std::move(screen), true);
        return true;
    }
    auto screen = PXTradeScreenFactory::create(kOrderBookFallback, args);
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(screen.get());
    if (!orderBook) {
        return false;
    }
    screen.release();
    auto* pushed =
        navigation.pushViewController(std::unique_ptr<PXJYZhuanRangZYMSVC>(orderBook), true);
    PXJYZhuanRangZYMSView& form = *pushed->SJPCView();
    // Locked to what was handed over: no other commodity, no other number.
    if (args.summary) {
        form.setCommodityNameButtonEnabled(false);
        form.shangPinButtonActionSJPC();
        form.fixCommodity();
        return true;
    }
    form.SPbutton()->setEnabled(false);
    form.fixNumber();
    form.danHaoButtonActionSJPC();
    return true;
}
