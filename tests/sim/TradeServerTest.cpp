#include <chrono>
#include <future>
#include <thread>

#include "sim/TradeSimFixture.h"

namespace {
const char* const kProbe =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ>\n  <CMD>GETVERSION</CMD>\n</REQ>\n";

std::string field(const std::string& xml, const std::string& tag) {
    const auto from = xml.find("<" + tag + ">");
    const auto to = xml.find("</" + tag + ">");
    if (from == std::string::npos || to == std::string::npos) {
        return {};
    }
    return xml.substr(from + tag.size() + 2, to - from - tag.size() - 2);
}

std::string xmlRequest(const std::string& command, const Fields& fields) {
    std::string body =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ><CMD>" + command + "</CMD>";
    for (const auto& [key, value] : fields) {
        body += "<" + key + ">" + value + "</" + key + ">";
    }
    return body + "</REQ>";
}
}  // namespace

TEST_F(TradeSimTest, shouldAnswerMalformedRequestsWithAnErrorCode) {
    TradeClient trade = loggedIn(kAlice);
    EXPECT_EQ(trade.post("/trade?req=firm_info", "{not json").rep()["retcode"], 1001);
    EXPECT_EQ(trade.post("/trade?req=firm_info", "[1,2]").rep()["retcode"], 1001);
    EXPECT_EQ(trade.post("/trade?req=firm_info", R"({"VUZI":{"REQ":"x"}})").rep()["retcode"], 1001);
    EXPECT_EQ(trade.post("/funds?req=money_transfer", "").rep()["retcode"], 1001);
    EXPECT_EQ(trade.session("/trade", "no_such_request", {}).retcode(), 1002);
    Reply misnamed =
        trade.post("/trade?req=firm_info", R"({"VUZI":{"version":"1.0","REQ":{"name":"logoff"}}})");
    EXPECT_EQ(misnamed.retcode(), 1001);
    Reply numbers = trade.call("/trade", "holding_query", {});
    EXPECT_EQ(numbers.retcode(), 1004);
    EXPECT_EQ(trade.post("/trade?req=SYS_TIME_QUERY", "garbage").json["ret"], 1001);
    EXPECT_EQ(trade.session("/trade", "order_s", {{"QTY", "1e400"}}).retcode(), 2001);
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 0);
}

TEST_F(TradeSimTest, shouldSpoilTheNextReplyWhenTold) {
    TradeClient trade = loggedIn(kAlice);
    server().answerCodeNext(1004, "firm_info");
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 1004);
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 0);
    server().malformNext("firm_info");
    Reply spoilt = trade.session("/trade", "firm_info", {});
    EXPECT_TRUE(spoilt.json.is_discarded());
    EXPECT_FALSE(spoilt.body.empty());
    server().answerCodeNext(10001, "SYS_TIME_QUERY");
    EXPECT_EQ(trade.heartbeat({}).json["ret"], 10001);
}

// A dropped request, held or not, is closed unanswered and acted on by nobody; released, its name
// is served again.
TEST_F(TradeSimTest, shouldCloseDroppedRequestsUnansweredUntilReleased) {
    TradeClient trade = loggedIn(kAlice);
    server().holdReplies("firm_info");
    auto held =
        std::async(std::launch::async, [&] { return trade.session("/trade", "firm_info", {}); });
    const auto arrived = [&] {
        for (const SimTradeReceived& request : server().received()) {
            if (request.name == "firm_info") {
                return true;
            }
        }
        return false;
    };
    while (!arrived()) {
        std::this_thread::yield();
    }
    server().dropReplies("firm_info");
    EXPECT_EQ(held.get().status, -1);
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).status, -1);
    EXPECT_EQ(server().requestCounts()["firm_info"], 0);
    server().releaseReplies("firm_info");
    EXPECT_EQ(trade.session("/trade", "firm_info", {}).retcode(), 0);
}

// The later heartbeat is served first, then a deal is booked and the earlier one served: only the
// earlier answer names the deal.
TEST_F(TradeSimTest, shouldAnswerTwoHeartbeatsInTheOtherOrderWithADealBetween) {
    TradeClient trade = loggedIn(kAlice);
    const Fields beat = {{"curlogon", "0"},
                         {"lastid", trade.heartbeat({{"curlogon", "0"}}).json.value("TLID", "")}};
    httplib::Client control(m_exchange->controlUrl());
    const auto armed = control.Post(std::string("/control/trade/reverse?jys=01&env=02&account=") +
                                    kAlice + "&commodity=AG&side=1&qty=2");
    ASSERT_TRUE(armed && armed->status == 200);
    auto earlier = std::async(std::launch::async, [&] { return trade.heartbeat(beat); });
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!server().beatSwap().firstWaits() && std::chrono::steady_clock::now() < until) {
        std::this_thread::yield();
    }
    const Reply later = trade.heartbeat(beat);
    const Reply first = earlier.get();
    EXPECT_EQ(later.json["NT"], "0");
    EXPECT_EQ(later.json["TLID"], beat[1].second);
    ASSERT_EQ(first.json["NT"], "1");
    EXPECT_EQ(first.json["data"].size(), 1u);
    EXPECT_EQ(first.json["data"][0]["QT"], "2");
    EXPECT_EQ(trade.heartbeat(beat).json["data"].size(), 1u) << "the swap is over";
}

