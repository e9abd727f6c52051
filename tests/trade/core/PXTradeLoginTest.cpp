#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "TradeCoreTest.h"
#include "platform/crypto/Aes128Ecb.h"
#include "platform/crypto/Base64.h"
#include "platform/crypto/Md5.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/SystemSound.h"
#include "support/TestClock.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {

const char* const kAccount = "800123456789012";
const char* const kPassword = "pa$$word";

// The server side of the logon as docs/trading-protocol.md describes it: check the client
// token against the stored password, answer with the session sealed under the same key.
std::string logonReply(const CapturedRequest& request, const std::string& session = "SESSION-1") {
    const JYDict req = JYDict::parse(request.body)["VUZI"]["REQ"];
    const Bytes key = Md5::digest(req["USER_ID"].get<std::string>() + kPassword);
    const auto token = Base64::decode(req["CLT_TOKEN"].get<std::string>());
    const auto plain = token ? Aes128Ecb::decrypt(*token, key) : std::nullopt;
    const std::string expected =
        req["USER_ID"].get<std::string>() + "|" + req["LOGONTIME"].get<std::string>();
    if (!plain || std::string(plain->begin(), plain->end()) != expected) {
        return tradeReply("\"retcode\":-1,\"message\":\"密码错误\"");
    }
    Bytes material = {16, 0};
    material.insert(material.end(), 16, 0xAB);
    material.push_back(uint8_t(session.size()));
    material.push_back(0);
    material.insert(material.end(), session.begin(), session.end());
    return tradeReply(
        "\"LAST_TIME\":\"1700000000000\",\"LAST_IP\":\"10.1.2.3\","
        "\"LAST_MODULE\":\"M\",\"SRV_KEY\":\"srv-token\",\"IS_ENCRYPT\":\"1\","
        "\"CLT_KEY\":\"" +
        Base64::encode(*Aes128Ecb::encrypt(material, key)) + "\"");
}

class PXTradeLoginTest : public TradeCoreTest {
protected:
    PXTradeLoginTest() {
        setDefault("JYUserName", kAccount);
        m_server.replyWith("logon",
                           [](const CapturedRequest& request) { return logonReply(request); });
        m_server.reply("commodity_query",
                       tradeReply("\"RESULTLIST\":{\"REC\":[{\"CO_I\":\"AG\",\"CO_N\":\"白银\","
                                  "\"CT_S\":\"10\",\"TRADEMODE\":\"1\"}]}"));
        m_server.reply(
            "other_firm_query",
            tradeReply("\"RESULTLIST\":{\"REC\":[{\"E_M_ID\":\"F01\",\"E_M_N\":\"会员\"}]}"));
        m_server.reply("SYS_TIME_QUERY",
                       "{\"ret\":0,\"LID\":\"7\",\"NT\":\"0\",\"TTC\":\"3\",\"TLID\":\"41\"}");
        m_server.reply("holding_query",
                       tradeReply("\"TTLREC\":1,\"RESULTLIST\":{\"REC\":[{\"CO_I\":\"AG\","
                                  "\"TY\":\"1\",\"QTY\":\"2\"}]}"));
        m_server.reply(
            "holding_detail_query",
            tradeReply("\"TTLREC\":1,\"RESULTLIST\":{\"REC\":[{\"H_ID\":\"H1\","
                       "\"CO_I\":\"AG\",\"TY\":\"1\",\"C_QTY\":\"2\",\"H_P\":\"100\"}]}"));
        m_server.reply("firm_info",
                       tradeReply("\"RESULTLIST\":{\"REC\":[{\"EQT\":\"5000\",\"RM\":\"1000\"}]}"));
    }

    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const CapturedRequest& request : m_server.requests()) {
            found.push_back(request.name);
        }
        return found;
    }

    void logIn() {
        auto manager = newManager();
        manager->CPYloginJiaoYiActionType(kAccount, "", "", kPassword);
        ASSERT_TRUE(waitForCalls(1));
        ASSERT_EQ(m_delegate->calls[0].typeNW, "PXAccountInformation");
        ASSERT_TRUE(module().tradeLogin());
        m_delegate->calls.clear();
    }

    // A screen's query under the logged-in session.
    JYDict ofSession() { return {{"session_id", module().PXJYData().tradeSession()->JYsessionID}}; }
};

}  // namespace

