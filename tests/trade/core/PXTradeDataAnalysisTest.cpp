#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TradeCoreTest.h"
#include "platform/crypto/Aes128Ecb.h"
#include "platform/crypto/Base64.h"
#include "platform/crypto/Md5.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeDataAnalysis.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {

struct Outcome : PXTradeDataAnalysisDelegate {
    int calls = 0;
    bool finished = false;
    std::string errorText;
    std::string message;
    std::optional<PXTradeResult> result;

    void dataAnalysisFinished(PXTradeDataAnalysis* parser) override {
        ++calls;
        finished = true;
        result = parser->JY_analysisedData();
    }
    void dataAnalysisFailed(const std::string& text, PXTradeDataAnalysis* parser) override {
        ++calls;
        errorText = text;
        message = parser->JY_ErrorMessage();
    }
    bool unreadable() const {
        return !finished && calls == 1 && message == "服务器返回数据失败！" &&
               errorText.rfind("类", 0) == 0 && errorText.find(".cpp:") != std::string::npos &&
               errorText.size() > 3 && errorText.substr(errorText.size() - 3) == "行";
    }
    const JYDict& dict(size_t index) const { return std::get<JYDict>(result->at(index)); }
};

using ParseCall = std::function<void(PXTradeDataAnalysis&, const std::string&)>;

std::string records(const std::string& recs, const std::string& extra = "\"TTLREC\":1") {
    return tradeReply(extra + ",\"RESULTLIST\":{\"REC\":[" + recs + "]}");
}

class PXTradeDataAnalysisTest : public TradeCoreTest {
protected:
    Outcome parse(const ParseCall& call, const std::string& body) {
        Outcome outcome;
        PXTradeDataAnalysis parser(module());
        parser.setDelegate(&outcome);
        call(parser, body);
        return outcome;
    }
};

#define PARSER(method) [](PXTradeDataAnalysis& p, const std::string& b) { p.method(b); }

struct MalformedCase {
    const char* what;
    std::string body;
};

}  // namespace

TEST_F(PXTradeDataAnalysisTest, shouldReportEveryMalformedJsonReplyAsUnreadableWithoutCrashing) {
    const ParseCall parsers[] = {
        PARSER(analysisCommodityInfoJY),      PARSER(analysisCPYFirmID),
        PARSER(analysisChiCangHuiZongJY),     PARSER(analysisChiCangMingXiJY),
        PARSER(analysisAccountInformationJY), PARSER(analysisWeiTuoDanChaXunJY),
        PARSER(analysisChengJiaoChaXunJY),    PARSER(analysisBaoBiaoChaXunPCJY),
        PARSER(analysisBaoBiaoChaXunCJJY),    PARSER(analysisBaoBiaoChaXunCCJY),
        PARSER(analysisBaoBiaoChaXunLSJY),    PARSER(analysisBaoBiaoChaXunZKJY),
        PARSER(analysisMarketfundsinfoJY),    PARSER(analysisCheckGoldRecodeJY),
        PARSER(analysisAnnouncementListJY),   PARSER(analysisGuaPaiListJY),
    };
    const MalformedCase cases[] = {
        {"not JSON", "<html>busy</html>"},
        {"truncated",
         tradeReply("\"TTLREC\":1,\"RESULTLIST\":{\"REC\":[{\"CO_I\":\"A\"}").substr(0, 40)},
        {"empty body", ""},
        {"JSON but no object", "[1,2,3]"},
        {"no envelope", "{\"retcode\":0}"},
        {"REC not an array", tradeReply("\"TTLREC\":1,\"RESULTLIST\":{\"REC\":{\"CO_I\":\"A\"}}")},
        {"REC element not an object", records("\"A\"")},
        {"RESULTLIST a number", tradeReply("\"TTLREC\":1,\"RESULTLIST\":5")},
    };
    for (const MalformedCase& malformed : cases) {
        for (size_t i = 0; i < std::size(parsers); ++i) {
            const Outcome outcome = parse(parsers[i], malformed.body);
            EXPECT_TRUE(outcome.unreadable()) << malformed.what << ", parser " << i << ": "
                                              << outcome.errorText << " " << outcome.message;
        }
    }
}

TEST_F(PXTradeDataAnalysisTest, shouldReportTheServersCodeAndMessageWhetherTextOrNumber) {
    for (const char* code : {"\"1004\"", "1004"}) {
        const Outcome outcome =
            parse(PARSER(analysisShiJiaJianCangJY),
                  tradeReply(std::string("\"retcode\":") + code + ",\"message\":\"会话失效\""));
        EXPECT_FALSE(outcome.finished);
        EXPECT_EQ(outcome.errorText, "1004");
        EXPECT_EQ(outcome.message, "会话失效");
        EXPECT_EQ(outcome.calls, 1);
    }
}

TEST_F(PXTradeDataAnalysisTest, shouldAcceptOperationRepliesWithoutResult) {
    const Outcome accepted =
        parse(PARSER(analysisZhaiPaiJY), "{\"VUZI\":{\"REP\":{\"retcode\":\"0\"}}}");
    EXPECT_TRUE(accepted.finished);
    EXPECT_FALSE(accepted.result.has_value());
}

