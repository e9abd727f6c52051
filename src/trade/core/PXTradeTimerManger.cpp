#include "trade/core/PXTradeTimerManger.h"

#include <algorithm>
#include <utility>

#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "quote/QuoteRecords.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/TradeText.h"

namespace {

const double kHeartbeatSeconds = 2.0;
const double kToastSeconds = 2.0;
const double kDefaultIdleSeconds = 60.0;
const int kNewsSound = 1007;
const int kPromptToast = 2;
const int kPromptToastAndSound = 3;

// When the exchange gave a heartbeat answer: its clock, then its latest deal, for two answers of
// one millisecond with a deal booked between them. Deal numbers only grow, and a new day starts
// on a later clock.
std::pair<int64_t, int64_t> answeredAt(const JYDict& report) {
    return {Text::longLongValue(TradeText::textAt(report, "Time")),
            Text::longLongValue(TradeText::textAt(report, "END_GBID"))};
}

}  // namespace

// Hears one heartbeat's answer for the timers, knowing which beat it answers.
class PXTradeTimerManger::BeatAnswer : public PXTradeNetworkMangerDelegate {
public:
    BeatAnswer(PXTradeTimerManger& timers, BeatSent sent) : m_timers(timers), m_sent(sent) {}
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override {
        m_timers.heartbeatAnswered(*manager, data, m_sent);
    }

private:
    PXTradeTimerManger& m_timers;
    BeatSent m_sent;
};

PXTradeTimerManger::PXTradeTimerManger(PXTradeModule& module) : m_module(module) {}

PXTradeTimerManger::~PXTradeTimerManger() {
    m_module.stopObserving(m_observer);
}

std::shared_ptr<PXTradeNetworkManger> PXTradeTimerManger::newManager() {
    auto manager = PXTradeNetworkManger::create(m_module);
    // The module owns this object and outlives every request it sends.
    manager->setDelegate(
        std::shared_ptr<PXTradeNetworkMangerDelegate>(std::shared_ptr<void>(), this));
    return manager;
}

void PXTradeTimerManger::setTimerManger() {
    m_transactionReporting = JYDict();
    m_CLRefreshTime_Buy = 0;
    m_CLRefreshTime_Sell = 0;
    m_module.stopObserving(m_observer);
    m_observer = m_module.observe("VKJYScreenTimeOutNotification",
                                  [this](const void*) { screenTimeoutTimer(); });
    setJYRefreshTimer();
    setJYHeartTimer();
}

void PXTradeTimerManger::setJYHeartTimer() {
    m_heartTimer =
        Timer::scheduledTimer(kHeartbeatSeconds, true, [this] { shuaXinChengJiaoHuiBao(); });
}

void PXTradeTimerManger::stopJYHeartTimer() {
    m_heartTimer.reset();
}

void PXTradeTimerManger::setJYRefreshTimer() {
    int seconds = Text::intValue(m_module.defaultString("RefreshTrade"));
    // A zero or negative interval would spin; fall back to the default of one second.
    if (seconds < 1) {
        seconds = 1;
    }
    m_refreshTimer = Timer::scheduledTimer(seconds, true, [this] { requestRefreshInfo(); });
}

void PXTradeTimerManger::stopJYRefreshTimer() {
    m_refreshTimer.reset();
}

void PXTradeTimerManger::screenTimeoutTimer() {
    double seconds = kDefaultIdleSeconds;
    if (m_module.hasDefault("timeoutTime")) {
        seconds = Text::doubleValue(m_module.defaultString("timeoutTime")) * 60;
    }
    if (seconds <= 0) {
        seconds = kDefaultIdleSeconds;
    }
    m_timeoutTimer = Timer::scheduledTimer(seconds, false, [this] { loginAgain(); });
}

void PXTradeTimerManger::shuaXinChengJiaoHuiBao() {
    // While another logon's chain runs, a beat under its session would ask from the report of
    // the session before and have the exchange list earlier deals as new.
    if (!m_module.tradeLogin() || !m_module.PXJYData().sessions().mayBeat()) {
        return;
    }
    auto manager = PXTradeNetworkManger::create(m_module);
    // The module owns the timers and outlives every request they send.
    manager->setDelegate(
        std::make_shared<BeatAnswer>(*this, BeatSent{++m_beatsSent, m_beatInForce}));
    manager->getChengJiaoHuiBaoXinXiQH();
}

void PXTradeTimerManger::loginBeatAnswered(JYDict report) {
    m_module.PXJYData().sessions().loginRanToEnd();
    m_beatInForce = m_sessionBeat = ++m_beatsSent;
    m_reportOfSession = true;
    m_holdingsBeforeCount = false;
    // The session's first heartbeat has been answered: the timer's beats ask from its report.
    m_module.PXJYPeiZhi().setShiFoGangDengLu(false);
    m_transactionReporting = std::move(report);
    chengJiaoHuiBao();
}