TEST_F(PXTradeLoginTest, shouldRunTheWholeChainAndLogInOnlyAtItsEnd) {
    auto manager = newManager();
    std::vector<bool> loginSeen;
    m_server.replyWith("firm_info", [&](const CapturedRequest&) {
        return tradeReply("\"RESULTLIST\":{\"REC\":[{\"EQT\":\"5000\",\"RM\":\"1000\"}]}");
    });
    manager->CPYloginJiaoYiActionType(kAccount, "", "", kPassword);
    ASSERT_TRUE(runUntil([&] {
        loginSeen.push_back(module().tradeLogin());
        return !m_delegate->calls.empty();
    }));
    for (size_t i = 0; i + 1 < loginSeen.size(); ++i) {
        EXPECT_FALSE(loginSeen[i]);
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"logon", "commodity_query", "other_firm_query",
                                                 "SYS_TIME_QUERY", "holding_query",
                                                 "holding_detail_query", "firm_info"}));
    ASSERT_EQ(m_delegate->calls.size(), 1u);
    EXPECT_EQ(m_delegate->calls[0].kind, "finished");
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXAccountInformation");
    EXPECT_FALSE(m_delegate->calls[0].hasData);
    EXPECT_TRUE(module().tradeLogin());
    EXPECT_FALSE(manager->dengLuCaoZuo());
    // The chain's heartbeat went with the first-login values, and the timers ask from its answer.
    const JYDict loginBeat = JYDict::parse(m_server.named("SYS_TIME_QUERY").at(0).body);
    EXPECT_EQ(loginBeat["curlogon"], "1");
    EXPECT_EQ(loginBeat["lastid"], "0");
    EXPECT_EQ(loginBeat["sessionid"], "SESSION-1");
    EXPECT_FALSE(module().PXJYPeiZhi().shiFoGangDengLu());
    newManager()->getChengJiaoHuiBaoXinXiQH();
    ASSERT_TRUE(runUntil([&] { return m_server.named("SYS_TIME_QUERY").size() == 2; }));
    const JYDict next = JYDict::parse(m_server.named("SYS_TIME_QUERY").at(1).body);
    EXPECT_EQ(next["curlogon"], "0");
    EXPECT_EQ(next["tradecnt"], "3");
    EXPECT_EQ(next["lastid"], "41");
    EXPECT_EQ(next["broadcast"], "7");

    PXTradeData& store = module().PXJYData();
    EXPECT_EQ(store.tradeSession()->JYsessionID, "SESSION-1");
    EXPECT_EQ(store.tradeSession()->encryptKey_data, std::vector<uint8_t>(16, 0xAB));
    EXPECT_EQ(store.tradeSession()->encryptSign, "1");
    EXPECT_EQ(store.tradeSession()->srvToken, "srv-token");
    EXPECT_EQ(store.shangPinXinXi().at("AG")->commodityName, "白银");
    EXPECT_EQ(store.firmID(), "F01");
    ASSERT_EQ(store.chiCangHuiZongXinXi().size(), 1u);
    EXPECT_EQ(store.chiCangMingXiXinXi().count("H1"), 1u);
    EXPECT_EQ(store.zhangHuXinXi()["EQT"], "5000");
    // LAST_TIME is in milliseconds; the line shows it as local time to the second.
    EXPECT_EQ(module().PXJYPeiZhi().loginInfo(),
              "最后一次登录来源:手机端  上次登录IP:10.1.2.3  上次登录时间:" +
                  DateFormat("yyyy-MM-dd HH:mm:ss").format(1700000000.0));

    // Every request after the logon carries the new session.
    const auto detail = m_server.named("firm_info").at(0);
    EXPECT_EQ(JYDict::parse(detail.body)["VUZI"]["REQ"]["SESSION_ID"], "SESSION-1");
}

TEST_F(PXTradeLoginTest, shouldStopTheChainAtARefusedStepAndReportItUnderItsTag) {
    m_server.reply("holding_query", tradeReply("\"retcode\":77,\"message\":\"持仓查询失败\""));
    auto manager = newManager();
    manager->CPYloginJiaoYiActionType(kAccount, "", "", kPassword);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXchiCangHuiZong");
    EXPECT_EQ(m_delegate->calls[0].code, 77);
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "持仓查询失败");
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_EQ(names().back(), "holding_query");
}

// A login that fails after its heartbeat was answered leaves the timers asking from the report
// of the account in force.
TEST_F(PXTradeLoginTest, shouldKeepTheTimersReportWhenTheChainFailsAfterItsHeartbeat) {
    const JYDict inForce = {{"GB_ID", "5"}, {"Num_Trade", "9"}, {"END_GBID", "50"}};
    module().PXJYTimerManger().setTransactionReporting(inForce);
    m_server.reply("holding_detail_query", tradeReply("\"retcode\":77,\"message\":\"x\""));
    auto manager = newManager();
    manager->CPYloginJiaoYiActionType(kAccount, "", "", kPassword);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_server.named("SYS_TIME_QUERY").size(), 1u);
    EXPECT_EQ(module().PXJYTimerManger().transactionReporting(), inForce);
}