TEST_F(PXTradeDataAnalysisTest, shouldRefuseOrderTransferAndPasswordRepliesWithoutRetcode) {
    const ParseCall operations[] = {
        PARSER(analysisShiJiaJianCangJY),       PARSER(analysisZhiJiaJianCangJY),
        PARSER(analysisShiJiaPingCangJY),       PARSER(analysisZhiJiaPingCangJY),
        PARSER(analysisCheXiaoZhiSunZhiYingJY), PARSER(analysisCancelWeiTuoDanJY),
        PARSER(analysisGoldOperatingJY),        PARSER(analysisModifyBankingPasswordJY),
        PARSER(analysisChangeTradePassWordJY),  PARSER(analysisZhaiPaiJY),
        PARSER(analysisGuaPaiJianCang),
    };
    for (size_t i = 0; i < std::size(operations); ++i) {
        for (const char* body :
             {"{\"VUZI\":{\"REP\":{}}}", "{\"VUZI\":{\"REP\":{\"message\":\"ok\"}}}"}) {
            EXPECT_TRUE(parse(operations[i], body).unreadable())
                << "operation " << i << " " << body;
        }
    }
    // Queries keep reading a reply without a code as a success.
    EXPECT_TRUE(parse(PARSER(analysisWeiTuoDanChaXunJY), "{\"VUZI\":{\"REP\":{}}}").finished);
    EXPECT_TRUE(
        parse(PARSER(analysisCheckAccountBalanceJY), tradeReply("\"BANK_FUNDS\":\"5\"")).finished);
}

TEST_F(PXTradeDataAnalysisTest, shouldFailTheHoldingSummaryOnANonJsonBodyInsteadOfEmptyingIt) {
    EXPECT_TRUE(parse(PARSER(analysisChiCangHuiZongJY), "garbage").unreadable());
}

TEST_F(PXTradeDataAnalysisTest, shouldReadHoldingSummariesInReplyOrderOnlyWhenTtlrecCounts) {
    const std::string rec =
        "{\"CO_I\":\"AG\",\"FL_P\":12.5,\"MAR\":\"300\",\"TY\":1,\"QTY\":\"2\",\"O_A\":\"100\","
        "\"A_H\":\"101\",\"F_QTY\":\"0\",\"COMM\":\"1.5\"},{\"CO_I\":\"CU\",\"TY\":\"2\"}";
    const Outcome outcome =
        parse(PARSER(analysisChiCangHuiZongJY), records(rec, "\"TTLREC\":\"2\""));
    ASSERT_TRUE(outcome.finished);
    ASSERT_EQ(outcome.result->size(), 2u);
    const auto& first = std::get<std::shared_ptr<PXJYChiCangHuiZong>>(outcome.result->at(0));
    EXPECT_EQ(first->commodityCode, "AG");
    EXPECT_EQ(first->fuDongYingKui, "12.5");
    EXPECT_EQ(first->buySellSign, "1");
    EXPECT_EQ(first->pingJunChiCangJia, "101");
    EXPECT_EQ(first->jiaoYiShouXuFei, "1.5");
    EXPECT_EQ(first->chiCangBaoZhengJin, "300");
    EXPECT_EQ(first->shuLiang, "2");
    EXPECT_EQ(first->jianCangJunJia, "100");
    EXPECT_EQ(first->dongJieShuLiang, "0");
    EXPECT_EQ(std::get<std::shared_ptr<PXJYChiCangHuiZong>>(outcome.result->at(1))->commodityCode,
              "CU");

    const Outcome uncounted = parse(PARSER(analysisChiCangHuiZongJY), records(rec, "\"TTLREC\":0"));
    ASSERT_TRUE(uncounted.finished);
    EXPECT_TRUE(uncounted.result->empty());
}

TEST_F(PXTradeDataAnalysisTest, shouldKeyHoldingTicketsByTheirNumber) {
    const Outcome outcome = parse(
        PARSER(analysisChiCangMingXiJY),
        records(
            "{\"H_ID\":\"H1\",\"T_N\":\"T9\",\"CO_I\":\"AG\",\"TY\":\"2\",\"O_QTY\":3,"
            "\"C_QTY\":2,\"F_QTY\":1,\"PR\":\"100\",\"H_P\":\"99.5\",\"OR_T\":1700000000000,"
            "\"FL_P\":\"-7.5\",\"MAR\":\"10\",\"COMM\":\"0.5\",\"STOP_LOSS\":\"0\","
            "\"STOP_PROFIT\":\"120\",\"OTHER_ID\":\"F2\",\"CO_ID\":\"C1\",\"MAR_RATE\":\"0.1\"}"));
    ASSERT_TRUE(outcome.finished);
    const auto& tickets = std::get<PXTradeTicketMap>(outcome.result->at(0));
    ASSERT_EQ(tickets.count("H1"), 1u);
    const PXJYChiCangMingXi& ticket = *tickets.at("H1");
    EXPECT_EQ(ticket.chengJiaoDanHao, "T9");
    EXPECT_EQ(ticket.dangQianChiCangLiang, "2");
    EXPECT_EQ(ticket.chiCangJia, "99.5");
    EXPECT_EQ(ticket.jianCangShiJian, "1700000000000");
    EXPECT_EQ(ticket.zhiYing, "120");
    EXPECT_EQ(ticket.chengJiaoDuiFang, "F2");
    EXPECT_EQ(ticket.chiCangBaoZhengJinBiLi, "0.1");
    EXPECT_EQ(ticket.dongJieShuLiang, "1");
    EXPECT_EQ(ticket.chiCangDanHao, "H1");
    EXPECT_EQ(ticket.commodityCode, "AG");
    EXPECT_EQ(ticket.buySellSign, "2");
    EXPECT_EQ(ticket.kaiCangShuLiang, "3");
    EXPECT_EQ(ticket.jianCangJia, "100");
    EXPECT_EQ(ticket.fuDongYingKui, "-7.5");
    EXPECT_EQ(ticket.baoZhengJin, "10");
    EXPECT_EQ(ticket.jiaoYiShouXuFei, "0.5");
    EXPECT_EQ(ticket.zhiSun, "0");
    EXPECT_EQ(ticket.weiTuoYuanDaiMa, "C1");
}

