#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "TradeCoreTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/SystemSound.h"
#include "platform/foundation/Timer.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {

// Counts the trading notifications in the order they are posted.
class NotificationLog {
public:
    NotificationLog() {
        for (const char* name : {"JYRefreshTimer", "Heartbeat", "xinGongGao", "REFRESH_C_LIST_BUY",
                                 "REFRESH_C_LIST_SELL", "cancellationNotification"}) {
            NotificationCenter::defaultCenter().addObserver(
                this, name, nullptr,
                [this](const std::string& posted, const void*, const PropertyList&) {
                    names.push_back(posted);
                });
        }
    }
    ~NotificationLog() { NotificationCenter::defaultCenter().removeObserver(this); }
    int count(const std::string& name) const {
        return static_cast<int>(std::count(names.begin(), names.end(), name));
    }
    std::vector<std::string> names;
};

class PXTradeTimerMangerTest : public TradeCoreTest {
protected:
    PXTradeTimerMangerTest() {
        SystemSound::clearRecorded();
        setDefault("JYUserName", "800123456789012");
        setDefault("PromptType", "3");
    }
    PXTradeTimerManger& timers() { return module().PXJYTimerManger(); }
    // Logged in as far as the heartbeat needs: the flag and a session.
    void logIn() {
        module().setTradeLogin(true);
        module().PXJYData().tradeSession()->JYsessionID = "S-1";
    }
    // One heartbeat tick and its reply handled.
    void beat() {
        const size_t before = m_log.count("Heartbeat");
        timers().shuaXinChengJiaoHuiBao();
        ASSERT_TRUE(runUntil([&] { return size_t(m_log.count("Heartbeat")) > before; }));
    }
    void heartbeatReplies(std::vector<std::string> replies) {
        auto next = std::make_shared<std::atomic<size_t>>(0);
        m_server.replyWith("SYS_TIME_QUERY", [replies, next](const CapturedRequest&) {
            const size_t index = next->fetch_add(1);
            return replies[std::min(index, replies.size() - 1)];
        });
    }
    NotificationLog m_log;
};

}  // namespace

TEST_F(PXTradeTimerMangerTest, shouldDoNothingOnTicksWhileLoggedOut) {
    timers().setTimerManger();
    addCommodity("AG");
    addQuote("AG", 1, 10, 9, 11);
    timers().shuaXinChengJiaoHuiBao();
    timers().requestRefreshInfo();
    m_host.tradeTabSelected = true;
    timers().loginAgain();
    EXPECT_FALSE(runFor(2.5, [&] { return m_server.count() > 0 || !m_log.names.empty(); }));
    EXPECT_TRUE(m_host.alerts.empty());
    EXPECT_TRUE(m_host.tabActions.empty());
}

TEST_F(PXTradeTimerMangerTest, shouldBeatEveryTwoSecondsFromTheRunLoopWhileLoggedIn) {
    logIn();
    heartbeatReplies({"{\"ret\":0,\"CTM\":1}"});
    timers().setTimerManger();
    ASSERT_TRUE(timers().heartTimer());
    EXPECT_EQ(timers().heartTimer()->timeInterval(), 2.0);
    ASSERT_TRUE(runUntil([&] { return m_log.count("Heartbeat") >= 1; }, 4.0));
    EXPECT_EQ(m_server.named("SYS_TIME_QUERY").size(), 1u);
    EXPECT_FALSE(module().PXJYPeiZhi().shiFoGangDengLu());

    timers().stopJYHeartTimer();
    EXPECT_FALSE(timers().heartTimer());
}

TEST_F(PXTradeTimerMangerTest, shouldPostListingNotificationsOnlyWhenTheTimesGrow) {
    logIn();
    timers().setTimerManger();
    timers().stopJYHeartTimer();
    heartbeatReplies({"{\"ret\":0,\"BUPT\":\"1000\",\"UPT\":\"5\"}",
                      "{\"ret\":0,\"BUPT\":\"1000\",\"UPT\":\"4\"}",
                      "{\"ret\":0,\"BUPT\":\"1200\",\"UPT\":\"6\"}"});
    beat();
    EXPECT_EQ(m_log.count("REFRESH_C_LIST_BUY"), 0);
    beat();
    EXPECT_EQ(m_log.count("REFRESH_C_LIST_BUY"), 0);
    EXPECT_EQ(m_log.count("REFRESH_C_LIST_SELL"), 0);
    beat();
    EXPECT_EQ(m_log.count("REFRESH_C_LIST_BUY"), 1);
    EXPECT_EQ(m_log.count("REFRESH_C_LIST_SELL"), 1);
    EXPECT_EQ(m_log.count("Heartbeat"), 3);
}