// The account's answers on their way when another login replaced it are dropped: once that login
// fails and puts the account back, its holdings and funds are read again.
TEST_F(PXTradeLoginTest, shouldReadTheHoldingsAgainWhenAFailedLoginPutsTheAccountBack) {
    logIn();
    m_server.replyWith("logon",
                       [](const CapturedRequest& request) { return logonReply(request, "S-2"); });
    m_server.reply("holding_detail_query", tradeReply("\"retcode\":77,\"message\":\"x\""));
    m_server.reply("firm_info",
                   tradeReply("\"RESULTLIST\":{\"REC\":[{\"EQT\":\"6000\",\"RM\":\"1000\"}]}"));
    // Another account: the exchange still holds the session put back.
    newManager()->CPYloginJiaoYiActionType("800123456789013", "", "", kPassword);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    PXTradeData& store = module().PXJYData();
    ASSERT_TRUE(runUntil([&] { return store.zhangHuXinXi()["EQT"] == "6000"; }));
    EXPECT_EQ(store.tradeSession()->JYsessionID, "SESSION-1");
    EXPECT_EQ(m_server.named("holding_query").size(), 3u);
}

// While another account's login ran, the exchange answered the account in force as lost: once
// that login fails there is nothing to put back, and the user is logged out, told by the login.
TEST_F(PXTradeLoginTest, shouldLogOutWhenTheAccountToPutBackWasLostDuringTheFailedLogin) {
    logIn();
    std::promise<void> oldAnswer;
    std::promise<void> chainAnswer;
    m_server.replyWith("firm_info", [gate = oldAnswer.get_future().share()](const auto&) {
        LoopbackHttpServer::holdAnswer(gate);
        return tradeReply("\"retcode\":1004,\"message\":\"x\"");
    });
    m_server.replyWith("logon",
                       [](const CapturedRequest& request) { return logonReply(request, "S-2"); });
    m_server.replyWith("holding_detail_query",
                       [gate = chainAnswer.get_future().share()](const auto&) {
                           LoopbackHttpServer::holdAnswer(gate);
                           return tradeReply("\"retcode\":77,\"message\":\"x\"");
                       });
    newManager()->getAccountInformation();
    ASSERT_TRUE(runUntil([&] { return m_server.named("firm_info").size() == 2; }));
    newManager()->CPYloginJiaoYiActionType("800123456789013", "", "", kPassword);
    ASSERT_TRUE(runUntil([&] { return m_server.named("holding_detail_query").size() == 2; }));
    oldAnswer.set_value();
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].code, 1004);
    chainAnswer.set_value();
    ASSERT_TRUE(waitForCalls(2));
    EXPECT_EQ(m_delegate->calls[1].typeNW, "PXchiCangMingXi");
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_TRUE(module().PXJYData().tradeSession()->JYsessionID.empty());
    EXPECT_FALSE(runFor(0.5, [&] { return m_server.named("holding_query").size() > 2; }))
        << "asked under the lost session";
    EXPECT_TRUE(m_host.alerts.empty());
}

struct LoginBeatFailure {
    const char* what;
    std::string reply;  // empty: never answered in time
};

void PrintTo(const LoginBeatFailure& failure, std::ostream* out) {
    *out << failure.what;
}

class PXTradeLoginBeatTest : public PXTradeLoginTest,
                             public ::testing::WithParamInterface<LoginBeatFailure> {};

// The chain's heartbeat only takes the day's deal count: refused, spoiled or unanswered, the
// login goes on, the timers' next beat asks as the session's first (asked from the last report,
// of another account, the server would list this account's earlier deals as new), and the
// holdings the login read before that count are read again.
TEST_P(PXTradeLoginBeatTest, shouldLogInWhateverTheChainsHeartbeatAnswers) {
    TestClock clock;
    struct HeldReply {
        std::promise<void> promise;
        ~HeldReply() { promise.set_value(); }
    } held;
    const std::string chainsReply = GetParam().reply;
    auto beats = std::make_shared<std::atomic<int>>(0);
    m_server.replyWith(
        "SYS_TIME_QUERY", [chainsReply, beats, released = held.promise.get_future().share()](
                              const CapturedRequest& request) {
            if (beats->fetch_add(1) == 0) {
                if (chainsReply.empty()) {
                    LoopbackHttpServer::holdAnswer(released, 60);
                }
                return chainsReply;
            }
            // The account's day holds three deals, the last numbered 41.
            const JYDict beat = JYDict::parse(request.body);
            const bool listed = beat["curlogon"] == "0" && beat["lastid"] != "41";
            return std::string("{\"ret\":0,\"LID\":\"7\",\"TTC\":\"3\",\"TLID\":\"41\",") +
                   (listed ? "\"NT\":\"1\",\"data\":[{\"CMOID\":\"AG\",\"QT\":1,\"TYP\":\"1\"}]}"
                           : "\"NT\":\"0\"}");
        });
    // The report of the account logged in before.
    module().PXJYTimerManger().setTransactionReporting(
        {{"GB_ID", "7"}, {"Num_Trade", "1"}, {"END_GBID", "12"}});
    setDefault("PromptType", "3");
    SystemSound::clearRecorded();

    auto manager = newManager();
    manager->CPYloginJiaoYiActionType(kAccount, "", "", kPassword);
    ASSERT_TRUE(waitForCalls(1, 30));
    EXPECT_EQ(m_delegate->calls[0].kind, "finished");
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXAccountInformation");
    EXPECT_TRUE(module().tradeLogin());
    EXPECT_EQ(names(), (std::vector<std::string>{"logon", "commodity_query", "other_firm_query",
                                                 "SYS_TIME_QUERY", "holding_query",
                                                 "holding_detail_query", "firm_info"}));

    // The timers' beats, after the chain's own.
    const auto timerBeats = [&] {
        std::vector<JYDict> found;
        const auto all = m_server.named("SYS_TIME_QUERY");
        for (size_t i = 1; i < all.size(); ++i) {
            found.push_back(JYDict::parse(all[i].body));
        }
        return found;
    };
    ASSERT_TRUE(runUntil([&] {
        const auto now = timerBeats();
        return !now.empty() && now.back()["lastid"] == "41";
    }));
    for (const JYDict& beat : timerBeats()) {
        EXPECT_EQ(beat["lastid"], beat["curlogon"] == "1" ? "0" : "41");
    }
    EXPECT_TRUE(m_host.toasts.empty());
    EXPECT_TRUE(SystemSound::playedSounds().empty());
    EXPECT_TRUE(runUntil([&] {
        return m_server.named("holding_query").size() == 2 &&
               m_server.named("holding_detail_query").size() == 2 &&
               m_server.named("firm_info").size() == 2;
    }));
}

