#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "TradeCoreTest.h"
#include "platform/crypto/Aes128Ecb.h"
#include "platform/crypto/Base64.h"
#include "platform/crypto/Md5.h"
#include "platform/foundation/RunLoop.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeNetwork.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {

using Send = std::function<void(PXTradeNetworkManger&)>;

struct RequestCase {
    const char* tag;
    Send send;
    const char* path;
    const char* name;
    std::vector<std::string> keys;  // REQ keys after "id" and "name", in order
    std::vector<std::pair<std::string, std::string>> values;
};

const JYDict kCaller = {
    {"userid", "U9"},      {"sign", "2"},       {"commodityid", "AG"}, {"price", "101.5"},
    {"number", "3"},       {"tradeType", "1"},  {"diff", "5"},         {"closeMode", "2"},
    {"holdId", "H7"},      {"firmid", "F1"},    {"session_id", "S9"},  {"stoploss", "90"},
    {"stopprofit", "120"}, {"start_num", "21"}, {"time", "T"},         {"ortp", "a"},
    {"orst", "b"},         {"oroc", "c"},       {"lastDeal_id", "L1"}, {"withdrawtype", "1"},
    {"s_time", "100"},     {"e_time", "200"},   {"bank_id", "900"},    {"in_out", "I"},
    {"amount", "50.5"},    {"pswd", "fundpw"},  {"old_password", "o"}, {"new_password", "n"},
    {"effective", "1"},    {"type", "2"},       {"e_st", "3"},         {"e_et", "4"},
    {"title", "公告"},     {"notice_id", "N5"}, {"id", "caller-id"}};

std::vector<std::string> reqKeys(const JYDict& req) {
    std::vector<std::string> keys;
    for (auto it = req.begin(); it != req.end(); ++it) {
        keys.push_back(it.key());
    }
    return keys;
}

bool isRequestId(const std::string& id) {
    return std::regex_match(id, std::regex("[0-9A-F]{32}"));
}

class PXTradeRequestTest : public TradeCoreTest {
protected:
    PXTradeRequestTest() {
        setDefault("JYUserName", "800123456789012");
        giveSession();
    }

    // Each request is sent logged in, even after a logoff case ended the session.
    void giveSession() { module().PXJYData().tradeSession()->JYsessionID = "S-1"; }

    CapturedRequest sendOne(const Send& send) {
        giveSession();
        m_delegate->calls.clear();
        const size_t before = m_server.count();
        auto manager = newManager();
        send(*manager);
        EXPECT_TRUE(runUntil([&] { return m_server.count() > before; }));
        EXPECT_TRUE(waitForCalls(1));
        return m_server.requests().back();
    }
};

}  // namespace

