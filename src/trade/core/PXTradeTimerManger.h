#pragma once
// The trading timers: a 2 s heartbeat (the trade-report query, whose reply drives the report
// toast, the new-announcement notice and the listing notifications), a price refresh every
// "RefreshTrade" seconds that copies quote prices into the store, and a one-shot idle timer,
// re-armed at each touch, that logs the user out after "timeoutTime" minutes. The timers run
// for the whole process and act only while logged in. One instance, owned by PXTradeModule.
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeModule;
class Timer;

class PXTradeTimerManger : public PXTradeNetworkMangerDelegate {
public:
    explicit PXTradeTimerManger(PXTradeModule& module);
    ~PXTradeTimerManger() override;

    // Start-up: listens to "VKJYScreenTimeOutNotification", starts the refresh and heartbeat.
    void setTimerManger();
    void setJYHeartTimer();
    void stopJYHeartTimer();
    void setJYRefreshTimer();
    void stopJYRefreshTimer();
    // Re-arms the idle timer (a touch began or ended).
    void screenTimeoutTimer();

    void shuaXinChengJiaoHuiBao();
    // A login went through: the answer to its own heartbeat, sent before it read the holdings,
    // is the report in force, and no beat sent before it counts any more.
    void loginBeatAnswered(JYDict report);
    // A login went through without an answer to its own heartbeat: no beat sent before counts
    // any more, and the next one asks as the session's first.
    void loginBeatUnanswered();
    // The session goes on over another trading line, whose server keeps its own clock: its first
    // answer is taken whatever its time, and the beats sent to the old line no longer count.
    void tradeLineChanged();
    void requestRefreshInfo();
    void refreshMarketInfo();
    void loginAgain();
    void logoutTrade();
    void getChiCangHuiZong();
    void getChiCangMingXi();
    void getAccountInfo();
    // Holdings, tickets and funds asked again, as after a deal.
    void requeryHoldings();
    void chengJiaoHuiBao();
    // The trade-report text of the deals of a heartbeat reply.
    std::string setValueForchengJiaoHuiBaoView(const JYDict& deals) const;
    void chengJiaoHuiBaoViewAppear(const std::string& text);
    void lastLoginInformation();
    void setMarketInfoFromHangQingServer();

    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;

    const JYDict& transactionReporting() const { return m_transactionReporting; }
    void setTransactionReporting(JYDict value) { m_transactionReporting = std::move(value); }
    bool xinGongGao() const { return m_xinGongGao; }
    void setXinGongGao(bool value) { m_xinGongGao = value; }

    // The running timers (null when stopped); for the settings screen and tests.
    Timer* heartTimer() const { return m_heartTimer.get(); }
    Timer* JY_Timer() const { return m_refreshTimer.get(); }
    Timer* timeoutTimer() const { return m_timeoutTimer.get(); }

private:
    // One heartbeat as it left: its place in the sending order, and the beat whose answer was in
    // force then (the one its "lastid" and counts came from).
    struct BeatSent {
        uint64_t number = 0;
        uint64_t basedOn = 0;
    };
    class BeatAnswer;

    std::shared_ptr<PXTradeNetworkManger> newManager();
    void heartbeatAnswered(PXTradeNetworkManger& manager, const PXTradeResult* data,
                           const BeatSent& sent);
    void keepNewDealsOnly(JYDict& report) const;
    void postIfGrown(const char* key, int64_t* last, const char* notification);

    PXTradeModule& m_module;
    std::unique_ptr<Timer> m_timeoutTimer;
    std::unique_ptr<Timer> m_refreshTimer;
    std::unique_ptr<Timer> m_heartTimer;
    int64_t m_CLRefreshTime_Buy = 0;
    int64_t m_CLRefreshTime_Sell = 0;
    bool m_xinGongGao = false;
    JYDict m_transactionReporting;  // null until the first heartbeat reply
    uint64_t m_beatsSent = 0;
    // The beat whose answer is in force; 0 before the first.
    uint64_t m_beatInForce = 0;
    // The login's own beat: answers to beats sent before it count for nothing.
    uint64_t m_sessionBeat = 0;
    // The report in force came from this session's exchange, so a newer answer is told from an
    // older one by what both say.
    bool m_reportOfSession = true;
    // The login read the holdings before the day's deal count in force was taken: the next
    // answer that takes one has them read again.
    bool m_holdingsBeforeCount = false;
    uint64_t m_observer = 0;
};