INSTANTIATE_TEST_SUITE_P(
    ChainsHeartbeat, PXTradeLoginBeatTest,
    ::testing::Values(LoginBeatFailure{"refused", "{\"ret\":-1,\"msg\":\"系统繁忙\"}"},
                      LoginBeatFailure{"spoiled", "<html>502 Bad Gateway</html>"},
                      LoginBeatFailure{"timedOut", ""}),
    [](const ::testing::TestParamInfo<LoginBeatFailure>& info) { return info.param.what; });

TEST_F(PXTradeLoginTest, shouldRefuseAWrongPasswordWithTheServersMessage) {
    auto manager = newManager();
    manager->CPYloginJiaoYiActionType(kAccount, "", "", "wrong");
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXTradeLogin");
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "密码错误");
    EXPECT_EQ(names(), std::vector<std::string>{"logon"});
}

TEST_F(PXTradeLoginTest, shouldHandAHoldingDetailQueryOutsideTheChainToTheScreen) {
    logIn();
    auto manager = newManager();
    manager->getJYChiCangMingXi("AG");
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_TRUE(m_delegate->calls[0].hasData);
    EXPECT_EQ(std::get<PXTradeTicketMap>(m_delegate->calls[0].data.at(0)).count("H1"), 1u);
    EXPECT_EQ(names().back(), "holding_detail_query");
}

TEST_F(PXTradeLoginTest, shouldClearTheStoreAndOfferANewLoginWhenTheSessionIsLost) {
    logIn();
    m_server.reply("my_order_query", tradeReply("\"retcode\":1004,\"message\":\"x\""));
    m_host.tradeTabSelected = true;
    auto manager = newManager();
    manager->weiTuoDanChaXun(ofSession());
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_delegate->calls[0].code, 1004);
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "您的当前登录状态已失效,请重新登录!");
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_TRUE(module().PXJYData().shangPinXinXi().empty());
    EXPECT_TRUE(module().PXJYData().tradeSession()->JYsessionID.empty());
    ASSERT_EQ(m_host.alerts.size(), 1u);
    EXPECT_EQ(m_host.alerts[0].alert.title, "提示");
    EXPECT_EQ(m_host.alerts[0].alert.message, "您的当前登录状态已失效,请重新登录!");
    EXPECT_EQ(m_host.alerts[0].alert.buttons, (std::vector<std::string>{"重新登录", "取消"}));
    EXPECT_EQ(m_host.alerts[0].alert.tag, 5554);

    m_host.alerts[0].onButton(0);
    EXPECT_EQ(m_host.tabActions, std::vector<std::string>{"popToRootAndAppear"});
    m_host.tabActions.clear();
    m_host.alerts[0].onButton(1);
    EXPECT_EQ(m_host.tabActions, (std::vector<std::string>{"popToRoot", "selectHangQingTab"}));
    m_host.tradeTabSelected = false;
    m_host.tabActions.clear();
    m_host.alerts[0].onButton(0);
    // A screen of the lost session left waiting on the trade tab goes: the login comes up.
    EXPECT_EQ(m_host.tabActions,
              (std::vector<std::string>{"selectTradeTab", "popToRootAndAppear"}));
}