TEST_F(PXTradeRequestTest, shouldSendEveryCatalogueRequestWithItsNameLinkAndKeys) {
    const std::vector<std::string> holdingKeys = {
        "USER_ID", "COMMODITY_ID", "MARKET_ID", "SESSION_ID", "STARTNUM",
        "RECCNT",  "SORTFLD",      "ISDESC",    "A_N",        "P_P"};
    const std::vector<std::string> orderKeys = {
        "USER_ID",  "BUY_SELL",  "COMMODITY_ID", "PRICE",    "QTY",       "SETTLE_BASIS",
        "DOT_DIFF", "CLOSEMODE", "HOLDING_ID",   "OTHER_ID", "SESSION_ID"};
    std::vector<std::string> closeKeys = orderKeys;
    closeKeys.insert(closeKeys.end(), {"A_N", "P_P"});
    const std::vector<std::string> reportKeys = {"USER_ID",  "SESSION_ID", "ST",      "ET",
                                                 "STARTNUM", "RECCNT",     "SORTFLD", "ISDESC"};
    const std::vector<RequestCase> cases = {
        {"PXcommodityInfoType",
         [](auto& m) { m.getCommodityInfo(""); },
         "/trade",
         "commodity_query",
         {"USER_ID", "COMMODITY_ID", "SESSION_ID", "A_N", "P_P"},
         {{"USER_ID", "800123456789012"}, {"COMMODITY_ID", ""}, {"SESSION_ID", "S-1"}}},
        {"PXgetOtherID",
         [](auto& m) { m.getOtherFirmQueryInfo(); },
         "/trade",
         "other_firm_query",
         {"USER_ID", "IS_D", "SESSION_ID"},
         {{"IS_D", "1"}}},
        {"PXAccountInformation",
         [](auto& m) { m.getAccountInformation(); },
         "/trade",
         "firm_info",
         {"USER_ID", "SESSION_ID", "A_N", "P_P"},
         {}},
        {"PXcancellation",
         [](auto& m) { m.getCancellation(); },
         "/trade",
         "logoff",
         {"USER_ID", "SESSION_ID"},
         {}},
        {"PXchiCangMingXi",
         [](auto& m) { m.getJYChiCangMingXi("AG"); },
         "/trade",
         "holding_detail_query",
         holdingKeys,
         {{"COMMODITY_ID", "AG"}, {"MARKET_ID", "1"}, {"RECCNT", "0"}, {"STARTNUM", ""}}},
        {"PXchiCangHuiZong",
         [](auto& m) { m.getJYChiCangHuiZong(""); },
         "/trade",
         "holding_query",
         holdingKeys,
         {{"RECCNT", ""}}},
        {"PXShiJiaJianCang",
         [](auto& m) { m.SJJianCangNetwork(kCaller); },
         "/trade",
         "order_s",
         orderKeys,
         {{"USER_ID", "U9"},
          {"BUY_SELL", "2"},
          {"PRICE", "101.5"},
          {"QTY", "3"},
          {"SETTLE_BASIS", "1"},
          {"DOT_DIFF", "5"},
          {"CLOSEMODE", "2"},
          {"HOLDING_ID", "H7"},
          {"OTHER_ID", "F1"},
          {"SESSION_ID", "S9"}}},
        {"PXShiJiaPingCang",
         [](auto& m) { m.SJPingCangNetwork(kCaller); },
         "/trade",
         "order_s",
         closeKeys,
         {{"A_N", ""}}},
        {"PXZhiJiaJianCang",
         [](auto& m) { m.ZJJianCangNetwork(kCaller); },
         "/trade",
         "order_x",
         {"USER_ID", "BUY_SELL", "COMMODITY_ID", "PRICE", "QTY", "STOP_LOSS", "STOP_PROFIT",
          "VALIDITY_TYPE", "OTHER_ID", "SESSION_ID", "A_N", "P_P"},
         {{"STOP_LOSS", "90"}, {"STOP_PROFIT", "120"}, {"VALIDITY_TYPE", "0"}}},
        {"PXZhiJiaPingCang",
         [](auto& m) { m.ZJPingCangNetwork(kCaller); },
         "/trade",
         "set_loss_profit",
         {"USER_ID", "H_ID", "COMMODITY_ID", "TY", "STOP_LOSS", "STOP_PROFIT", "SESSION_ID", "A_N",
          "P_P"},
         {{"H_ID", "H7"}, {"TY", "2"}}},
        {"PXweiTuoChaXun",
         [](auto& m) { m.weiTuoDanChaXun(kCaller); },
         "/trade",
         "my_order_query",
         {"USER_ID", "BUY_SELL", "ORDER_NO", "MARKET_ID", "COMMODITY_ID", "SESSION_ID", "STARTNUM",
          "RECCNT", "SORTFLD", "ISDESC", "UT", "A_N", "P_P", "OR_TP", "OR_ST", "OR_OC"},
         {{"ISDESC", "0"}, {"UT", "T"}, {"STARTNUM", "21"}, {"OR_OC", "c"}, {"MARKET_ID", ""}}},
        {"PXChengJiaoChaXun",
         [](auto& m) { m.chengJiaoChaXun(kCaller); },
         "/trade",
         "tradequery",
         {"USER_ID", "MARKET_ID", "LAST_TRADE_ID", "SESSION_ID", "A_N", "P_P", "BUY_SELL",
          "COMMODITY_ID", "STARTNUM", "RECCNT", "SORTFLD", "ISDESC", "OR_OC"},
         {{"MARKET_ID", "1"}, {"LAST_TRADE_ID", "L1"}}},
        {"PXCheXiaoZhiSunZhiYing",
         [](auto& m) { m.cheXiaoZhiSunZhiYingJia(kCaller); },
         "/trade",
         "withdraw_loss_profit",
         {"USER_ID", "H_ID", "COMMODITY_ID", "TYPE", "SESSION_ID", "A_N", "P_P"},
         {{"TYPE", "1"}}},
        {"PXCancelWeiTuoDan",
         [](auto& m) { m.cancelWeiTuoDan(kCaller); },
         "/trade",
         "order_wd",
         {"USER_ID", "ORDER_NO", "SESSION_ID", "A_N", "P_P"},
         {{"ORDER_NO", "H7"}}},
        {"PXCancelWeiTuoDan",
         [](auto& m) { m.cancelGuaPaiShangPinDingDan(kCaller); },
         "/trade",
         "order_list_wd",
         {"USER_ID", "ORDER_NO", "SESSION_ID", "A_N", "P_P"},
         {}},
        {"PXBaoBiaoChaXunPC",
         [](auto& m) { m.baoBiaoChaXun(kCaller, 0); },
         "/notice",
         "report_customercloseposition_query",
         reportKeys,
         {{"RECCNT", "20"}, {"ST", "100"}}},
        {"PXbaoBiaoChaXunCJ",
         [](auto& m) { m.baoBiaoChaXun(kCaller, 1); },
         "/notice",
         "report_customerorders_query",
         reportKeys,
         {}},
        {"PXbaoBiaoChaXunCC",
         [](auto& m) { m.baoBiaoChaXun(kCaller, 2); },
         "/notice",
         "report_customerhold_query",
         reportKeys,
         {}},
        {"PXbaoBiaoChaXunLS",
         [](auto& m) { m.baoBiaoChaXun(kCaller, 3); },
         "/notice",
         "report_customerfundsflow_query",
         reportKeys,
         {}},
        {"PXbaoBiaoChaXunZK",
         [](auto& m) { m.baoBiaoChaXun(kCaller, 4); },
         "/notice",
         "report_customerfundsstat_query",
         reportKeys,
         {{"ET", "200"}}},
        {"PXMarketfundsinfo",
         [](auto& m) { m.getMarketfundsinfo(kCaller); },
         "/funds",
         "money_marketfundsinfo_query",
         {"USER_ID", "SESSION_ID"},
         {}},
        {"PXBankInfo",
         [](auto& m) { m.getbankInfo(kCaller); },
         "/funds",
         "money_userinfo_query",
         {"USER_ID", "SESSION_ID"},
         {}},
        {"PXGoldOperating",
         [](auto& m) { m.setMoneyTransfer(kCaller); },
         "/funds",
         "money_transfer",
         {"USER_ID", "SESSION_ID", "BANK_ID", "TYPE", "AMOUNT", "PWD"},
         {{"TYPE", "I"}, {"AMOUNT", "50.5"}, {"PWD", "fundpw"}}},
        {"PXCheckGoldRecode",
         [](auto& m) { m.getCheckGoldRecode(kCaller); },
         "/funds",
         "money_iom_query",
         reportKeys,
         {{"RECCNT", ""}}},
        {"PXCheckAccountBalance",
         [](auto& m) { m.getcheckAccountBalance(kCaller); },
         "/funds",
         "money_bankfunds",
         {"USER_ID", "SESSION_ID", "BANK_ID", "PWD"},
         {{"BANK_ID", "900"}}},
        {"PXmodifyBankingPasswords",
         [](auto& m) { m.modifyBankingPasswords(kCaller); },
         "/funds",
         "money_modpwd",
         {"USER_ID", "SESSION_ID", "OPWD", "NPWD"},
         {{"OPWD", "o"}, {"NPWD", "n"}}},
        {"PXAnnouncementList",
         [](auto& m) { m.getAnnouncementList(kCaller); },
         "/notice",
         "notice_list_query",
         {"USER_ID", "SESSION_ID", "EFFECTIVE", "TYPE", "ST", "ET", "EXPIRE_ST", "EXPIRE_ET",
          "TITLE", "STARTNUM", "RECCNT", "SORTFLD", "ISDESC"},
         {{"TITLE", "公告"}, {"EXPIRE_ET", "4"}}},
        {"PXAnnouncementDetail",
         [](auto& m) { m.getAnnouncementDetail(kCaller); },
         "/notice",
         "notice_content_query",
         {"USER_ID", "SESSION_ID", "NOTICE_ID", "TYPE", "EFFECTIVE"},
         {{"NOTICE_ID", "N5"}}},
    };
    for (const RequestCase& test : cases) {
        const CapturedRequest request = sendOne(test.send);
        SCOPED_TRACE(test.name);
        EXPECT_EQ(request.path, test.path);
        EXPECT_EQ(request.name, test.name);
        EXPECT_EQ(request.contentType, "application/x-www-form-urlencoded");
        EXPECT_EQ(request.contentLength, std::to_string(request.body.size()));
        const JYDict body = JYDict::parse(request.body);
        EXPECT_EQ(body["VUZI"]["version"], "1.0");
        const JYDict& req = body["VUZI"]["REQ"];
        std::vector<std::string> expectedKeys = {"id", "name"};
        expectedKeys.insert(expectedKeys.end(), test.keys.begin(), test.keys.end());
        EXPECT_EQ(reqKeys(req), expectedKeys);
        EXPECT_TRUE(isRequestId(req["id"].get<std::string>()));
        EXPECT_EQ(req["name"], test.name);
        for (const auto& [key, value] : test.values) {
            EXPECT_EQ(req[key], value) << key;
        }
        for (auto it = req.begin(); it != req.end(); ++it) {
            EXPECT_TRUE(it->is_string()) << it.key();
        }
        EXPECT_EQ(m_delegate->calls.back().typeNW, test.tag);
        m_delegate->calls.clear();
    }
}