TEST_F(PXTradeTimerMangerTest, shouldAnnounceDealsAndANewAnnouncementAndRequery) {
    logIn();
    addCommodity("AG", "1", "10", "白银");
    addCommodity("CU", "1", "10", "铜");
    timers().setTransactionReporting({{"GB_ID", "9"}});
    heartbeatReplies(
        {"{\"ret\":0,\"NT\":\"1\",\"LID\":\"10\",\"data\":["
         "{\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\",\"BS\":\"2\"},"
         "{\"CMOID\":\"CU\",\"QT\":3,\"TYP\":\"1\",\"BS\":\"1\"},"
         "{\"CMOID\":\"AG\",\"QT\":1,\"TYP\":\"2\",\"BS\":\"1\"}]}"});
    beat();
    ASSERT_EQ(m_host.toasts.size(), 2u);
    EXPECT_EQ(m_host.toasts[0].first, "铜  摘牌  购入  5\n白银  转让  购入  1\n");
    EXPECT_EQ(m_host.toasts[0].second, 2.0);
    EXPECT_EQ(m_host.toasts[1].first, "有新公告，请注意查收!");
    EXPECT_EQ(SystemSound::playedSounds(), (std::vector<uint32_t>{1007, 1007}));
    EXPECT_TRUE(timers().xinGongGao());
    EXPECT_EQ(m_log.names, (std::vector<std::string>{"xinGongGao", "Heartbeat"}));
    ASSERT_TRUE(runUntil([&] {
        return !m_server.named("holding_query").empty() &&
               !m_server.named("holding_detail_query").empty() &&
               !m_server.named("firm_info").empty();
    }));
}

// On a slow line the next beat leaves before the answer and asks from the same last deal: both
// answers name the deal, which is announced and requeried once.
TEST_F(PXTradeTimerMangerTest, shouldAnnounceADealOnceWhenTheNextBeatLeavesBeforeTheAnswer) {
    logIn();
    timers().stopJYHeartTimer();
    addCommodity("AG", "1", "10", "白银");
    timers().setTransactionReporting({{"Num_Trade", "4"}, {"END_GBID", "30"}});
    heartbeatReplies(
        {"{\"ret\":0,\"NT\":\"1\",\"TTC\":\"5\",\"TLID\":\"31\",\"data\":["
         "{\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\",\"BS\":\"1\"}]}"});
    timers().shuaXinChengJiaoHuiBao();
    timers().shuaXinChengJiaoHuiBao();
    ASSERT_TRUE(runUntil([&] { return m_log.count("Heartbeat") > 0; }));
    EXPECT_FALSE(runFor(
        1, [&] { return m_host.toasts.size() > 1 || m_server.named("firm_info").size() > 1; }));
    EXPECT_EQ(m_host.toasts.size(), 1u);
    EXPECT_EQ(SystemSound::playedSounds().size(), 1u);
    EXPECT_EQ(m_server.named("holding_query").size(), 1u);
}

// An answer overtaken by a later beat's is older news: it must not put back the last deal and
// announcement the later one brought, or the next beat would have them announced again.
TEST_F(PXTradeTimerMangerTest, shouldLetAnOvertakenAnswerUndoNothing) {
    logIn();
    timers().stopJYHeartTimer();
    addCommodity("AG", "1", "10", "白银");
    timers().setTransactionReporting({{"GB_ID", "9"}, {"Num_Trade", "4"}, {"END_GBID", "30"}});
    auto release = std::make_shared<std::promise<void>>();
    auto next = std::make_shared<std::atomic<int>>(0);
    m_server.replyWith(
        "SYS_TIME_QUERY",
        [released = release->get_future().share(), next](const CapturedRequest&) -> std::string {
            const int index = next->fetch_add(1);
            if (index == 0) {
                LoopbackHttpServer::holdAnswer(released);
                return "{\"ret\":0,\"LID\":\"9\",\"TTC\":\"4\",\"TLID\":\"30\"}";
            }
            return index == 1 ? "{\"ret\":0,\"LID\":\"10\",\"NT\":\"1\",\"TTC\":\"5\",\"TLID\":"
                                "\"31\",\"data\":[{\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\"}]}"
                              : "{\"ret\":0,\"LID\":\"10\",\"TTC\":\"5\",\"TLID\":\"31\"}";
        });
    timers().shuaXinChengJiaoHuiBao();
    ASSERT_TRUE(runUntil([&] { return m_server.named("SYS_TIME_QUERY").size() == 1; }));
    timers().shuaXinChengJiaoHuiBao();
    ASSERT_TRUE(runUntil([&] { return m_log.count("Heartbeat") == 1; }));
    release->set_value();
    EXPECT_FALSE(runFor(1, [&] { return m_log.count("Heartbeat") > 1; }));
    beat();
    const JYDict third = JYDict::parse(m_server.named("SYS_TIME_QUERY").at(2).body);
    EXPECT_EQ(third["lastid"], "31");
    EXPECT_EQ(third["broadcast"], "10");
    ASSERT_EQ(m_host.toasts.size(), 2u);
    EXPECT_EQ(m_host.toasts[1].first, "有新公告，请注意查收!");
}