TEST_F(TradeSimTest, shouldServeTwoAccountsConcurrently) {
    TradeClient alice = loggedIn(kAlice);
    TradeClient bob = loggedIn(kBob);
    constexpr int kOrders = 15;
    auto trade = [](const TradeClient* who, int* ok) {
        for (int i = 0; i < kOrders; ++i) {
            Fields order = {
                {"BUY_SELL", "1"}, {"COMMODITY_ID", "AU"}, {"QTY", "1"}, {"SETTLE_BASIS", "1"}};
            *ok += who->session("/trade", "order_s", order).retcode() == 0;
            *ok += who->session("/trade", "firm_info", {}).retcode() == 0;
        }
    };
    int aliceOk = 0, bobOk = 0;
    std::thread first(trade, &alice, &aliceOk);
    std::thread second(trade, &bob, &bobOk);
    first.join();
    second.join();
    EXPECT_EQ(aliceOk, 2 * kOrders);
    EXPECT_EQ(bobOk, 2 * kOrders);
    for (const TradeClient* who : {&alice, &bob}) {
        Json rows = who->session("/trade", "holding_query", {{"COMMODITY_ID", "AU"}}).records();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0]["QTY"], std::to_string(kOrders));
    }
}

TEST_F(TradeSimTest, shouldAnswerTheLineProbeAndHonourLineControls) {
    TradeClient first = client(kDemo, 0);
    TradeClient second = client(kDemo, 1);
    EXPECT_EQ(first.post("/trade", kProbe).status, 200);
    EXPECT_EQ(field(second.post("/trade", kProbe).body, "RCD"), "0");

    server().line(0).refuse();
    EXPECT_EQ(first.post("/trade", kProbe, "application/x-www-form-urlencoded", 1).status, -1);
    EXPECT_EQ(second.post("/trade", kProbe).status, 200);
    ASSERT_TRUE(server().line(0).resume());
    EXPECT_EQ(first.post("/trade", kProbe).status, 200);

    server().line(1).setDelayMs(3000);
    EXPECT_EQ(second.post("/trade", kProbe, "application/x-www-form-urlencoded", 0.3).status, -1);
    server().line(1).setDelayMs(0);
    EXPECT_EQ(second.post("/trade", kProbe).status, 200);
}

TEST_F(TradeSimTest, shouldNameEveryBusinessLineForTheDirectory) {
    SimTradeService& trade = m_exchange->trade();
    const std::string line = trade.lineUrl("01", "02", "3", 1);
    EXPECT_EQ(line, server().lineBase(1) + "/funds");
    EXPECT_EQ(trade.lineUrl("01", "02", "2", 0), server().lineBase(0) + "/notice");
    EXPECT_EQ(trade.lineUrl("02", "01", "1", 0), trade.server("02", "01")->lineBase(0) + "/trade");
    EXPECT_TRUE(trade.lineUrl("01", "09", "1", 0).empty());
    EXPECT_TRUE(trade.lineUrl("01", "02", "4", 0).empty());
    EXPECT_TRUE(trade.lineUrl("01", "02", "1", 2).empty());
}