TEST_F(PXTradeDataAnalysisTest, shouldConvertCommodityCodesAndKeepTheLaterOfTwoEqualCodes) {
    const Outcome outcome =
        parse(PARSER(analysisCommodityInfoJY),
              records("{\"CO_I\":\"AG\",\"CO_N\":\"old\",\"STA\":1},"
                      "{\"CO_I\":\"AG\",\"CO_N\":\"白银\",\"STA\":\"9\",\"MA_A\":\"1\",\"FEE_T\":3,"
                      "\"TRADEMODE\":4,\"U_O_D_D_DF\":5,\"CT_S\":\"2.5\",\"B_O_P\":\"1\","
                      "\"YARS\":{\"YAS\":[{\"STEP_L\":1,\"STEP_V\":\"2\",\"YA_V\":\"0.1\"},"
                      "{\"STEP_L\":3,\"STEP_V\":\"4\",\"YA_V\":\"0.2\"}]}},"
                      "{\"CO_I\":\"CU\"}",
                      "\"TTLREC\":0"));
    ASSERT_TRUE(outcome.finished);
    const auto& commodities = std::get<PXTradeCommodityMap>(outcome.result->at(0));
    ASSERT_EQ(commodities.size(), 2u);
    const PXTradeCommodity& silver = *commodities.at("AG");
    EXPECT_EQ(silver.commodityName, "白银");
    EXPECT_EQ(silver.commodityStatus, "退市");
    EXPECT_EQ(silver.baoZhengJinSuanFa, "按百分比");
    EXPECT_EQ(silver.shouQuFangShi, "双边建平");
    EXPECT_EQ(silver.shangPinJiaoYiMoShi, "4");
    EXPECT_EQ(silver.YHBJDianChaMoRenZhi, "5");
    EXPECT_EQ(silver.tradeUnit, "2.5");
    EXPECT_EQ(silver.buyShiJianQuanXian, "1");
    ASSERT_EQ(silver.yanQiFeiArray.size(), 2u);
    EXPECT_EQ(silver.yanQiFeiArray[1]["YA_V"], "0.2");
    EXPECT_EQ(silver.yanQiFeiArray[0]["STEP_L"], "1");

    const PXTradeCommodity& copper = *commodities.at("CU");
    EXPECT_EQ(copper.commodityStatus, "编辑中");
    EXPECT_EQ(copper.baoZhengJinSuanFa, "按交易数量");
    EXPECT_EQ(copper.shouQuFangShi, "隔夜建平");
    EXPECT_EQ(copper.YHBJDianChaMoRenZhi, "0");
    ASSERT_EQ(copper.yanQiFeiArray.size(), 1u);
    EXPECT_EQ(copper.yanQiFeiArray[0]["STEP_V"], " ");
}