TEST_F(PXTradeLoginTest, shouldShowTheIdleTextForCode10001AndOnlyOneDialogForManyReplies) {
    logIn();
    // Neither is answered before both are at the server: one still waiting to leave when the
    // session ends is withdrawn as of an ended session (1004) instead.
    std::atomic<int> arrived{0};
    m_server.replyWith("tradequery", [&](const CapturedRequest&) {
        ++arrived;
        for (int i = 0; i < 1000 && arrived < 2; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return tradeReply("\"retcode\":\"10001\",\"message\":\"x\"");
    });
    auto first = newManager();
    auto second = newManager();
    first->chengJiaoChaXun(ofSession());
    second->chengJiaoChaXun(ofSession());
    ASSERT_TRUE(waitForCalls(2));
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "长时间未操作登录状态已失效,请重新登录!");
    EXPECT_EQ(m_delegate->calls[1].code, 10001);
    EXPECT_EQ(m_host.alerts.size(), 1u);
}

TEST_F(PXTradeLoginTest, shouldNotClearAnythingForCode1004WhileLoggedOut) {
    m_server.reply("logon", tradeReply("\"retcode\":1004,\"message\":\"x\""));
    module().PXJYData().setFirmID("F9");
    auto manager = newManager();
    manager->CPYloginJiaoYiActionType(kAccount, "", "", kPassword);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].code, 1004);
    EXPECT_TRUE(m_host.alerts.empty());
    EXPECT_EQ(module().PXJYData().firmID(), "F9");
}

TEST_F(PXTradeLoginTest, shouldLogOutOnAnyLogoffReplyWithoutReadingIt) {
    logIn();
    m_server.reply("logoff", "not even JSON");
    auto manager = newManager();
    manager->getCancellation();
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "finished");
    EXPECT_FALSE(m_delegate->calls[0].hasData);
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_TRUE(module().PXJYData().firmID().empty());
    EXPECT_TRUE(module().PXJYData().tradeSession()->JYsessionID.empty());
}

// The user asked to leave: a refusal logs out here too, and its word is passed on.
TEST_F(PXTradeLoginTest, shouldLogOutAndPassOnTheServersWordWhenItRefusesTheLogoff) {
    logIn();
    m_server.reply("logoff", tradeReply("\"retcode\":-7,\"message\":\"注销失败\""));
    auto manager = newManager();
    manager->getCancellation();
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_delegate->calls[0].code, -7);
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "注销失败");
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_TRUE(module().PXJYData().firmID().empty());
    EXPECT_TRUE(module().PXJYData().tradeSession()->JYsessionID.empty());
}

TEST_F(PXTradeLoginTest, shouldLogOutWhenTheLogoffFindsTheSessionAlreadyEnded) {
    logIn();
    m_server.reply("logoff", tradeReply("\"retcode\":1004,\"message\":\"会话已失效\""));
    auto manager = newManager();
    manager->getCancellation();
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "finished");
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_TRUE(m_host.alerts.empty());
}

// From the moment a logoff leaves, its session counts as over; one that never reaches the
// server gives the session back, an answered one ends it.
// What the client holds of the exchange's sessions as a request on its way fares: a logon from
// the logged-out state, a query of the session in force, a logon of another account or of the
// account in force, the session's logoff. A request that may end the session in force (its logoff,
// a logon of its account: the exchange ends the session on taking it) stops everything under it
// as it leaves; answered, or left and unanswered, it ended the session; refused outright or never
// sent, the session goes on.
namespace {

enum class Start { LoggedOut, LoggedIn, LogonOfAnother, LogonOfSame, Logoff };
enum class Fate { Answered, Refused, TimedOut, DroppedLine, NeverLeft, AnsweredLate };

struct SessionCase {
    Start start;
    Fate fate;
    const char* sessionAfter;  // empty: logged out
    bool lossTold;
};

void PrintTo(const SessionCase& c, std::ostream* out) {
    *out << int(c.start) << "/" << int(c.fate);
}

class PXTradeSessionTest : public PXTradeLoginTest,
                           public ::testing::WithParamInterface<SessionCase> {
protected:
    ~PXTradeSessionTest() override { release(); }

    void release() {
        if (!std::exchange(m_released, true)) {
            m_release.set_value();
        }
    }

    // The request on its way, answered as the case says once released.
    std::string travellerReply(const CapturedRequest& request) const {
        const Start start = GetParam().start;
        const Fate fate = GetParam().fate;
        if (fate == Fate::DroppedLine) {
            return TradeScriptServer::kDropLine;
        }
        const bool refused = fate == Fate::Refused;
        if (start == Start::LoggedIn) {
            return refused ? tradeReply("\"retcode\":1004,\"message\":\"x\"") : tradeReply();
        }
        if (start == Start::Logoff) {
            return tradeReply(refused ? "\"retcode\":5,\"message\":\"x\"" : "");
        }
        return refused ? tradeReply("\"retcode\":-1,\"message\":\"密码错误\"")
                       : logonReply(request, "S-2");
    }

    const char* travellerName() const {
        switch (GetParam().start) {
            case Start::LoggedIn:
                return "firm_info";
            case Start::Logoff:
                return "logoff";
            default:
                return "logon";
        }
    }

    void send(PXTradeNetworkManger& manager) {
        switch (GetParam().start) {
            case Start::LoggedIn:
                manager.getAccountInformation();
                break;
            case Start::Logoff:
                manager.getCancellation();
                break;
            case Start::LogonOfAnother:
                manager.CPYloginJiaoYiActionType("800123456789013", "", "", kPassword);
                break;
            default:
                manager.CPYloginJiaoYiActionType(kAccount, "", "", kPassword);
        }
    }

    void setTradeLine(const std::string& url) {
        m_host.setLines("01", "1", "1", {{"T1", "", url}});
    }

    // Requests under the first session that reached the exchange after the first `from`.
    size_t underFirstSession(size_t from) const {
        const auto all = m_server.requests();
        return size_t(std::count_if(all.begin() + std::ptrdiff_t(from), all.end(),
                                    [](const CapturedRequest& request) {
                                        return request.body.find("SESSION-1") != std::string::npos;
                                    }));
    }

    std::promise<void> m_release;
    bool m_released = false;
};

}  // namespace