// The exchange may serve the later beat first, before a deal is booked, and its answer may reach
// the phone last: older news by what it says, it must not take the last deal back, or the next
// beat would have the deal announced again, nor the listing time, or the book would be asked again.
TEST_F(PXTradeTimerMangerTest, shouldLetAnAnswerTheExchangeGaveEarlierUndoNothing) {
    logIn();
    timers().stopJYHeartTimer();
    addCommodity("AG", "1", "10", "白银");
    timers().setTransactionReporting({{"Time", "100"}, {"Num_Trade", "4"}, {"END_GBID", "30"}});
    std::promise<void> first;
    std::promise<void> second;
    const std::vector<std::shared_future<void>> gates = {first.get_future().share(),
                                                         second.get_future().share()};
    const std::vector<std::string> replies = {
        "{\"ret\":0,\"CTM\":\"102\",\"UPT\":\"7\",\"NT\":\"1\",\"TTC\":\"5\",\"TLID\":\"31\","
        "\"data\":[{\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\"}]}",
        "{\"ret\":0,\"CTM\":\"101\",\"UPT\":\"6\",\"TTC\":\"4\",\"TLID\":\"30\"}",
        "{\"ret\":0,\"CTM\":\"103\",\"UPT\":\"7\",\"TTC\":\"5\",\"TLID\":\"31\"}"};
    auto next = std::make_shared<std::atomic<size_t>>(0);
    m_server.replyWith("SYS_TIME_QUERY", [gates, replies, next](const CapturedRequest&) {
        const size_t index = next->fetch_add(1);
        if (index < gates.size()) {
            LoopbackHttpServer::holdAnswer(gates[index]);
        }
        return replies[std::min(index, replies.size() - 1)];
    });
    for (size_t sent = 1; sent <= 2; ++sent) {
        timers().shuaXinChengJiaoHuiBao();
        ASSERT_TRUE(runUntil([&] { return m_server.named("SYS_TIME_QUERY").size() == sent; }));
    }
    first.set_value();
    ASSERT_TRUE(runUntil([&] { return m_log.count("Heartbeat") == 1; }));
    second.set_value();
    EXPECT_FALSE(runFor(1, [&] { return m_log.count("Heartbeat") > 1; }));
    beat();
    const JYDict third = JYDict::parse(m_server.named("SYS_TIME_QUERY").at(2).body);
    EXPECT_EQ(third["lastid"], "31");
    EXPECT_EQ(third["tradecnt"], "5");
    EXPECT_EQ(m_host.toasts.size(), 1u);
    EXPECT_EQ(m_log.count("REFRESH_C_LIST_SELL"), 0) << "the listing time went back and on again";
}

// Another trading line's server keeps its own clock, here behind the old one's: its first answer
// is taken, and a beat the old line answers late no longer counts.
TEST_F(PXTradeTimerMangerTest, shouldGoByTheNewLinesClockOnceTheLineChanges) {
    logIn();
    timers().stopJYHeartTimer();
    timers().setTransactionReporting({{"Time", "100"}, {"END_GBID", "30"}});
    std::promise<void> oldLine;
    const std::vector<std::string> replies = {
        "{\"ret\":0,\"CTM\":\"200\"}", "{\"ret\":0,\"CTM\":\"50\"}", "{\"ret\":0,\"CTM\":\"51\"}"};
    auto next = std::make_shared<std::atomic<size_t>>(0);
    m_server.replyWith("SYS_TIME_QUERY", [gate = oldLine.get_future().share(), replies,
                                          next](const CapturedRequest&) {
        const size_t index = next->fetch_add(1);
        if (index == 0) {
            LoopbackHttpServer::holdAnswer(gate);
        }
        return replies[std::min(index, replies.size() - 1)];
    });
    timers().shuaXinChengJiaoHuiBao();
    ASSERT_TRUE(runUntil([&] { return m_server.named("SYS_TIME_QUERY").size() == 1; }));
    timers().tradeLineChanged();
    beat();
    oldLine.set_value();
    EXPECT_FALSE(runFor(1, [&] { return m_log.count("Heartbeat") > 1; }));
    beat();
    EXPECT_EQ(timers().transactionReporting()["Time"], "51");
}