TEST_F(PXTradeDataAnalysisTest, shouldCopyEveryCommodityKeyIntoItsOwnField) {
    const std::pair<std::string PXTradeCommodity::*, const char*> copied[] = {
        {&PXTradeCommodity::commodityCode, "CO_I"},
        {&PXTradeCommodity::commodityName, "CO_N"},
        {&PXTradeCommodity::tradeUnit, "CT_S"},
        {&PXTradeCommodity::zuiXiaoBianDongJia, "SPREAD"},
        {&PXTradeCommodity::shangXian, "SP_U"},
        {&PXTradeCommodity::xiaXian, "SP_D"},
        {&PXTradeCommodity::baoZhengJinXIShu, "MA_V"},
        {&PXTradeCommodity::zuoJieSuan, "PR_C"},
        {&PXTradeCommodity::shouXuFeiXiShu, "FEE_V"},
        {&PXTradeCommodity::DBZuiXiaoKeWeiTuoLiang, "P_MIN_H"},
        {&PXTradeCommodity::DBZuiDaKeWeiTuoLiang, "P_M_H"},
        {&PXTradeCommodity::ZuiDaChiCangLiang, "M_H"},
        {&PXTradeCommodity::CXXianJianQuanXian, "W_D_T_P"},
        {&PXTradeCommodity::CXZhiSunQuanXian, "W_D_S_L_P"},
        {&PXTradeCommodity::CXZhiYingQuanXian, "W_D_S_P_P"},
        {&PXTradeCommodity::buyShiJianQuanXian, "B_O_P"},
        {&PXTradeCommodity::buyXianJianQuanXian, "B_X_O_P"},
        {&PXTradeCommodity::buyShiPingQuanXian, "B_L_P"},
        {&PXTradeCommodity::buyZhiSunQuanXian, "B_S_L"},
        {&PXTradeCommodity::buyZhiYingQuanXian, "B_S_P"},
        {&PXTradeCommodity::sellShiJianQuanXian, "S_O_P"},
        {&PXTradeCommodity::sellXianJianQuanXian, "S_X_O_P"},
        {&PXTradeCommodity::sellShiPingQuanXian, "S_L_P"},
        {&PXTradeCommodity::sellZhiSunQuanXian, "S_S_L"},
        {&PXTradeCommodity::sellZhiYingQuanXian, "S_S_P"},
        {&PXTradeCommodity::cuoHeBuyXianJian, "C_L_B_O"},
        {&PXTradeCommodity::cuoHeBuyXianPing, "C_L_B_C"},
        {&PXTradeCommodity::cuoHeSellXianJian, "C_L_C_O"},
        {&PXTradeCommodity::cuoHeSellXianPing, "C_L_C_C"},
        {&PXTradeCommodity::buyDianCha, "B_P_D_D"},
        {&PXTradeCommodity::sellDianCha, "S_P_D_D"},
        {&PXTradeCommodity::zhiSunXiaDanDianCha, "STOP_L_P"},
        {&PXTradeCommodity::zhiYingXiaDanDianCha, "STOP_P_P"},
        {&PXTradeCommodity::XJJianCangBuyDianCha, "X_O_B_D_D"},
        {&PXTradeCommodity::XJJianCangSellDianCha, "X_O_S_D_D"},
        {&PXTradeCommodity::YHBJDianChaZuiXiaoZhi, "U_O_D_D_MIN"},
        {&PXTradeCommodity::YHBJDianChaZuiDaZhi, "U_O_D_D_MAX"},
        {&PXTradeCommodity::YHBJDianChaMoRenZhi, "U_O_D_D_DF"},
        {&PXTradeCommodity::shangPinXianShiShunXu, "ORDER_NUM"},
        {&PXTradeCommodity::baoJiaHuiLv, "B_J_H"},
        {&PXTradeCommodity::commodityUnit, "CON_U"},
        {&PXTradeCommodity::jiaoShouShouXuFeiSuanFa, "SFE_A"},
        {&PXTradeCommodity::jiaoShouBuyShouXuFei, "TM_SET"},
        {&PXTradeCommodity::jiaoShouSellShouXuFei, "STM_SET"},
        {&PXTradeCommodity::suoShuPinZhongID, "BRDID"},
        {&PXTradeCommodity::suoShuPinZhongJiaoYiMoShi, "B_T_M"},
        {&PXTradeCommodity::shangPinJiaoYiMoShi, "TRADEMODE"},
        {&PXTradeCommodity::zuiXiaoHangQingDanWei, "MIN_HQ_MOVE"},
        {&PXTradeCommodity::cuoHeBaoZhengJinSuanFa, "MA_A_C"},
        {&PXTradeCommodity::cuoHeBaoZhengJinXiShu, "MA_V_C"},
        {&PXTradeCommodity::cuoHeDanBiZuiXiaoKeWeiTuoLiang, "P_MIN_H_C"},
        {&PXTradeCommodity::cuoHeDanBiZuiDaKeWeiTuoLiang, "P_M_H_C"},
        {&PXTradeCommodity::cuoHeZuiDaChiCangLiang, "M_H_C"},
        {&PXTradeCommodity::cuoHeJiaoYiShouXuFeiSuanFa, "FE_A_C"},
        {&PXTradeCommodity::cuoHeShouXuFeiXiShu, "FEE_V_C"},
        {&PXTradeCommodity::guaPaiBuyJian, "G_L_B_O"},
        {&PXTradeCommodity::guaPaiBuyPing, "G_L_B_C"},
        {&PXTradeCommodity::guaPaiSellJian, "G_L_S_O"},
        {&PXTradeCommodity::guaPaiSellPing, "G_L_S_C"},
        {&PXTradeCommodity::zhaiPaiBuyJian, "Z_L_B_O"},
        {&PXTradeCommodity::zhaiPaiBuyPing, "Z_L_B_C"},
        {&PXTradeCommodity::zhaiPaiSellJian, "Z_L_S_O"},
        {&PXTradeCommodity::zhaiPaiSellPing, "Z_L_S_C"},
        {&PXTradeCommodity::qiangZhiJiaoShou, "FS"},
    };
    // Each key carries its own name as value, so a field filled from the wrong key shows.
    JYDict element = JYDict::object();
    for (const auto& [field, key] : copied) {
        element[key] = key;
    }
    const Outcome outcome = parse(PARSER(analysisCommodityInfoJY),
                                  tradeReply("\"RESULTLIST\":{\"REC\":[" + element.dump() + "]}"));
    ASSERT_TRUE(outcome.finished);
    const PXTradeCommodity& record =
        *std::get<PXTradeCommodityMap>(outcome.result->at(0)).at("CO_I");
    for (const auto& [field, key] : copied) {
        EXPECT_EQ(record.*field, key);
    }
}

TEST_F(PXTradeDataAnalysisTest, shouldFailACommodityOrBankReplyThatIsAnEmptyObject) {
    EXPECT_TRUE(parse(PARSER(analysisCommodityInfoJY), "{}").unreadable());
    EXPECT_TRUE(parse(PARSER(analysisBankInfoJY), "{}").unreadable());
}