TEST_P(PXTradeSessionTest, shouldHoldTheSessionAsTheExchangeDoesWhateverTheRequestMeets) {
    TestClock clock(20);
    const SessionCase& c = GetParam();
    if (c.start != Start::LoggedOut) {
        logIn();
    }
    m_server.replyWith(travellerName(), [this, released = m_release.get_future().share()](
                                            const CapturedRequest& request) {
        LoopbackHttpServer::holdAnswer(released);
        return travellerReply(request);
    });
    const std::string line = m_server.url("/trade");
    if (c.fate == Fate::NeverLeft) {
        setTradeLine("http://127.0.0.1:" + std::to_string(LoopbackHttpServer::refusedPort()) +
                     "/trade");
    }
    auto asker = std::make_shared<RecordingTradeDelegate>();
    auto traveller = PXTradeNetworkManger::create(module());
    traveller->setDelegate(asker);
    send(*traveller);
    if (c.fate != Fate::NeverLeft) {
        ASSERT_TRUE(runUntil([&] { return !m_server.named(travellerName()).empty(); }));
        const size_t left = m_server.count();
        // Several heartbeat periods.
        runFor(5);
        const bool mayEnd = c.start == Start::LogonOfSame || c.start == Start::Logoff;
        EXPECT_EQ(underFirstSession(left) > 0, c.start != Start::LoggedOut && !mayEnd)
            << "requests under the first session while the request travelled";
    }
    if (c.fate != Fate::TimedOut && c.fate != Fate::AnsweredLate) {
        release();
    }
    ASSERT_TRUE(runUntil([&] { return !asker->calls.empty(); }, 10));
    if (c.fate == Fate::AnsweredLate) {
        release();
    }
    setTradeLine(line);
    runFor(3);

    PXTradeData& store = module().PXJYData();
    EXPECT_EQ(store.tradeSession()->JYsessionID, c.sessionAfter);
    EXPECT_EQ(module().tradeLogin(), std::string(c.sessionAfter) != "");
    const auto lossAlerts =
        std::count_if(m_host.alerts.begin(), m_host.alerts.end(), [](const auto& shown) {
            return shown.alert.message == "您的当前登录状态已失效,请重新登录!";
        });
    EXPECT_EQ(lossAlerts, c.lossTold ? 1 : 0);
    if (std::string(c.sessionAfter).empty()) {
        return;
    }
    // The session in force takes requests again.
    const size_t asked = m_server.named("firm_info").size();
    newManager()->getAccountInformation();
    EXPECT_TRUE(runUntil([&] { return m_server.named("firm_info").size() > asked; }));
}

namespace {
constexpr SessionCase kSessionCases[] = {
    {Start::LoggedOut, Fate::Answered, "S-2", false},
    {Start::LoggedOut, Fate::Refused, "", false},
    {Start::LoggedOut, Fate::TimedOut, "", false},
    {Start::LoggedOut, Fate::NeverLeft, "", false},
    {Start::LoggedIn, Fate::Answered, "SESSION-1", false},
    {Start::LoggedIn, Fate::Refused, "", true},
    {Start::LoggedIn, Fate::TimedOut, "SESSION-1", false},
    {Start::LoggedIn, Fate::DroppedLine, "SESSION-1", false},
    {Start::LoggedIn, Fate::NeverLeft, "SESSION-1", false},
    {Start::LogonOfAnother, Fate::Answered, "S-2", false},
    {Start::LogonOfAnother, Fate::Refused, "SESSION-1", false},
    {Start::LogonOfAnother, Fate::TimedOut, "SESSION-1", false},
    {Start::LogonOfAnother, Fate::DroppedLine, "SESSION-1", false},
    {Start::LogonOfAnother, Fate::NeverLeft, "SESSION-1", false},
    {Start::LogonOfSame, Fate::Answered, "S-2", false},
    {Start::LogonOfSame, Fate::Refused, "SESSION-1", false},
    {Start::LogonOfSame, Fate::TimedOut, "", false},
    {Start::LogonOfSame, Fate::DroppedLine, "", false},
    {Start::LogonOfSame, Fate::NeverLeft, "SESSION-1", false},
    {Start::LogonOfSame, Fate::AnsweredLate, "", false},
    {Start::Logoff, Fate::Answered, "", false},
    {Start::Logoff, Fate::Refused, "", false},
    {Start::Logoff, Fate::TimedOut, "", false},
    {Start::Logoff, Fate::DroppedLine, "", false},
    {Start::Logoff, Fate::NeverLeft, "SESSION-1", false},
    {Start::Logoff, Fate::AnsweredLate, "", false},
};
}  // namespace