// A login whose own beat went unanswered asks as the session's first until an answer is taken:
// the old line's late answer, dropped after a line change, must not have the next beat ask from
// another session's report, or the exchange would list deals made before the login as new.
TEST_F(PXTradeTimerMangerTest, shouldAskAsTheSessionsFirstUntilAnAnswerIsTaken) {
    logIn();
    timers().stopJYHeartTimer();
    timers().setTransactionReporting({{"Time", "100"}, {"END_GBID", "30"}, {"Num_Trade", "4"}});
    timers().loginBeatUnanswered();
    std::promise<void> oldLine;
    m_server.replyWith("SYS_TIME_QUERY",
                       [gate = oldLine.get_future().share()](const CapturedRequest&) {
                           LoopbackHttpServer::holdAnswer(gate);
                           return std::string("{\"ret\":0,\"CTM\":\"200\"}");
                       });
    timers().shuaXinChengJiaoHuiBao();
    ASSERT_TRUE(runUntil([&] { return m_server.named("SYS_TIME_QUERY").size() == 1; }));
    timers().tradeLineChanged();
    oldLine.set_value();
    EXPECT_FALSE(runFor(1, [&] { return m_log.count("Heartbeat") > 0; }));
    beat();
    const JYDict second = JYDict::parse(m_server.named("SYS_TIME_QUERY").at(1).body);
    EXPECT_EQ(second["curlogon"], "1");
}

// Two deals a beat apart requery the holdings twice: the first requery answered last is older
// news and leaves the holdings the second brought.
TEST_F(PXTradeTimerMangerTest, shouldKeepTheNewerHoldingsWhenAnOlderRequeryAnswersLast) {
    logIn();
    timers().stopJYHeartTimer();
    addCommodity("AG", "1", "10", "白银");
    timers().setTransactionReporting({{"Num_Trade", "4"}, {"END_GBID", "30"}});
    heartbeatReplies(
        {"{\"ret\":0,\"NT\":\"1\",\"TTC\":\"5\",\"TLID\":\"31\",\"data\":["
         "{\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\",\"BS\":\"1\"}]}",
         "{\"ret\":0,\"NT\":\"1\",\"TTC\":\"6\",\"TLID\":\"32\",\"data\":["
         "{\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\",\"BS\":\"1\"}]}"});
    auto release = std::make_shared<std::promise<void>>();
    auto next = std::make_shared<std::atomic<int>>(0);
    m_server.replyWith(
        "holding_query",
        [released = release->get_future().share(), next](const CapturedRequest&) -> std::string {
            const bool first = next->fetch_add(1) == 0;
            if (first) {
                LoopbackHttpServer::holdAnswer(released);
            }
            return tradeReply(std::string("\"TTLREC\":1,\"RESULTLIST\":{\"REC\":[{\"CO_I\":\"AG\","
                                          "\"TY\":\"1\",\"QTY\":\"") +
                              (first ? "2" : "4") + "\"}]}");
        });
    const auto held = [&] {
        const auto& summaries = module().PXJYData().chiCangHuiZongXinXi();
        return summaries.empty() ? std::string() : summaries.front()->shuLiang;
    };
    beat();
    ASSERT_TRUE(runUntil([&] { return m_server.named("holding_query").size() == 1; }));
    beat();
    ASSERT_TRUE(runUntil([&] { return held() == "4"; }));
    release->set_value();
    EXPECT_FALSE(runFor(1, [&] { return held() != "4"; }));
}

