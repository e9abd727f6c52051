#include <algorithm>
#include <thread>

#include "sim/TradeSimFixture.h"

namespace {
const char* const kEastAccount = "100000000000001";
}  // namespace

TEST(TradeClientTokenTest, shouldMatchTheDocumentsWorkedExample) {
    EXPECT_EQ(testClientToken("8001234", "pa$$word", "1700000000123"),
              "xu9sxxTVSYD9GyNNOTQg3ViVpHeBO1gGhVZGUIGZLF8=");
}

TEST_F(TradeSimTest, shouldLogInWithTheRightTokenAndHandOutAnEncryptedSession) {
    TradeClient trade = client();
    Reply reply = trade.logon(kAlice, kPassword, nextLogonTime());
    ASSERT_EQ(reply.retcode(), 0) << reply.body;
    EXPECT_EQ(reply.rep()["LAST_MODULE"], "M");
    EXPECT_EQ(reply.rep()["IS_ENCRYPT"], "0");
    EXPECT_FALSE(reply.rep()["SRV_KEY"].get<std::string>().empty());
    ASSERT_FALSE(trade.sessionId().empty());
    EXPECT_EQ(trade.session("/trade", "firm_info", {{"A_N", ""}, {"P_P", ""}}).retcode(), 0);
}

TEST_F(TradeSimTest, shouldRefuseAWrongPasswordWithAMessage) {
    Reply reply = client().logon(kAlice, "999999", nextLogonTime());
    EXPECT_NE(reply.retcode(), 0);
    EXPECT_EQ(reply.rep()["message"], "账号或密码错误");
    EXPECT_FALSE(reply.rep().contains("CLT_KEY"));
}

TEST_F(TradeSimTest, shouldRefuseATokenMadeForAnotherLogonTime) {
    TradeClient trade = client();
    Reply reply = trade.call("/trade", "logon",
                             {{"USER_ID", kAlice},
                              {"PASSWORD", ""},
                              {"VALID_CODE", ""},
                              {"VALID_UUID", ""},
                              {"LOGONTIME", "1764800000999"},
                              {"CLT_TOKEN", testClientToken(kAlice, kPassword, "1764800000998")}});
    EXPECT_EQ(reply.rep()["message"], "账号或密码错误");
    reply = trade.call(
        "/trade", "logon",
        {{"USER_ID", kAlice}, {"LOGONTIME", "1764800000999"}, {"CLT_TOKEN", "not base64!"}});
    EXPECT_EQ(reply.rep()["message"], "账号或密码错误");
}

TEST_F(TradeSimTest, shouldRefuseAReplayedLogon) {
    TradeClient first = client();
    ASSERT_EQ(first.logon(kAlice, kPassword, "1764800000500").retcode(), 0);
    TradeClient replay = client();
    Reply reply = replay.logon(kAlice, kPassword, "1764800000500");
    EXPECT_NE(reply.retcode(), 0);
    EXPECT_TRUE(replay.sessionId().empty());
}

TEST_F(TradeSimTest, shouldServeACaptchaFrameWithAPngImage) {
    const std::string request(
        "\x04\x00\x03\x00"
        "1.0",
        7);
    Reply reply = client(kEast).post("/trade", request, "binary");
    CaptchaFrame frame;
    ASSERT_TRUE(readCaptchaFrame(reply.body, frame));
    EXPECT_EQ(frame.tag, 4);
    EXPECT_EQ(frame.version, "1.0");
    EXPECT_EQ(frame.code, 0);
    EXPECT_EQ(frame.image.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(frame.image.substr(12, 4), "IHDR");
    EXPECT_EQ(frame.id.size(), 32u);
    EXPECT_EQ(server(kEast).ledger().captchaCode(frame.id).value_or("").size(), 4u);

    ASSERT_TRUE(readCaptchaFrame(client(kEast).post("/trade", "\x04", "binary").body, frame));
    EXPECT_NE(frame.code, 0);
    EXPECT_FALSE(frame.message.empty());
}

TEST_F(TradeSimTest, shouldLogInWithTheCaptchaCodeOnlyOnce) {
    TradeClient trade = client(kEast);
    auto [id, code] = captcha(trade);
    const std::string wrong = code == "0000" ? "1111" : "0000";
    EXPECT_EQ(trade.logon(kEastAccount, kPassword, nextLogonTime(), wrong, id).rep()["message"],
              "验证码错误");
    EXPECT_NE(trade.logon(kEastAccount, kPassword, nextLogonTime(), code, id).retcode(), 0);

    std::tie(id, code) = captcha(trade);
    EXPECT_EQ(trade.logon(kEastAccount, kPassword, nextLogonTime(), code, id).retcode(), 0);
}

TEST_F(TradeSimTest, shouldAnswerEveryRequestOfAnExpiredSessionWith1004) {
    TradeClient trade = loggedIn(kAlice);
    server().ledger().expireSessions(kAlice);
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 1004);
    EXPECT_EQ(trade.session("/funds", "money_userinfo_query", {}).retcode(), 1004);
    EXPECT_EQ(trade.heartbeat({{"curlogon", "0"}}).json["ret"], 1004);
}