TEST_F(TradeSimTest, shouldOpenAnAccountBySmsCodeAndLogIntoIt) {
    TradeClient trade = client();
    Reply list = trade.post("/account", xmlRequest("GETOPENACCOUNT", {{"TKNB", "t"}}));
    EXPECT_NE(list.body.find("<ENVCAT>3</ENVCAT>"), std::string::npos);
    const std::string url = server().lineBase(0) + "/account/01/02";
    EXPECT_NE(list.body.find("<URL>" + url + "</URL>"), std::string::npos);

    Reply sent = trade.post("/sms/reqcode", xmlRequest("PHONECAPTCHA", {{"PN", "13900000000"}}));
    EXPECT_EQ(field(sent.body, "RCOD"), "0");
    const std::string ssid = field(sent.body, "SSID");
    const std::string code = m_exchange->trade().accountServices().smsCode("13900000000").value();
    Reply wrong =
        trade.post("/sms/verifycode", xmlRequest("CAPTCHAVERIFY", {{"SSID", ssid}, {"CODE", "x"}}));
    EXPECT_EQ(field(wrong.body, "RCOD"), "2");
    Reply checked = trade.post("/sms/verifycode",
                               xmlRequest("CAPTCHAVERIFY", {{"SSID", ssid}, {"CODE", code}}));
    const std::string token = field(checked.body, "TKNB");
    ASSERT_FALSE(token.empty()) << checked.body;

    Reply created = trade.post("/account/01/02", xmlRequest("CREATEUSER", {{"TKNB", token}}));
    ASSERT_EQ(field(created.body, "RCD"), "0") << created.body;
    const std::string account = field(created.body, "ACCN");
    EXPECT_EQ(account.size(), 15u);
    EXPECT_EQ(field(created.body, "PPWD"), kFundPassword);
    EXPECT_EQ(client().logon(account, field(created.body, "TPWD"), nextLogonTime()).retcode(), 0);
    Reply again = trade.post("/account/01/02", xmlRequest("CREATEUSER", {{"TKNB", token}}));
    EXPECT_NE(field(again.body, "RCD"), "0");
}

TEST_F(TradeSimTest, shouldResetAPasswordBySmsCode) {
    TradeClient trade = client();
    Reply checked = trade.post(
        "/account/01/02",
        xmlRequest("PHONEVERIFY",
                   {{"TKNB", "t"}, {"ACCOUNT", kBob}, {"PLATFORM", "01"}, {"ENVIRONMENT", "02"}}));
    ASSERT_EQ(field(checked.body, "RCD"), "0");
    EXPECT_EQ(field(checked.body, "PN"), "138****0012");
    const std::string code = m_exchange->trade().accountServices().smsCode("13800000012").value();
    Reply reset = trade.post("/account/01/02",
                             xmlRequest("RESETPASSWORD", {{"TKNB", "t"},
                                                          {"SESSION", field(checked.body, "SSID")},
                                                          {"PASSWORD", "newpass"},
                                                          {"CAPTCHA", code}}));
    EXPECT_EQ(field(reset.body, "RCD"), "0");
    EXPECT_EQ(client().logon(kBob, "newpass", nextLogonTime()).retcode(), 0);

    Reply unknown = trade.post(
        "/account/01/02",
        xmlRequest("PHONEVERIFY", {{"ACCOUNT", "999"}, {"PLATFORM", "01"}, {"ENVIRONMENT", "02"}}));
    EXPECT_EQ(field(unknown.body, "RCD"), "3");
}

TEST_F(TradeSimTest, shouldListMemberRightsOfAPlatform) {
    Reply rights =
        client().post("/account", xmlRequest("GETALLTRADEAUTHORITIES", {{"PLATFORM", "01"}}));
    // Member codes are the accounts' first three characters; the suspended firm's may not trade.
    EXPECT_NE(rights.body.find("<M_C>100</M_C><T_A>1</T_A>"), std::string::npos);
    EXPECT_NE(rights.body.find("<M_C>200</M_C><T_A>1</T_A>"), std::string::npos);
    EXPECT_NE(rights.body.find("<M_C>209</M_C><T_A>0</T_A>"), std::string::npos);
    EXPECT_EQ(rights.body.find("<M_C>300</M_C>"), std::string::npos);
}

TEST_F(TradeSimTest, shouldBeReachedThroughTheDirectory) {
    const std::string directoryUrl = m_exchange->directoryUrls().front();
    const std::string base = directoryUrl.substr(0, directoryUrl.rfind('/'));
    TradeClient directory(base);
    Reply listing = directory.post(
        SimDirectoryServer::kPath,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ><NAME>GetDirectory</NAME><APPKEY>" +
            std::string(SimDirectoryServer::kAppKey) +
            "</APPKEY><VERSION>1.0</VERSION><OSTYPE>ios</OSTYPE></REQ>");
    for (const std::string& url : {server().businessUrl("1", 0), server().businessUrl("2", 1),
                                   server().businessUrl("3", 0)}) {
        EXPECT_NE(listing.body.find("URL=\"" + url + "\""), std::string::npos) << url;
    }
    Reply services =
        directory.post(SimDirectoryServer::kPath, xmlRequest("GETOPENACCOUNT", {{"TKNB", "t"}}));
    EXPECT_NE(services.body.find("<URL>" + server().lineBase(0) + "/account/01/02</URL>"),
              std::string::npos);
    Reply sent =
        directory.post("/sms/reqcode", xmlRequest("PHONECAPTCHA", {{"PN", "13900000001"}}));
    EXPECT_EQ(field(sent.body, "RCOD"), "0");
    EXPECT_TRUE(m_exchange->trade().accountServices().smsCode("13900000001").has_value());
}