TEST_F(PXTradeTimerMangerTest, shouldLetAHeartbeatAnsweredAfterTheLogoutChangeNothing) {
    logIn();
    module().PXJYData().tradeSession()->JYsessionID = "S-7";
    addCommodity("AG", "1", "10", "白银");
    auto release = std::make_shared<std::promise<void>>();
    m_server.replyWith("SYS_TIME_QUERY",
                       [released = release->get_future().share()](const CapturedRequest&) {
                           LoopbackHttpServer::holdAnswer(released);
                           return std::string(
                               "{\"ret\":0,\"NT\":\"1\",\"CTM\":\"5\",\"data\":["
                               "{\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\",\"BS\":\"1\"}]}");
                       });
    timers().shuaXinChengJiaoHuiBao();
    ASSERT_TRUE(runUntil([&] { return !m_server.named("SYS_TIME_QUERY").empty(); }));
    // The idle log-out comes while the heartbeat travels.
    timers().loginAgain();
    release->set_value();
    EXPECT_FALSE(runFor(1, [&] { return m_server.count() > 2 || m_log.count("Heartbeat") > 0; }));
    EXPECT_EQ(m_server.count(), 2u) << "only the heartbeat and the logoff";
    EXPECT_TRUE(m_host.toasts.empty());
    EXPECT_TRUE(timers().transactionReporting().is_null());
}

// On a stalled line the beats keep their pace and queue on the device behind those the line
// holds; once the idle log-out has ended the session, none of the queued ones may still go out.
TEST_F(PXTradeTimerMangerTest, shouldSendNoQueuedBeatOnceTheIdleLogOutEndedTheSession) {
    logIn();
    timers().stopJYHeartTimer();
    auto release = std::make_shared<std::promise<void>>();
    m_server.replyWith("SYS_TIME_QUERY",
                       [released = release->get_future().share()](const CapturedRequest&) {
                           LoopbackHttpServer::holdAnswer(released);
                           return std::string("{\"ret\":0}");
                       });
    for (int beat = 0; beat < 10; ++beat) {
        timers().shuaXinChengJiaoHuiBao();
    }
    ASSERT_TRUE(runUntil([&] { return !m_server.named("SYS_TIME_QUERY").empty(); }));
    // Whatever the device lets through at once has reached the line.
    EXPECT_FALSE(runFor(0.5, [&] { return m_server.named("SYS_TIME_QUERY").size() >= 10; }));
    const size_t onTheLine = m_server.named("SYS_TIME_QUERY").size();
    timers().loginAgain();
    release->set_value();
    ASSERT_TRUE(runUntil([&] { return !m_server.named("logoff").empty(); }));
    EXPECT_FALSE(runFor(1, [&] { return m_server.named("SYS_TIME_QUERY").size() > onTheLine; }));
}

TEST_F(PXTradeTimerMangerTest, shouldStayQuietUnderPromptTypeOneButStillRequery) {
    logIn();
    setDefault("PromptType", "1");
    heartbeatReplies({"{\"ret\":0,\"NT\":\"1\",\"data\":[{\"CMOID\":\"AG\",\"QT\":2}]}"});
    beat();
    EXPECT_TRUE(m_host.toasts.empty());
    EXPECT_TRUE(SystemSound::playedSounds().empty());
    ASSERT_TRUE(runUntil([&] { return !m_server.named("firm_info").empty(); }));

    setDefault("PromptType", "2");
    beat();
    EXPECT_EQ(m_host.toasts.size(), 1u);
    EXPECT_TRUE(SystemSound::playedSounds().empty());
}

TEST_F(PXTradeTimerMangerTest, shouldIgnoreFailedHeartbeats) {
    logIn();
    heartbeatReplies({"{\"ret\":5,\"msg\":\"x\"}"});
    timers().shuaXinChengJiaoHuiBao();
    EXPECT_FALSE(runFor(0.5, [&] { return !m_log.names.empty(); }));
    EXPECT_TRUE(m_host.alerts.empty());
}

TEST_F(PXTradeTimerMangerTest, shouldCopyQuotePricesIntoTheStoreOnEachRefreshTick) {
    logIn();
    addCommodity("AG");
    addCommodity("CU");
    addQuote("AG", 1, 101, 100, 102);
    addQuote("CU", 2, 0, 0, 0, false);
    setDefault("RefreshTrade", "1");
    timers().setJYRefreshTimer();
    EXPECT_EQ(timers().JY_Timer()->timeInterval(), 1.0);
    ASSERT_TRUE(runUntil([&] { return m_log.count("JYRefreshTimer") >= 1; }, 3.0));
    const auto& prices = module().PXJYData().zuiXinYiKouJia();
    ASSERT_EQ(prices.size(), 1u);
    const PXTradeYiKouJia& silver = *prices.at("AG");
    EXPECT_EQ(silver.commodityNewPrice, 101);
    EXPECT_EQ(silver.commodityBuyPrice, 100);
    EXPECT_EQ(silver.commoditySellPrice, 102);
    EXPECT_EQ(silver.commodityTopPrice, 102);
    EXPECT_EQ(silver.gpNumSell, 8);
    EXPECT_EQ(silver.commodityDate.size(), 19u);

    setDefault("RefreshTrade", "30");
    timers().setJYRefreshTimer();
    EXPECT_EQ(timers().JY_Timer()->timeInterval(), 30.0);
    setDefault("RefreshTrade", "0");
    timers().setJYRefreshTimer();
    EXPECT_EQ(timers().JY_Timer()->timeInterval(), 1.0);
}