void PXTradeTimerManger::loginBeatUnanswered() {
    m_module.PXJYData().sessions().loginRanToEnd();
    m_beatInForce = m_sessionBeat = ++m_beatsSent;
    // The report in force is another session's, on another clock or with other deal numbers.
    m_reportOfSession = false;
    // Asking from the last report, of another session or account, would have the server list
    // that account's older deals as new.
    m_module.PXJYPeiZhi().setShiFoGangDengLu(true);
    m_holdingsBeforeCount = true;
}

void PXTradeTimerManger::tradeLineChanged() {
    m_sessionBeat = m_beatsSent + 1;
    m_reportOfSession = false;
}

void PXTradeTimerManger::requestRefreshInfo() {
    if (!m_module.tradeLogin()) {
        return;
    }
    refreshMarketInfo();
}

void PXTradeTimerManger::refreshMarketInfo() {
    setMarketInfoFromHangQingServer();
}

void PXTradeTimerManger::setMarketInfoFromHangQingServer() {
    PXTradeData& store = m_module.PXJYData();
    std::map<std::string, std::shared_ptr<PXTradeYiKouJia>> prices;
    for (const auto& [code, commodity] : store.shangPinXinXi()) {
        const auto quote = store.getHQYiKouJia(code);
        if (!quote) {
            continue;
        }
        auto price = std::make_shared<PXTradeYiKouJia>();
        price->commodityCode = code;
        price->commodityTopPrice = quote->heigthestPrice;
        price->commodityLowerPrice = quote->lowestPrice;
        price->commodityNewPrice = quote->newPrice;
        price->commodityBuyPrice = quote->buyPrice;
        price->commoditySellPrice = quote->sellPrice;
        price->todayOpen = quote->todayOpen;
        price->yesterdayClose = quote->yesterdayClose;
        price->gpNum = quote->gpNum;
        price->gpNumSell = quote->gpNumSell;
        price->commodityDate = TradeText::localTimeText(quote->latestPriceTime / 1000);
        prices[code] = price;
    }
    store.setZuiXinYiKouJia(std::move(prices));
    m_module.post("JYRefreshTimer");
}

void PXTradeTimerManger::loginAgain() {
    if (!m_module.tradeLogin()) {
        return;
    }
    m_module.post("cancellationNotification");
    logoutTrade();
    // Logged out here and now, whether or not the logoff request gets through.
    m_module.PXJYData().clearAllTradeData();
    PXTradeHost& host = m_module.host();
    if (host.hasSelectedTradeTab()) {
        host.popSelectedTabToRoot(false);
        host.selectHangQingTab();
    }
    PXTradeAlert alert;
    alert.title = "提示";
    alert.message = "您长时间未操作,已自动退出交易系统!";
    alert.buttons = {"确定"};
    host.showAlert(alert, nullptr);
}

void PXTradeTimerManger::logoutTrade() {
    newManager()->getCancellation();
}

void PXTradeTimerManger::getChiCangHuiZong() {
    newManager()->getJYChiCangHuiZong("");
}

void PXTradeTimerManger::getChiCangMingXi() {
    newManager()->getJYChiCangMingXi("");
}

void PXTradeTimerManger::getAccountInfo() {
    newManager()->getAccountInformation();
}

void PXTradeTimerManger::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                              const PXTradeResult* data) {
    if (manager->typeNW() == "PXChengJiaoHuiBao") {
        heartbeatAnswered(*manager, data, BeatSent{m_beatsSent, m_beatInForce});
    }
}

void PXTradeTimerManger::heartbeatAnswered(PXTradeNetworkManger& manager, const PXTradeResult* data,
                                           const BeatSent& sent) {
    // A heartbeat answered after its session ended speaks of that session: nothing of it counts.
    if (manager.typeNW() != "PXChengJiaoHuiBao" || manager.ofEndedSession()) {
        return;
    }
    // A beat sent before the login asked from before the session's own count.
    if (sent.number < m_sessionBeat) {
        return;
    }
    const JYDict* parsed = data && !data->empty() ? std::get_if<JYDict>(&data->front()) : nullptr;
    JYDict report = parsed ? *parsed : JYDict();
    // On a slow line answers overtake each other, whatever order their beats left in: one the
    // exchange gave before the answer in force is older news and must not take back its last
    // deal, announcement or listing times (the next beat would have the deals named again).
    if (m_reportOfSession && answeredAt(report) < answeredAt(m_transactionReporting)) {
        return;
    }
    // A beat that left before the answer in force came asked from the same last deal, so its
    // answer names those deals again.
    if (sent.basedOn != m_beatInForce) {
        keepNewDealsOnly(report);
    }
    // Only an answer taken is the session's first: a dropped one leaves the next beat asking
    // as the first, not from another session's report.
    m_module.PXJYPeiZhi().setShiFoGangDengLu(false);
    m_beatInForce = sent.number;
    m_reportOfSession = true;
    m_transactionReporting = std::move(report);
    // A deal booked between the login's holdings read and this count is in neither.
    if (std::exchange(m_holdingsBeforeCount, false) &&
        Text::intValue(TradeText::textAt(m_transactionReporting, "New_Trade")) != 1) {
        requeryHoldings();
    }
    chengJiaoHuiBao();
}