TEST_F(PXTradeDataAnalysisTest, shouldReadTheFirmAndTheAccountFromTheFirstRecord) {
    const Outcome firm =
        parse(PARSER(analysisCPYFirmID), records("{\"E_M_ID\":\"F01\",\"E_M_N\":\"会员\"}"));
    ASSERT_TRUE(firm.finished);
    EXPECT_EQ(std::get<std::string>(firm.result->at(0)), "F01");
    EXPECT_EQ(std::get<std::string>(firm.result->at(1)), "会员");

    const Outcome account =
        parse(PARSER(analysisAccountInformationJY),
              records("{\"FN\":\"张三\",\"EQT\":1000.5,\"STA\":1,\"C_STA\":\"F\",\"IB\":\"900\"}"));
    ASSERT_TRUE(account.finished);
    EXPECT_EQ(account.dict(0)["FN"], "张三");
    EXPECT_EQ(account.dict(0)["EQT"], "1000.5");
    EXPECT_EQ(account.dict(0)["STA"], "禁止交易");
    EXPECT_EQ(account.dict(0)["C_STA"], "冻结");

    const Outcome oddState =
        parse(PARSER(analysisAccountInformationJY), records("{\"C_STA\":\"X\",\"STA\":7}"));
    EXPECT_FALSE(oddState.dict(0).contains("C_STA"));
    EXPECT_FALSE(oddState.dict(0).contains("STA"));

    EXPECT_TRUE(parse(PARSER(analysisCPYFirmID), records("")).unreadable());
}

TEST_F(PXTradeDataAnalysisTest, shouldTurnOrderRecordsIntoDisplayTexts) {
    const Outcome outcome = parse(
        PARSER(analysisWeiTuoDanChaXunJY),
        records("{\"OR_N\":\"1\",\"STA\":\"7\",\"TYPE\":1,\"SE_F\":\"2\",\"O_T\":\"1\","
                "\"STOP_LOSS\":\"0\",\"STOP_PROFIT\":\"12.345\",\"PRI\":\"5\",\"CO_ID\":\"\"},"
                "{\"OR_N\":\"2\",\"STA\":\"5\",\"CO_ID\":\"K7\"}"));
    ASSERT_TRUE(outcome.finished);
    const JYDict& order = outcome.dict(0);
    EXPECT_EQ(order["STA_NUM"], "7");
    EXPECT_FALSE(order.contains("STA"));
    EXPECT_EQ(order["TYPE"], "购入");
    EXPECT_EQ(order["SE_F"], "转让");
    EXPECT_EQ(order["O_T"], " 委托");
    EXPECT_EQ(order["STOP_LOSS"], "--");
    EXPECT_EQ(order["STOP_PROFIT"], "12.35");
    EXPECT_EQ(order["PRI"], "5.00");
    EXPECT_EQ(order["CO_ID"], "--");
    EXPECT_EQ(outcome.dict(1)["STA"], "部分成交后撤单");
    EXPECT_EQ(outcome.dict(1)["CO_ID"], "K7");
}

TEST_F(PXTradeDataAnalysisTest, shouldSignTheDealFeeAndNameTheDealKind) {
    const Outcome outcome =
        parse(PARSER(analysisChengJiaoChaXunJY),
              records("{\"COMM\":1.5,\"TR_T\":\"4\",\"TY\":\"2\",\"LIQPL\":\"-3\"},"
                      "{\"COMM\":0,\"TR_T\":\"42\"}"));
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.dict(0)["COMM"], "-1.50");
    EXPECT_EQ(outcome.dict(0)["TR_T"], "自动强平 系统下单");
    EXPECT_EQ(outcome.dict(0)["TY"], "售出");
    EXPECT_EQ(outcome.dict(0)["LIQPL"], "-3.00");
    EXPECT_EQ(outcome.dict(1)["COMM"], "0.00");
    EXPECT_EQ(outcome.dict(1)["TR_T"], "其它 其它");
}

TEST_F(PXTradeDataAnalysisTest, shouldPutReportTotalsIntoTheFirstRowOnly) {
    const Outcome outcome = parse(
        PARSER(analysisBaoBiaoChaXunPCJY),
        records("{\"PRICE\":\"10\",\"TRADE_TYPE\":1,\"OPERATE_TYPE\":\"4\",\"BS_FLAG\":\"1\"},"
                "{\"PRICE\":\"11\"}",
                "\"TTLREC\":2,\"QUANTITY_SUM\":\"5\",\"CLOSE_PL_SUM\":\"-1.005\","
                "\"TRADE_FEE_SUM\":2"));
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.dict(0)["QUANTITY_SUM"], "5");
    EXPECT_EQ(outcome.dict(0)["TRADE_FEE_SUM"], "2.00");
    EXPECT_EQ(outcome.dict(0)["TRADE_TYPE"], " 成交");
    EXPECT_EQ(outcome.dict(0)["OPERATE_TYPE"], "批量条件下单");
    EXPECT_EQ(outcome.dict(0)["PRICE"], "10.00");
    EXPECT_FALSE(outcome.dict(1).contains("QUANTITY_SUM"));

    const Outcome statement = parse(
        PARSER(analysisBaoBiaoChaXunZKJY),
        records("{\"CAPITAL\":\"7\",\"STATUS\":\"ok\"}", "\"TTLREC\":1,\"MARGIN_SUM\":\"3\""));
    EXPECT_EQ(statement.dict(0)["MARGIN_SUM"], "3.00");
    EXPECT_EQ(statement.dict(0)["CAPITAL"], "7.00");
    EXPECT_EQ(statement.dict(0)["STATUS"], "ok");
}