TEST_F(TradeSimTest, shouldEndAnIdleSessionWith10001) {
    TradeClient trade = loggedIn(kAlice);
    server().ledger().setIdleLimitMs(60000);
    m_exchange->clock().advance(59000);
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 0);
    m_exchange->clock().advance(61000);
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 10001);
    EXPECT_EQ(trade.session("/trade", "holding_query", {}).retcode(), 10001);
}

TEST_F(TradeSimTest, shouldEndTheSessionOnLogoffAndOnASecondLogin) {
    TradeClient first = loggedIn(kAlice);
    TradeClient second = loggedIn(kAlice);
    EXPECT_EQ(first.session("/trade", "firm_info", {}).retcode(), 1004);
    EXPECT_EQ(second.session("/trade", "logoff", {}).retcode(), 0);
    EXPECT_EQ(second.session("/trade", "firm_info", {}).retcode(), 1004);
}

TEST_F(TradeSimTest, shouldCountRequestsOfASessionTheClientWasToldHadEnded) {
    auto status = [this] {
        auto reply = httplib::Client(m_exchange->controlUrl()).Get("/control/trade/status");
        const std::string body = reply ? reply->body : "";
        return body.substr(std::min(body.find("ended-session"), body.size()));
    };
    TradeClient trade = loggedIn(kAlice);
    EXPECT_EQ(trade.session("/trade", "logoff", {}).retcode(), 0);
    // Sent before the logoff's answer was read: forgiven.
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 1004);
    EXPECT_EQ(status(), "ended-session requests 0\n");
    server().setCrossingMs(0);
    EXPECT_EQ(trade.heartbeat({{"curlogon", "0"}}).json["ret"], 1004);
    EXPECT_EQ(
        trade.call("/trade", "holding_query", {{"USER_ID", kAlice}, {"SESSION_ID", ""}}).retcode(),
        1004);
    TradeClient again = loggedIn(kAlice);
    server().ledger().logonElsewhere(kAlice);
    // The first refusal tells the client; only what follows it counts.
    EXPECT_EQ(again.session("/funds", "money_userinfo_query", {}).retcode(), 1004);
    EXPECT_EQ(again.session("/trade", "order_x", {}).retcode(), 1004);
    EXPECT_EQ(status(),
              "ended-session requests 3: 01/02 SYS_TIME_QUERY 01/02 holding_query "
              "01/02 order_x\n");
}

// An answer given while the client's thread was held by its tester is read once it runs again:
// what crosses it is judged from then.
TEST_F(TradeSimTest, shouldJudgeTheCrossingFromWhenAHeldClientRunsAgain) {
    TradeClient trade = loggedIn(kAlice);
    server().setCrossingMs(1000);
    EXPECT_EQ(trade.session("/trade", "logoff", {}).retcode(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 1004);
    EXPECT_EQ(server().ledger().endedSessionRequests(), 1);
    server().ledger().clientResumed();
    EXPECT_EQ(trade.session("/trade", "holding_query", {}).retcode(), 1004);
    EXPECT_EQ(server().ledger().endedSessionRequests(), 1) << "read only now: it crossed";
}

// A refusal whose client gave up waiting on a slow line (its time-out) was never read: it tells
// the client nothing, and what the client sends next is judged as before it.
TEST_F(TradeSimTest, shouldNotTakeARefusalTheClientGaveUpOnAsTellingIt) {
    TradeClient trade = loggedIn(kAlice);
    server().setCrossingMs(0);
    server().ledger().expireSessions(kAlice);
    server().holdReplies("SYS_TIME_QUERY");
    const Json beat = {{"uid", trade.user()}, {"ver", "1.0"}, {"sessionid", trade.sessionId()}};
    const int beats = server().requestCounts()["SYS_TIME_QUERY"];
    EXPECT_EQ(trade
                  .post("/trade?req=SYS_TIME_QUERY", beat.dump(),
                        "application/x-www-form-urlencoded", 0.2)
                  .status,
              -1);
    server().releaseReplies("SYS_TIME_QUERY");
    // Until the released beat is counted: the refusal was made.
    while (server().requestCounts()["SYS_TIME_QUERY"] == beats) {
        std::this_thread::yield();
    }
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 1004);
    EXPECT_EQ(server().ledger().endedSessionRequests(), 0) << "nothing had told the client";
    EXPECT_EQ(trade.session("/trade", "holding_query", {}).retcode(), 1004);
    EXPECT_EQ(server().ledger().endedSessionRequests(), 1) << "the firm_info refusal told it";
}