TEST_F(PXTradeRequestTest, shouldMapEveryCallerKeyToItsOwnWireKey) {
    // Every caller value is distinct, so a swapped or misread key shows up here.
    const std::vector<std::pair<Send, JYDict>> cases = {
        {[](auto& m) { m.SJPingCangNetwork(kCaller); },
         {{"USER_ID", "U9"},
          {"BUY_SELL", "2"},
          {"COMMODITY_ID", "AG"},
          {"PRICE", "101.5"},
          {"QTY", "3"},
          {"SETTLE_BASIS", "1"},
          {"DOT_DIFF", "5"},
          {"CLOSEMODE", "2"},
          {"HOLDING_ID", "H7"},
          {"OTHER_ID", "F1"},
          {"SESSION_ID", "S9"},
          {"A_N", ""},
          {"P_P", ""}}},
        {[](auto& m) { m.ZJJianCangNetwork(kCaller); },
         {{"USER_ID", "U9"},
          {"BUY_SELL", "2"},
          {"COMMODITY_ID", "AG"},
          {"PRICE", "101.5"},
          {"QTY", "3"},
          {"STOP_LOSS", "90"},
          {"STOP_PROFIT", "120"},
          {"VALIDITY_TYPE", "0"},
          {"OTHER_ID", "F1"},
          {"SESSION_ID", "S9"},
          {"A_N", ""},
          {"P_P", ""}}},
        {[](auto& m) { m.ZJPingCangNetwork(kCaller); },
         {{"USER_ID", "U9"},
          {"H_ID", "H7"},
          {"COMMODITY_ID", "AG"},
          {"TY", "2"},
          {"STOP_LOSS", "90"},
          {"STOP_PROFIT", "120"},
          {"SESSION_ID", "S9"},
          {"A_N", ""},
          {"P_P", ""}}},
        {[](auto& m) { m.weiTuoDanChaXun(kCaller); },
         {{"USER_ID", "U9"},
          {"BUY_SELL", "2"},
          {"ORDER_NO", ""},
          {"MARKET_ID", ""},
          {"COMMODITY_ID", "AG"},
          {"SESSION_ID", "S9"},
          {"STARTNUM", "21"},
          {"RECCNT", ""},
          {"SORTFLD", ""},
          {"ISDESC", "0"},
          {"UT", "T"},
          {"A_N", ""},
          {"P_P", ""},
          {"OR_TP", "a"},
          {"OR_ST", "b"},
          {"OR_OC", "c"}}},
        {[](auto& m) { m.chengJiaoChaXun(kCaller); },
         {{"USER_ID", "U9"},
          {"MARKET_ID", "1"},
          {"LAST_TRADE_ID", "L1"},
          {"SESSION_ID", "S9"},
          {"A_N", ""},
          {"P_P", ""},
          {"BUY_SELL", "2"},
          {"COMMODITY_ID", "AG"},
          {"STARTNUM", "21"},
          {"RECCNT", ""},
          {"SORTFLD", ""},
          {"ISDESC", ""},
          {"OR_OC", "c"}}},
        {[](auto& m) { m.cheXiaoZhiSunZhiYingJia(kCaller); },
         {{"USER_ID", "U9"},
          {"H_ID", "H7"},
          {"COMMODITY_ID", "AG"},
          {"TYPE", "1"},
          {"SESSION_ID", "S9"},
          {"A_N", ""},
          {"P_P", ""}}},
        {[](auto& m) { m.baoBiaoChaXun(kCaller, 3); },
         {{"USER_ID", "U9"},
          {"SESSION_ID", "S9"},
          {"ST", "100"},
          {"ET", "200"},
          {"STARTNUM", "21"},
          {"RECCNT", "20"},
          {"SORTFLD", ""},
          {"ISDESC", ""}}},
        {[](auto& m) { m.setMoneyTransfer(kCaller); },
         {{"USER_ID", "U9"},
          {"SESSION_ID", "S9"},
          {"BANK_ID", "900"},
          {"TYPE", "I"},
          {"AMOUNT", "50.5"},
          {"PWD", "fundpw"}}},
        {[](auto& m) { m.getcheckAccountBalance(kCaller); },
         {{"USER_ID", "U9"}, {"SESSION_ID", "S9"}, {"BANK_ID", "900"}, {"PWD", "fundpw"}}},
        {[](auto& m) { m.modifyBankingPasswords(kCaller); },
         {{"USER_ID", "U9"}, {"SESSION_ID", "S9"}, {"OPWD", "o"}, {"NPWD", "n"}}},
        {[](auto& m) { m.getCheckGoldRecode(kCaller); },
         {{"USER_ID", "U9"},
          {"SESSION_ID", "S9"},
          {"ST", "100"},
          {"ET", "200"},
          {"STARTNUM", "21"},
          {"RECCNT", ""},
          {"SORTFLD", ""},
          {"ISDESC", ""}}},
        {[](auto& m) { m.getAnnouncementList(kCaller); },
         {{"USER_ID", "U9"},
          {"SESSION_ID", "S9"},
          {"EFFECTIVE", "1"},
          {"TYPE", "2"},
          {"ST", "100"},
          {"ET", "200"},
          {"EXPIRE_ST", "3"},
          {"EXPIRE_ET", "4"},
          {"TITLE", "公告"},
          {"STARTNUM", "21"},
          {"RECCNT", ""},
          {"SORTFLD", ""},
          {"ISDESC", ""}}},
        {[](auto& m) { m.getAnnouncementDetail(kCaller); },
         {{"USER_ID", "U9"},
          {"SESSION_ID", "S9"},
          {"NOTICE_ID", "N5"},
          {"TYPE", "2"},
          {"EFFECTIVE", "1"}}},
        {[](auto& m) { m.cancelGuaPaiShangPinDingDan(kCaller); },
         {{"USER_ID", "U9"}, {"ORDER_NO", "H7"}, {"SESSION_ID", "S9"}, {"A_N", ""}, {"P_P", ""}}},
    };
    for (const auto& [send, expected] : cases) {
        const CapturedRequest request = sendOne(send);
        SCOPED_TRACE(request.name);
        JYDict req = JYDict::parse(request.body)["VUZI"]["REQ"];
        // The caller's own "id" never replaces the request id.
        EXPECT_TRUE(isRequestId(req["id"].get<std::string>()));
        req.erase("id");
        req.erase("name");
        EXPECT_EQ(req, JYDict(expected));
    }
}