TEST_F(PXTradeDataAnalysisTest, shouldReadFundsRepliesWithTheirOwnRules) {
    const Outcome accounts =
        parse(PARSER(analysisMarketfundsinfoJY),
              records("{\"AP\":\"M\",\"FIRMID\":\"F1\"},{\"AP\":\"Q\"}", "\"TTLREC\":0"));
    ASSERT_TRUE(accounts.finished);
    EXPECT_EQ(accounts.dict(0)["AP"], "主账户");
    EXPECT_FALSE(accounts.dict(1).contains("AP"));

    const Outcome noBanks = parse(PARSER(analysisBankInfoJY), tradeReply("\"RESULTLIST\":\"\""));
    ASSERT_TRUE(noBanks.finished);
    EXPECT_TRUE(noBanks.result->empty());

    const Outcome transfers = parse(PARSER(analysisCheckGoldRecodeJY),
                                    records("{\"TT\":\"I\",\"AM\":\"100\"},{\"TT\":\"O\"}",
                                            "\"TTLREC\":2,\"OMS\":\"5\",\"IMS\":\"100\""));
    EXPECT_EQ(transfers.dict(0)["TT"], "入金");
    EXPECT_EQ(transfers.dict(0)["TTLREC"], "2");
    EXPECT_EQ(transfers.dict(0)["IMS"], "100");
    EXPECT_EQ(transfers.dict(1)["TT"], "出金");

    const Outcome balance =
        parse(PARSER(analysisCheckAccountBalanceJY), tradeReply("\"BANK_FUNDS\":12345.67"));
    EXPECT_EQ(std::get<std::string>(balance.result->at(0)), "12345.67");
}

TEST_F(PXTradeDataAnalysisTest, shouldReadAnnouncementsAndTheListingBook) {
    const Outcome detail =
        parse(PARSER(analysisAnnouncementDetailJY),
              tradeReply("\"ID\":\"7\",\"TITLE\":\"休市\",\"CONTENT\":\"<p>x</p>\""));
    EXPECT_EQ(detail.dict(0)["CONTENT"], "<p>x</p>");
    const Outcome emptyBook =
        parse(PARSER(analysisGuaPaiListJY), tradeReply("\"RESULTLIST\":\"\""));
    ASSERT_TRUE(emptyBook.finished);
    EXPECT_TRUE(emptyBook.result->empty());
    const Outcome book =
        parse(PARSER(analysisGuaPaiListJY), records("{\"OR_N\":\"9\",\"PRI\":\"3.5\",\"QTY\":4}"));
    EXPECT_EQ(book.dict(0)["PRI"], "3.5");
    EXPECT_EQ(book.dict(0)["QTY"], "4");
}

TEST_F(PXTradeDataAnalysisTest, shouldBuildTheHeartbeatReportAndMarkOnlyANewerAnnouncement) {
    const std::string body =
        "{\"ret\":0,\"CTM\":1700000000000,\"LID\":\"10\",\"NT\":\"1\",\"TTC\":3,\"TD\":4,"
        "\"data\":[{\"ONO\":\"1\",\"CMOID\":\"AG\",\"QT\":2,\"TYP\":\"1\",\"BS\":\"1\","
        "\"TTYP\":\"x\"},{\"CMOID\":\"CU\",\"BS\":\"2\"}],\"STA\":5,\"TLID\":\"8\","
        "\"BUPT\":\"1000\",\"UPT\":\"2000\",\"CMOUPT\":\"3\"}";
    const Outcome first = parse(PARSER(analysisChengJiaoHuiBaoPXJY), body);
    ASSERT_TRUE(first.finished);
    const JYDict& report = first.dict(0);
    EXPECT_EQ(report["Time"], "1700000000000");
    EXPECT_EQ(report["GB_ID"], "10");
    EXPECT_FALSE(report.contains("xinGongGao"));
    EXPECT_EQ(report["New_Trade"], "1");
    EXPECT_EQ(report["Num_Trade"], "3");
    EXPECT_EQ(report["S_Type"], "5");
    EXPECT_EQ(report["END_GBID"], "8");
    ASSERT_EQ(report["tradeCommodity"].size(), 2u);
    EXPECT_EQ(report["tradeCommodity"][0]["directionType"], "购入");
    EXPECT_EQ(report["tradeCommodity"][0]["tradeNum"], "2");
    EXPECT_EQ(report["tradeCommodity"][1]["directionType"], "售出");

    module().PXJYTimerManger().setTransactionReporting({{"GB_ID", "9"}});
    EXPECT_EQ(parse(PARSER(analysisChengJiaoHuiBaoPXJY), body).dict(0)["xinGongGao"], "10");
    module().PXJYTimerManger().setTransactionReporting({{"GB_ID", "10"}});
    EXPECT_FALSE(parse(PARSER(analysisChengJiaoHuiBaoPXJY), body).dict(0).contains("xinGongGao"));

    const Outcome noDeals =
        parse(PARSER(analysisChengJiaoHuiBaoPXJY), "{\"ret\":0,\"NT\":\"2\",\"data\":[{}]}");
    EXPECT_FALSE(noDeals.dict(0).contains("tradeCommodity"));
}