INSTANTIATE_TEST_SUITE_P(Table, PXTradeSessionTest, ::testing::ValuesIn(kSessionCases));

TEST_F(PXTradeLoginTest, shouldKeepANewerLoginWhenTheOldSessionsLogoffIsAnsweredLate) {
    logIn();
    auto logoff = newManager();
    logoff->getCancellation();
    // The switch's new logon is answered before the old session's logoff.
    newManager()->fenPeiDengLuShuJu({{"session", "SESSION-2"}});
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(JYDict::parse(m_server.named("logoff").at(0).body)["VUZI"]["REQ"]["SESSION_ID"],
              "SESSION-1");
    EXPECT_EQ(m_delegate->calls[0].kind, "finished");
    EXPECT_TRUE(module().tradeLogin());
    EXPECT_EQ(module().PXJYData().tradeSession()->JYsessionID, "SESSION-2");
    EXPECT_EQ(module().PXJYData().firmID(), "F01");
}

// A switch logs the old session off and logs on at once. While the logoff travels, the new
// session's beats would ask from the old account's report and have this account's earlier deals
// told as new: none goes before the login's own beat has set the count.
TEST_F(PXTradeLoginTest, shouldSendNoTimerBeatUnderTheNewSessionWhileTheOldOnesLogoffTravels) {
    logIn();
    ASSERT_TRUE(module().PXJYTimerManger().heartTimer());
    auto release = std::make_shared<std::promise<void>>();
    const auto held = [released = release->get_future().share()](const CapturedRequest&) {
        LoopbackHttpServer::holdAnswer(released);
        return tradeReply("\"retcode\":0");
    };
    m_server.replyWith("logoff", held);
    m_server.replyWith("holding_query", held);
    m_server.replyWith("logon",
                       [](const CapturedRequest& request) { return logonReply(request, "S-2"); });
    newManager()->getCancellation();
    newManager()->CPYloginJiaoYiActionType("800123456789013", "", "", kPassword);
    ASSERT_TRUE(runUntil([&] { return m_server.named("holding_query").size() == 2; }));
    const auto timerBeatUnderS2 = [&] {
        const auto beats = m_server.named("SYS_TIME_QUERY");
        return std::any_of(beats.begin(), beats.end(), [](const CapturedRequest& beat) {
            const JYDict body = JYDict::parse(beat.body);
            return body["sessionid"] == "S-2" && body["curlogon"] == "0";
        });
    };
    // Longer than a beat's period.
    EXPECT_FALSE(runFor(2.5, timerBeatUnderS2));
    release->set_value();
    ASSERT_TRUE(waitForCalls(2));
}

TEST_F(PXTradeLoginTest, shouldKeepANewerLoginWhenAnOldSessionsRequestIsAnsweredLost) {
    logIn();
    m_server.reply("holding_query", tradeReply("\"retcode\":1004,\"message\":\"会话已失效\""));
    auto manager = newManager();
    manager->getJYChiCangHuiZong("");
    // A new login replaced the session before the old request's answer came.
    newManager()->fenPeiDengLuShuJu({{"session", "SESSION-2"}});
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_TRUE(module().tradeLogin());
    EXPECT_EQ(module().PXJYData().firmID(), "F01");
    EXPECT_TRUE(m_host.alerts.empty());
}

TEST_F(PXTradeLoginTest, shouldKeepNothingOfAReplyWhoseSessionEndedButTellTheAsker) {
    logIn();
    auto release = std::make_shared<std::promise<void>>();
    m_server.replyWith(
        "firm_info", [released = release->get_future().share()](const CapturedRequest&) {
            LoopbackHttpServer::holdAnswer(released);
            return tradeReply("\"RESULTLIST\":{\"REC\":[{\"EQT\":\"9999\",\"RM\":\"1\"}]}");
        });
    const size_t asked = m_server.named("firm_info").size();
    newManager()->getAccountInformation();
    // The session ends once the request has left and the device has heard so: one still on the
    // device would never leave.
    ASSERT_TRUE(runUntil([&] { return m_server.named("firm_info").size() > asked; }));
    bool heard = false;
    MainQueue::post([&heard] { heard = true; });
    ASSERT_TRUE(runUntil([&] { return heard; }));
    module().PXJYData().clearAllTradeData();
    release->set_value();
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "finished");
    EXPECT_TRUE(module().PXJYData().zhangHuXinXi().empty());
}