// The deals come oldest first and the day's deal count grows by one for each, so the new ones
// are the last (count now - count in force); a smaller count is a new day, whose deals are all new.
void PXTradeTimerManger::keepNewDealsOnly(JYDict& report) const {
    if (!report.is_object() || !TradeText::has(report, "tradeCommodity") ||
        !report["tradeCommodity"].is_array()) {
        return;
    }
    JYDict& deals = report["tradeCommodity"];
    const int64_t now = Text::longLongValue(TradeText::textAt(report, "Num_Trade"));
    const int64_t before =
        Text::longLongValue(TradeText::textAt(m_transactionReporting, "Num_Trade"));
    if (now < before) {
        return;
    }
    const auto fresh = static_cast<size_t>(std::min<int64_t>(now - before, deals.size()));
    deals.erase(deals.begin(), deals.end() - static_cast<std::ptrdiff_t>(fresh));
    if (deals.empty()) {
        report.erase("tradeCommodity");
        report["New_Trade"] = "0";
    }
}

void PXTradeTimerManger::requeryHoldings() {
    getChiCangHuiZong();
    getChiCangMingXi();
    getAccountInfo();
}

void PXTradeTimerManger::chengJiaoHuiBao() {
    const JYDict report = m_transactionReporting;
    if (Text::intValue(TradeText::textAt(report, "New_Trade")) == 1) {
        requeryHoldings();
    }
    if (TradeText::has(report, "tradeCommodity")) {
        const std::string text = setValueForchengJiaoHuiBaoView(report["tradeCommodity"]);
        const int prompt = Text::intValue(m_module.defaultString("PromptType"));
        if (prompt == kPromptToast || prompt == kPromptToastAndSound) {
            chengJiaoHuiBaoViewAppear(text);
        }
        if (prompt == kPromptToastAndSound) {
            m_module.playSystemSound(kNewsSound);
        }
    }
    if (TradeText::has(report, "xinGongGao")) {
        m_xinGongGao = true;
        chengJiaoHuiBaoViewAppear("有新公告，请注意查收!");
        m_module.playSystemSound(kNewsSound);
        m_module.post("xinGongGao");
    }
    m_module.post("Heartbeat");
    postIfGrown("BUPT", &m_CLRefreshTime_Buy, "REFRESH_C_LIST_BUY");
    postIfGrown("UPT", &m_CLRefreshTime_Sell, "REFRESH_C_LIST_SELL");
}

void PXTradeTimerManger::postIfGrown(const char* key, int64_t* last, const char* notification) {
    const int64_t time = Text::longLongValue(TradeText::textAt(m_transactionReporting, key));
    if (*last != 0 && time > *last) {
        m_module.post(notification);
    }
    *last = time;
}

std::string PXTradeTimerManger::setValueForchengJiaoHuiBaoView(const JYDict& deals) const {
    std::string lines[2];
    int totals[2] = {0, 0};
    if (!deals.is_array()) {
        return {};
    }
    const auto& commodities = m_module.PXJYData().shangPinXinXi();
    for (const JYDict& deal : deals) {
        const int kind = TradeText::textAt(deal, "openlenType") == "1" ? 0 : 1;
        totals[kind] += Text::intValue(TradeText::textAt(deal, "tradeNum"));
        const std::string code = TradeText::textAt(deal, "commodityCode");
        const auto it = commodities.find(code);
        // A commodity the store does not know is named by its code.
        const std::string name =
            it != commodities.end() && it->second ? it->second->commodityName : code;
        lines[kind] = name + "  " + (kind == 0 ? "摘牌" : "转让") + "  " +
                      TradeText::textAt(deal, "directionType") + "  " +
                      std::to_string(totals[kind]) + "\n";
    }
    return lines[0] + lines[1];
}

void PXTradeTimerManger::chengJiaoHuiBaoViewAppear(const std::string& text) {
    m_module.host().showToast(text, kToastSeconds);
}

void PXTradeTimerManger::lastLoginInformation() {
    chengJiaoHuiBaoViewAppear(m_module.PXJYPeiZhi().loginInfo());
}