TEST_F(PXTradeDataAnalysisTest, shouldFailAHeartbeatWithoutRetOrWithAnErrorOrBadDeals) {
    EXPECT_TRUE(parse(PARSER(analysisChengJiaoHuiBaoPXJY), "{\"msg\":\"x\"}").unreadable());
    EXPECT_TRUE(parse(PARSER(analysisChengJiaoHuiBaoPXJY), "{\"ret\":0,").unreadable());
    EXPECT_TRUE(parse(PARSER(analysisChengJiaoHuiBaoPXJY), "{\"ret\":0,\"NT\":\"1\",\"data\":5}")
                    .unreadable());
    const Outcome refused =
        parse(PARSER(analysisChengJiaoHuiBaoPXJY), "{\"ret\":10001,\"msg\":\"超时\"}");
    EXPECT_EQ(refused.errorText, "10001");
    EXPECT_EQ(refused.message, "超时");
}

namespace {

// CLT_KEY as a server makes it: the two length-prefixed fields, AES under MD5(account+password).
std::string cltKey(const std::string& keyMaterial, const std::string& session,
                   const std::string& md5Key, int sessionLengthDelta = 0) {
    Bytes plain;
    auto field = [&](const std::string& bytes, int delta) {
        const int length = int(bytes.size()) + delta;
        plain.push_back(uint8_t(length & 0xFF));
        plain.push_back(uint8_t((length >> 8) & 0xFF));
        plain.insert(plain.end(), bytes.begin(), bytes.end());
    };
    field(keyMaterial, 0);
    field(session, sessionLengthDelta);
    return Base64::encode(*Aes128Ecb::encrypt(plain, Md5::digest(md5Key)));
}

}  // namespace

TEST_F(PXTradeDataAnalysisTest, shouldOpenTheLoginReplysSessionMaterial) {
    const std::string key(16, '\x07');
    const std::string body = tradeReply(
        "\"LAST_TIME\":\"1700000000000\",\"LAST_IP\":\"10.0.0.1\",\"LAST_MODULE\":\"M\","
        "\"SRV_KEY\":\"srv\",\"IS_ENCRYPT\":1,\"CLT_KEY\":\"" +
        cltKey(key, "SESSION-42", "800123456789012secret") + "\"");
    const Outcome outcome =
        parse([](PXTradeDataAnalysis& p,
                 const std::string& b) { p.analysisCPYLoginJY(b, "800123456789012secret"); },
              body);
    ASSERT_TRUE(outcome.finished) << outcome.errorText;
    const JYDict& login = outcome.dict(0);
    EXPECT_EQ(login["session"], "SESSION-42");
    EXPECT_EQ(login["key_data"].get_binary(), std::vector<uint8_t>(key.begin(), key.end()));
    EXPECT_EQ(login["SRV_KEY"], "srv");
    EXPECT_EQ(login["IS_ENCRYPT"], "1");
    EXPECT_EQ(login["LAST_MODULE"], "M");
}

TEST_F(PXTradeDataAnalysisTest, shouldFailALoginReplyWhoseSessionMaterialIsWrongOrShort) {
    const auto login = [](const std::string& key) {
        return
            [key](PXTradeDataAnalysis& p, const std::string& b) { p.analysisCPYLoginJY(b, key); };
    };
    const std::string good = cltKey("k", "S", "user1pw");
    EXPECT_TRUE(
        parse(login("user1other"), tradeReply("\"CLT_KEY\":\"" + good + "\"")).unreadable());
    EXPECT_TRUE(parse(login("user1pw"), tradeReply("\"CLT_KEY\":\"AAAA\"")).unreadable());
    EXPECT_TRUE(parse(login("user1pw"), tradeReply("")).unreadable());
    const std::string longer = cltKey("k", "S", "user1pw", 40);
    EXPECT_TRUE(parse(login("user1pw"), tradeReply("\"CLT_KEY\":\"" + longer + "\"")).unreadable());
}

namespace {

std::string captchaReply(int64_t code, const std::string& message, const std::string& image,
                         const std::string& identifier) {
    std::string frame;
    auto le = [&](uint64_t value, int width) {
        for (int i = 0; i < width; ++i) {
            frame.push_back(char((value >> (8 * i)) & 0xFF));
        }
    };
    le(4, 2);
    le(3, 2);
    frame += "1.0";
    le(uint64_t(code), 8);
    le(message.size(), 2);
    frame += message;
    if (code == 0) {
        le(image.size(), 4);
        frame += image;
        le(identifier.size(), 2);
        frame += identifier;
    }
    return frame;
}

}  // namespace

TEST_F(PXTradeDataAnalysisTest, shouldReadTheCaptchaFrame) {
    const std::string image("\x89PNG\r\n\x1a\n\0\x01", 10);
    const std::string identifier(32, 'u');
    const Outcome outcome = parse(PARSER(analysisJYCode), captchaReply(0, "", image, identifier));
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.dict(0)["image"].get_binary(),
              std::vector<uint8_t>(image.begin(), image.end()));
    EXPECT_EQ(std::get<std::string>(outcome.result->at(1)), identifier);

    const Outcome refused = parse(PARSER(analysisJYCode), captchaReply(3, "验证码服务忙", "", ""));
    EXPECT_EQ(refused.errorText, "3");
    EXPECT_EQ(refused.message, "验证码服务忙");
}