TEST_F(PXTradeRequestTest, shouldWriteTheExactIndentedBodyAndCountItsBytes) {
    const CapturedRequest request = sendOne([](auto& m) { m.getAccountInformation(); });
    const std::string id = JYDict::parse(request.body)["VUZI"]["REQ"]["id"];
    const std::string expected =
        "{\n"
        "  \"VUZI\" : {\n"
        "    \"version\" : \"1.0\",\n"
        "    \"REQ\" : {\n"
        "      \"id\" : \"" +
        id +
        "\",\n"
        "      \"name\" : \"firm_info\",\n"
        "      \"USER_ID\" : \"800123456789012\",\n"
        "      \"SESSION_ID\" : \"S-1\",\n"
        "      \"A_N\" : \"\",\n"
        "      \"P_P\" : \"\"\n"
        "    }\n"
        "  }\n"
        "}";
    EXPECT_EQ(request.body, expected);

    const CapturedRequest chinese = sendOne([](auto& m) {
        m.getAnnouncementList({{"title", "休市公告"}, {"session_id", "S-1"}});
    });
    EXPECT_NE(chinese.body.find("\"TITLE\" : \"休市公告\""), std::string::npos);
    EXPECT_EQ(chinese.contentLength, std::to_string(chinese.body.size()));
}