// A logoff whose client gave up waiting ends the session all the same, but the client never
// heard so: its next request is judged as before the logoff.
TEST_F(TradeSimTest, shouldNotTakeALogoffTheClientGaveUpOnAsTellingIt) {
    TradeClient trade = loggedIn(kAlice);
    server().setCrossingMs(0);
    server().holdReplies("logoff");
    const int logoffs = server().requestCounts()["logoff"];
    const Json request = {
        {"VUZI",
         {{"version", "1.0"},
          {"REQ",
           {{"name", "logoff"}, {"USER_ID", trade.user()}, {"SESSION_ID", trade.sessionId()}}}}}};
    EXPECT_EQ(
        trade.post("/trade?req=logoff", request.dump(), "application/x-www-form-urlencoded", 0.2)
            .status,
        -1);
    server().releaseReplies("logoff");
    while (server().requestCounts()["logoff"] == logoffs) {
        std::this_thread::yield();
    }
    // Beats until the released logoff has ended the session.
    while (trade.heartbeat({{"curlogon", "0"}}).json["ret"] != 1004) {
        std::this_thread::yield();
    }
    EXPECT_EQ(server().ledger().endedSessionRequests(), 0) << "nothing had told the client";
}

TEST_F(TradeSimTest, shouldRefuseASessionOfAnotherAccount) {
    TradeClient alice = loggedIn(kAlice);
    Reply reply = alice.call("/trade", "firm_info",
                             {{"USER_ID", "200000000000002"}, {"SESSION_ID", alice.sessionId()}});
    EXPECT_EQ(reply.retcode(), 1004);
}

TEST_F(TradeSimTest, shouldAnswerTheLoginChainRequests) {
    TradeClient trade = loggedIn(kAlice);
    Reply commodities = trade.session("/trade", "commodity_query",
                                      {{"COMMODITY_ID", ""}, {"A_N", ""}, {"P_P", ""}});
    ASSERT_EQ(commodities.retcode(), 0);
    const Json records = commodities.records();
    // The commodities of the environment's own quote panel (market 1, panel 2).
    ASSERT_EQ(records.size(), 5u);
    bool sawOrderBook = false;
    for (const auto& rec : records) {
        for (const char* key :
             {"CO_I",  "CO_N",     "STA",        "CT_S",      "SPREAD",      "SP_U",   "SP_D",
              "MA_A",  "MA_V",     "FEE_V",      "P_MIN_H",   "P_M_H",       "M_H",    "B_O_P",
              "S_S_P", "STOP_L_P", "U_O_D_D_DF", "TRADEMODE", "MIN_HQ_MOVE", "Z_L_S_C"}) {
            EXPECT_TRUE(rec.contains(key)) << key;
        }
        EXPECT_EQ(rec["YARS"]["YAS"].size(), 2u);
        sawOrderBook = sawOrderBook || (rec["CO_I"] == "NI" && rec["TRADEMODE"] == "4");
    }
    EXPECT_TRUE(sawOrderBook);
    Reply one = trade.session("/trade", "commodity_query", {{"COMMODITY_ID", "AU"}});
    ASSERT_EQ(one.records().size(), 1u);
    EXPECT_EQ(one.records()[0]["SPREAD"], "0.01");

    Reply firm = trade.session("/trade", "other_firm_query", {{"IS_D", "1"}});
    EXPECT_EQ(firm.records()[0]["E_M_ID"], "F001");
    Reply info = trade.session("/trade", "firm_info", {});
    EXPECT_EQ(info.records()[0]["FI"], kAlice);
    EXPECT_EQ(info.records()[0]["C_STA"], "N");
}