TEST_F(PXTradeDataAnalysisTest, shouldFailCaptchaFramesThatAreShortOrRunPastTheirEnd) {
    const std::string good = captchaReply(0, "", "img", "id");
    std::string wrongTag = good;
    wrongTag[0] = 5;
    std::string imagePastEnd = good;
    imagePastEnd[14 + 3] = char(200);
    for (const std::string& body : {std::string("\x04\x00", 2), wrongTag, good.substr(0, 12),
                                    good.substr(0, good.size() - 1), imagePastEnd}) {
        EXPECT_TRUE(parse(PARSER(analysisJYCode), body).unreadable());
    }
}

TEST_F(PXTradeDataAnalysisTest, shouldReadTheAccountServiceXmlReplies) {
    const Outcome services =
        parse(PARSER(analysisOpenAccountJY),
              "<?xml version=\"1.0\"?><RESP MSG=\"ok\"><CODE>0</CODE><SERVICES>"
              "<SERVICE><YWSYSCODE>1</YWSYSCODE><JYSCODE>01</JYSCODE><ENVCODE>1</ENVCODE>"
              "<URL>http://x/a</URL><ENVCAT>3</ENVCAT></SERVICE><SERVICE><URL>u2</URL></SERVICE>"
              "</SERVICES></RESP>");
    ASSERT_TRUE(services.finished);
    ASSERT_EQ(services.result->size(), 2u);
    EXPECT_EQ(services.dict(0)["URL"], "http://x/a");
    EXPECT_EQ(services.dict(0)["ENVCAT"], "3");

    const Outcome refused =
        parse(PARSER(analysisOpenAccountJY), "<RESP MSG=\"令牌无效\"><CODE>7</CODE></RESP>");
    EXPECT_EQ(refused.errorText, "7");
    EXPECT_EQ(refused.message, "令牌无效");

    const Outcome rights =
        parse(PARSER(analysisHuiYuanQuanXian),
              "<ROOT><RESP><CODE>9</CODE><MEMBERS><MEMBER><M_C>A1</M_C><T_A>1</T_A></MEMBER>"
              "<MEMBER><M_C>B2</M_C><T_A>0</T_A></MEMBER><MEMBER><M_C>C3</M_C><T_A>1</T_A></MEMBER>"
              "</MEMBERS></RESP></ROOT>");
    ASSERT_TRUE(rights.finished);
    ASSERT_EQ(rights.result->size(), 2u);
    EXPECT_EQ(std::get<std::string>(rights.result->at(1)), "C3");

    const Outcome sms =
        parse(PARSER(analysisPhoneCaptchaJY), "<REP><RCOD> 0\n</RCOD><SSID>S1</SSID></REP>");
    EXPECT_EQ(std::get<std::string>(sms.result->at(0)), "S1");

    const Outcome token = parse(PARSER(analysisShouJiYanZhengJY),
                                "<REP><RCOD>0</RCOD><X><TKNB>old</TKNB></X>"
                                "<TKNB>tok&amp;en</TKNB><Y/></REP>");
    EXPECT_EQ(std::get<std::string>(token.result->at(0)), "tok&amp;en");
    const Outcome noToken = parse(PARSER(analysisShouJiYanZhengJY),
                                  "<REP><RCOD>5</RCOD><DESC>错误</DESC><TKNB>t</TKNB></REP>");
    EXPECT_EQ(noToken.errorText, "5");
    EXPECT_EQ(noToken.message, "错误");

    const Outcome created =
        parse(PARSER(analysisCreateAccountJY),
              "<REP><RCD>0</RCD><INFO><ACCN>800</ACCN><TPWD>1</TPWD><PPWD>2</PPWD></INFO></REP>");
    EXPECT_EQ(created.dict(0)["ACCN"], "800");
    EXPECT_EQ(created.dict(0)["PPWD"], "2");

    const Outcome phone = parse(PARSER(analysisPhoneNumberVerificationJY),
                                "<REP><RCD>0</RCD><SSID>S</SSID><PN>139</PN></REP>");
    EXPECT_EQ(phone.dict(0)["PN"], "139");

    const Outcome reset = parse(PARSER(analysisResetPasswordJY), "<REP><RCD>0</RCD></REP>");
    EXPECT_TRUE(reset.finished);
    EXPECT_FALSE(reset.result.has_value());
}

TEST_F(PXTradeDataAnalysisTest, shouldFailBlankOrMalformedXmlWithACallback) {
    const ParseCall parsers[] = {
        PARSER(analysisOpenAccountJY),   PARSER(analysisHuiYuanQuanXian),
        PARSER(analysisPhoneCaptchaJY),  PARSER(analysisShouJiYanZhengJY),
        PARSER(analysisCreateAccountJY), PARSER(analysisPhoneNumberVerificationJY),
        PARSER(analysisResetPasswordJY)};
    for (const char* body : {"", "  \n", "(null)", "<REP><RCD>0</RCD>", "<OTHER/>", "{}"}) {
        for (const ParseCall& call : parsers) {
            EXPECT_TRUE(parse(call, body).unreadable()) << body;
        }
    }
}