TEST_F(PXTradeRequestTest, shouldWrapCallerBuiltRequestsUnchanged) {
    const JYDict req = {{"id", "ID-1"},
                        {"name", "faes_sellingbuying_query"},
                        {"TY", "1"},
                        {"SORTFLD", "PRI"},
                        {"SESSION_ID", "S-1"}};
    CapturedRequest request = sendOne([&](auto& m) { m.getGuaPaiList(req); });
    EXPECT_EQ(request.name, "faes_sellingbuying_query");
    EXPECT_EQ(JYDict::parse(request.body)["VUZI"]["REQ"], req);
    EXPECT_EQ(m_delegate->calls.back().typeNW, "PXGuaPaiList");

    request = sendOne([&](auto& m) {
        m.sendZhaiPaiJianCangRequest(
            {{"name", "order_mp"}, {"COMMODITY_ID", "zn"}, {"SESSION_ID", "S-1"}});
    });
    EXPECT_EQ(request.name, "order_mp");
    EXPECT_EQ(m_delegate->calls.back().typeNW, "PXZhaiPai");
    request = sendOne([&](auto& m) {
        m.sendGuaPaiJianCangRequest(
            {{"name", "order_list"}, {"COMMODITY_ID", "zn"}, {"SESSION_ID", "S-1"}});
    });
    EXPECT_EQ(request.name, "order_list");
    EXPECT_EQ(m_delegate->calls.back().typeNW, "PXGuaPaiJC");

    const JYDict whole = {
        {"VUZI",
         {{"version", "1.0"}, {"REQ", {{"name", "change_password"}, {"SESSION_ID", "S-1"}}}}}};
    request = sendOne([&](auto& m) { m.changeTradeAccountPassWord(whole); });
    EXPECT_EQ(request.name, "change_password");
    EXPECT_EQ(JYDict::parse(request.body), whole);
    EXPECT_EQ(m_delegate->calls.back().typeNW, "PXChangeTradePassWord");
}