TEST_F(PXTradeTimerMangerTest, shouldStoreThePriceOfATradingCodeQuotedInAnotherLetterCase) {
    addCommodity("AG");
    addQuote("ag", 1, 101, 100, 102);
    timers().setMarketInfoFromHangQingServer();
    const auto& prices = module().PXJYData().zuiXinYiKouJia();
    ASSERT_EQ(prices.count("AG"), 1u);
    EXPECT_EQ(prices.at("AG")->commodityNewPrice, 101);
}

TEST_F(PXTradeTimerMangerTest, shouldArmTheIdleTimerFromTouchesWithTheSetting) {
    timers().setTimerManger();
    EXPECT_FALSE(timers().timeoutTimer());
    NotificationCenter::defaultCenter().post("VKJYScreenTimeOutNotification");
    ASSERT_TRUE(timers().timeoutTimer());
    EXPECT_EQ(timers().timeoutTimer()->timeInterval(), 60.0);
    setDefault("timeoutTime", "3");
    NotificationCenter::defaultCenter().post("VKJYScreenTimeOutNotification");
    EXPECT_EQ(timers().timeoutTimer()->timeInterval(), 180.0);
    // A zero or unreadable setting must not log the user out at the next turn.
    for (const char* unusable : {"0", "-2", "abc"}) {
        setDefault("timeoutTime", unusable);
        NotificationCenter::defaultCenter().post("VKJYScreenTimeOutNotification");
        EXPECT_EQ(timers().timeoutTimer()->timeInterval(), 60.0) << unusable;
    }
}

TEST_F(PXTradeTimerMangerTest, shouldLogAnIdleUserOutAfterTheTimeout) {
    logIn();
    m_host.tradeTabSelected = true;
    module().PXJYData().tradeSession()->JYsessionID = "S-7";
    setDefault("timeoutTime", "0.005");
    timers().setTimerManger();
    NotificationCenter::defaultCenter().post("VKJYScreenTimeOutNotification");
    ASSERT_TRUE(runUntil([&] { return !m_host.alerts.empty(); }, 3.0));
    // The store is cleared at once, but the logoff still names the session it ends.
    EXPECT_TRUE(module().PXJYData().tradeSession()->JYsessionID.empty());
    EXPECT_EQ(m_log.count("cancellationNotification"), 1);
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_EQ(m_host.tabActions, (std::vector<std::string>{"popToRoot", "selectHangQingTab"}));
    EXPECT_EQ(m_host.alerts[0].alert.message, "您长时间未操作,已自动退出交易系统!");
    EXPECT_EQ(m_host.alerts[0].alert.buttons, std::vector<std::string>{"确定"});
    ASSERT_TRUE(runUntil([&] { return !m_server.named("logoff").empty(); }));
    const JYDict req = JYDict::parse(m_server.named("logoff").at(0).body)["VUZI"]["REQ"];
    EXPECT_EQ(req["SESSION_ID"], "S-7");
    EXPECT_EQ(req["USER_ID"], "800123456789012");
}

TEST_F(PXTradeTimerMangerTest, shouldStayLoggedOutWhenTheLogoffCannotBeSent) {
    m_host.setLines(
        "01", "1", "1",
        {{"T1", "",
          "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::refusedPort()) + "/t"}});
    logIn();
    module().PXJYData().tradeSession()->JYsessionID = "S";
    timers().loginAgain();
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_TRUE(module().PXJYData().tradeSession()->JYsessionID.empty());
    EXPECT_FALSE(runFor(0.5, [&] { return module().tradeLogin(); }));
}

TEST_F(PXTradeTimerMangerTest, shouldShowTheLastLoginLine) {
    module().PXJYPeiZhi().setLoginInfo("最后一次登录来源:PC端");
    timers().lastLoginInformation();
    ASSERT_EQ(m_host.toasts.size(), 1u);
    EXPECT_EQ(m_host.toasts[0].first, "最后一次登录来源:PC端");
}