TEST_F(PXTradeLoginTest, shouldSendNothingUnderASessionThatHasEndedAndSayItIsLost) {
    logIn();
    module().PXJYData().clearAllTradeData();
    newManager()->cancelWeiTuoDan(
        {{"userid", kAccount}, {"holdId", "7"}, {"session_id", "SESSION-1"}});
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_delegate->calls[0].code, 1004);
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "您的当前登录状态已失效,请重新登录!");
    EXPECT_FALSE(runFor(0.3, [&] { return !m_server.named("order_wd").empty(); }));
    EXPECT_TRUE(m_host.alerts.empty());

    // A logon that hands the same session out again makes it live.
    m_delegate->calls.clear();
    logIn();
    newManager()->cancelWeiTuoDan({{"session_id", "SESSION-1"}});
    ASSERT_TRUE(runUntil([&] { return !m_server.named("order_wd").empty(); }));
}

// Asked under the session but still on the device when it ends (a stalled line queues them
// there): the request never leaves and the asker hears the session is lost; its logoff goes.
TEST_F(PXTradeLoginTest, shouldKeepOnTheDeviceAllButTheLogoffOfASessionThatEnded) {
    logIn();
    const size_t asked = m_server.named("firm_info").size();
    newManager()->getAccountInformation();
    newManager()->getCancellation();
    module().PXJYData().clearAllTradeData();
    ASSERT_TRUE(runUntil([&] { return !m_server.named("logoff").empty(); }));
    ASSERT_TRUE(waitForCalls(2));
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXAccountInformation");
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_delegate->calls[0].code, 1004);
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "您的当前登录状态已失效,请重新登录!");
    EXPECT_EQ(m_server.named("firm_info").size(), asked);
    EXPECT_TRUE(m_host.alerts.empty());
}

TEST_F(PXTradeLoginTest, shouldSendNothingWithoutASessionAfterTheLogOutAndSayItIsLost) {
    logIn();
    module().PXJYData().clearAllTradeData();
    newManager()->getAccountInformation();
    newManager()->getChengJiaoHuiBaoXinXiQH();
    ASSERT_TRUE(waitForCalls(2));
    for (const auto& call : m_delegate->calls) {
        EXPECT_EQ(call.kind, "failed");
        EXPECT_EQ(call.code, 1004);
    }
    // The login chain sent one of each.
    const size_t firmInfos = m_server.named("firm_info").size();
    const size_t beats = m_server.named("SYS_TIME_QUERY").size();
    EXPECT_FALSE(runFor(0.3, [&] {
        return m_server.named("firm_info").size() > firmInfos ||
               m_server.named("SYS_TIME_QUERY").size() > beats;
    }));
}

TEST_F(PXTradeLoginTest, shouldSaveTokenBFromTheSmsCodeCheck) {
    m_server.reply("/sms/verifycode", "<REP><RCOD>0</RCOD><TKNB>new-token</TKNB></REP>");
    auto manager = newManager();
    manager->shouJiYanZheng({{"ssid", "S"}, {"code", "1"}});
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_host.savedTokens, std::vector<std::string>{"new-token"});
    EXPECT_TRUE(m_delegate->calls[0].hasData);
}

TEST_F(PXTradeLoginTest, shouldNameEveryOtherLoginSourceThePcSide) {
    auto manager = newManager();
    manager->fenPeiDengLuShuJu({{"LAST_MODULE", "W"},
                                {"LAST_IP", "1.2.3.4"},
                                {"LAST_TIME", "1700000000999"},
                                {"IS_ENCRYPT", "0"}});
    EXPECT_EQ(module().PXJYPeiZhi().loginInfo(),
              "最后一次登录来源:PC端  上次登录IP:1.2.3.4  上次登录时间:" +
                  DateFormat("yyyy-MM-dd HH:mm:ss").format(1700000000));
    EXPECT_EQ(module().PXJYData().tradeSession()->encryptSign, "0");
}

TEST_F(PXTradeLoginTest, shouldReportAnUnreadableReplyAsAFailureAndKeepTheHoldings) {
    logIn();
    m_server.reply("holding_query", "<html>502 Bad Gateway</html>");
    auto manager = newManager();
    manager->getJYChiCangHuiZong("");
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "failed");
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXchiCangHuiZong");
    EXPECT_EQ(m_delegate->calls[0].code, 0);
    EXPECT_EQ(m_delegate->calls[0].errorMessage, "服务器返回数据失败！");
    EXPECT_EQ(module().PXJYData().chiCangHuiZongXinXi().size(), 1u);
    EXPECT_TRUE(module().tradeLogin());
}