TEST_F(PXTradeRequestTest, shouldSendTheLogonWithAnEmptyPasswordAndATokenOverItsOwnTime) {
    auto manager = newManager();
    manager->CPYloginJiaoYiActionType("800123456789012", "1234", "UUID-1", "pa$$word");
    // As the logon leaves: its answer, which may be in before the loop next looks, ends the
    // session these belong to.
    EXPECT_TRUE(manager->dengLuCaoZuo());
    EXPECT_EQ(module().PXJYData().tradeSession()->encryptSign, "0");
    ASSERT_TRUE(runUntil([&] { return m_server.count() == 1; }));
    const CapturedRequest request = m_server.requests()[0];
    EXPECT_EQ(request.name, "logon");
    const JYDict req = JYDict::parse(request.body)["VUZI"]["REQ"];
    EXPECT_EQ(reqKeys(req), (std::vector<std::string>{
                                "id", "name", "USER_ID", "PASSWORD", "VALID_CODE", "VALID_UUID",
                                "LOGONTIME", "REGISTER_WORD", "VERSIONINFO", "CLT_TOKEN"}));
    EXPECT_EQ(req["PASSWORD"], "");
    EXPECT_EQ(req["VALID_CODE"], "1234");
    EXPECT_EQ(req["VALID_UUID"], "UUID-1");
    EXPECT_EQ(req["VERSIONINFO"], "1.1");
    const std::string time = req["LOGONTIME"];
    EXPECT_TRUE(std::regex_match(time, std::regex("[0-9]{13}")));
    const auto cipher = Base64::decode(req["CLT_TOKEN"].get<std::string>());
    ASSERT_TRUE(cipher);
    const auto plain = Aes128Ecb::decrypt(*cipher, Md5::digest("800123456789012pa$$word"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(std::string(plain->begin(), plain->end()), "800123456789012|" + time);
    EXPECT_EQ(request.body.find("pa$$word"), std::string::npos);
}

TEST_F(PXTradeRequestTest, shouldSendTheFlatHeartbeatWithFirstLoginValuesThenTheLastReport) {
    module().PXJYData().setCurrentCommodityCode("AG");
    module().PXJYPeiZhi().setShiFoGangDengLu(true);
    module().PXJYTimerManger().setTransactionReporting(
        {{"GB_ID", "12"}, {"Num_Trade", "4"}, {"END_GBID", "9"}});
    CapturedRequest request = sendOne([](auto& m) { m.getChengJiaoHuiBaoXinXiQH(); });
    EXPECT_EQ(request.name, "SYS_TIME_QUERY");
    const std::string expected =
        "{\n"
        "  \"uid\" : \"800123456789012\",\n"
        "  \"ver\" : \"1.0\",\n"
        "  \"sessionid\" : \"S-1\",\n"
        "  \"broadcast\" : \"0\",\n"
        "  \"tradecnt\" : \"0\",\n"
        "  \"curlogon\" : \"1\",\n"
        "  \"agencyno\" : \"\",\n"
        "  \"phonepwd\" : \"\",\n"
        "  \"lastid\" : \"0\",\n"
        "  \"CO_I\" : \"AG\"\n"
        "}";
    EXPECT_EQ(request.body, expected);

    module().PXJYPeiZhi().setShiFoGangDengLu(false);
    request = sendOne([](auto& m) { m.getChengJiaoHuiBaoXinXiQH(); });
    const JYDict later = JYDict::parse(request.body);
    EXPECT_EQ(later["broadcast"], "12");
    EXPECT_EQ(later["tradecnt"], "4");
    EXPECT_EQ(later["curlogon"], "0");
    EXPECT_EQ(later["lastid"], "9");
}

TEST_F(PXTradeRequestTest, shouldPostTheSevenByteCaptchaFrameToTheBareTradeLink) {
    const CapturedRequest request = sendOne([](auto& m) { m.CPYgetJiaoYiCodeType(); });
    EXPECT_EQ(request.path, "/trade");
    EXPECT_EQ(request.name, "");
    EXPECT_EQ(request.contentType, "binary");
    EXPECT_EQ(request.body, std::string("\x04\x00\x03\x00\x31\x2E\x30", 7));
    EXPECT_EQ(m_delegate->calls.back().typeNW, "PXgetJYCode");
}

TEST_F(PXTradeRequestTest, shouldFillTheAccountServiceTemplatesAndDropMissingValues) {
    CapturedRequest request = sendOne([](auto& m) {
        m.getHuiYuanQuanXian({{"tokenB", "tok<1>"}, {"platformCode", "01"}});
    });
    EXPECT_EQ(request.path, "/dir");
    EXPECT_EQ(request.body,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ>\n"
              "  <CMD>GETALLTRADEAUTHORITIES</CMD>\n  <TKNB>tok&lt;1&gt;</TKNB>\n"
              "  <PLATFORM>01</PLATFORM>\n</REQ>\n");
    EXPECT_EQ(m_delegate->calls.back().typeNW, "PXHuiYuanQuanXian");

    request = sendOne([](auto& m) { m.sendCaptchaToPhone({{"tokenB", "t"}}); });
    EXPECT_EQ(request.path, "/sms/reqcode");
    EXPECT_NE(request.body.find("<PN></PN>"), std::string::npos);
    request = sendOne([](auto& m) { m.shouJiYanZheng({{"ssid", "S"}, {"code", "1234"}}); });
    EXPECT_EQ(request.path, "/sms/verifycode");
    EXPECT_NE(request.body.find("<CODE>1234</CODE>"), std::string::npos);

    const std::string url = m_server.url("/account");
    request = sendOne([&](auto& m) { m.openAccount({{"tokenB", "t"}, {"url", url}}); });
    EXPECT_EQ(request.path, "/account");
    EXPECT_NE(request.body.find("<CMD>CREATEUSER</CMD>"), std::string::npos);
    request = sendOne([&](auto& m) {
        m.sendResetPassword({{"password", "newpw"}, {"captcha", "9"}, {"url", url}});
    });
    EXPECT_NE(request.body.find("<PASSWORD>newpw</PASSWORD>"), std::string::npos);
    request = sendOne([&](auto& m) {
        m.sendPhoneNumberVerification({{"account", "8001"}, {"url", url}});
    });
    EXPECT_NE(request.body.find("<ACCOUNT>8001</ACCOUNT>"), std::string::npos);
    request = sendOne([](auto& m) { m.getOpenAccountService({{"tokenB", "t"}}); });
    EXPECT_EQ(request.path, "/dir");
    EXPECT_NE(request.body.find("<CMD>GETOPENACCOUNT</CMD>"), std::string::npos);
}

TEST_F(PXTradeRequestTest, shouldAnswerAReportOfUnknownKindWithoutSendingAnything) {
    auto manager = newManager();
    manager->baoBiaoChaXun(kCaller, 5);
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "requestFailed");
    EXPECT_EQ(m_delegate->calls[0].code, -1002);
    EXPECT_EQ(m_server.count(), 0u);
}

TEST_F(PXTradeRequestTest, shouldSendNoOrderWithoutItsCommodity) {
    JYDict noCommodity = kCaller;
    noCommodity["commodityid"] = "";
    const JYDict req = {{"COMMODITY_ID", ""}, {"SESSION_ID", "S-1"}};
    const Send orders[] = {[&](auto& m) { m.sendZhaiPaiJianCangRequest(req); },
                           [&](auto& m) { m.sendGuaPaiJianCangRequest(req); },
                           [&](auto& m) { m.SJPingCangNetwork(noCommodity); }};
    for (const Send& send : orders) {
        m_delegate->calls.clear();
        auto manager = newManager();
        send(*manager);
        ASSERT_TRUE(waitForCalls(1));
        EXPECT_EQ(m_delegate->calls[0].kind, "failed");
        EXPECT_EQ(m_delegate->calls[0].errorMessage, "请选择商品");
    }
    EXPECT_EQ(m_server.count(), 0u);
}

TEST_F(PXTradeRequestTest, shouldPassTransferFailuresOnWithThePlatformCode) {
    m_host.setLines(
        "01", "1", "1",
        {{"T1", "",
          "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::refusedPort()) + "/trade"}});
    auto manager = newManager();
    manager->getAccountInformation();
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(m_delegate->calls[0].kind, "requestFailed");
    EXPECT_EQ(m_delegate->calls[0].code, -1004);
    EXPECT_EQ(m_delegate->calls[0].typeNW, "PXAccountInformation");
}

TEST_F(PXTradeRequestTest, shouldLogRequestsAndRepliesWithSecretsMasked) {
    m_server.reply("money_bankfunds",
                   tradeReply("\"BANK_FUNDS\":\"10\",\"SRV_KEY\":\"server-secret\""));
    sendOne([](auto& m) {
        m.getcheckAccountBalance(
            {{"pswd", "fund-secret"}, {"bank_id", "9"}, {"session_id", "S-1"}});
    });
    ASSERT_EQ(m_host.logLines.size(), 2u);
    EXPECT_EQ(m_host.logLines[0].rfind("Logs/JYLog.txt:--请求--PXCheckAccountBalance-＋{", 0), 0u);
    EXPECT_NE(m_host.logLines[0].find("\"PWD\" : \"******\""), std::string::npos);
    EXPECT_EQ(m_host.logLines[0].find("fund-secret"), std::string::npos);
    EXPECT_EQ(m_host.logLines[0].back(), '\n');
    EXPECT_EQ(m_host.logLines[1].rfind("Logs/JYLog.txt:--返回--PXCheckAccountBalance-＋", 0), 0u);
    EXPECT_EQ(m_host.logLines[1].find("server-secret"), std::string::npos);
    EXPECT_NE(m_host.logLines[1].find("\"BANK_FUNDS\":\"10\""), std::string::npos);

    m_host.logLines.clear();
    const std::string url = m_server.url("/account");
    sendOne([&](auto& m) { m.sendResetPassword({{"password", "xml-secret"}, {"url", url}}); });
    ASSERT_FALSE(m_host.logLines.empty());
    EXPECT_EQ(m_host.logLines[0].find("xml-secret"), std::string::npos);
    EXPECT_NE(m_host.logLines[0].find("<PASSWORD>******</PASSWORD>"), std::string::npos);
}
