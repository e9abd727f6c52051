#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <utility>

#include "TradeCoreTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeRecords.h"

namespace {

std::shared_ptr<PXJYChiCangMingXi> ticket(const std::string& number, const std::string& code,
                                          const std::string& sign, const std::string& price,
                                          const std::string& lots) {
    auto made = std::make_shared<PXJYChiCangMingXi>();
    made->chiCangDanHao = number;
    made->commodityCode = code;
    made->buySellSign = sign;
    made->chiCangJia = price;
    made->dangQianChiCangLiang = lots;
    return made;
}

std::shared_ptr<PXTradeYiKouJia> price(const std::string& code, double last, double buy,
                                       double sell) {
    auto made = std::make_shared<PXTradeYiKouJia>();
    made->commodityCode = code;
    made->commodityNewPrice = last;
    made->commodityBuyPrice = buy;
    made->commoditySellPrice = sell;
    return made;
}

class PXTradeDataTest : public TradeCoreTest {
protected:
    PXTradeData& store() { return module().PXJYData(); }
    void setTickets(std::initializer_list<std::shared_ptr<PXJYChiCangMingXi>> tickets) {
        PXTradeTicketMap map;
        for (const auto& one : tickets) {
            map[one->chiCangDanHao] = one;
        }
        store().setChiCangMingXiXinXi(map);
    }
    void setPrices(std::initializer_list<std::shared_ptr<PXTradeYiKouJia>> prices) {
        std::map<std::string, std::shared_ptr<PXTradeYiKouJia>> map;
        for (const auto& one : prices) {
            map[one->commodityCode] = one;
        }
        store().setZuiXinYiKouJia(map);
    }
    void setAccount(JYDict account) { store().setZhangHuXinXi(std::move(account)); }

    // Two ticket queries (commodity "" for all): the slow one is answered as before 锌 ticket
    // 1001 closed, and only once the quick one has been, as after. 白银 holds 2001 throughout.
    void answerSlowAfterQuick(const std::string& slow, const std::string& quick) {
        struct Gate {
            std::promise<void> promise;
            bool opened = false;
            void open() {
                if (!std::exchange(opened, true)) {
                    promise.set_value();
                }
            }
            ~Gate() { open(); }
        } gate;
        m_server.replyWith("holding_detail_query", [slow,
                                                    opened = gate.promise.get_future().share()](
                                                       const CapturedRequest& request) {
            const auto code = JYDict::parse(request.body)["VUZI"]["REQ"]["COMMODITY_ID"];
            std::string recs = R"({"H_ID":"1002","CO_I":"ZN","TY":"1","C_QTY":"1"})";
            if (code == "") {
                recs += R"(,{"H_ID":"2001","CO_I":"AG","TY":"1","C_QTY":"1"})";
            }
            if (code == slow) {
                opened.wait();
                recs += R"(,{"H_ID":"1001","CO_I":"ZN","TY":"1","C_QTY":"1"})";
            }
            const auto count = std::to_string(std::count(recs.begin(), recs.end(), '{'));
            return tradeReply("\"TTLREC\":" + count + ",\"RESULTLIST\":{\"REC\":[" + recs + "]}");
        });
        store().tradeSession()->JYsessionID = "S-1";
        const auto first = newManager();
        first->getJYChiCangMingXi(slow);
        ASSERT_TRUE(runUntil([&] { return m_server.count() == 1; }));
        const auto second = newManager();
        second->getJYChiCangMingXi(quick);
        ASSERT_TRUE(waitForCalls(1));
        gate.open();
        ASSERT_TRUE(waitForCalls(2));
    }
    std::vector<std::string> ticketNumbers() {
        std::vector<std::string> numbers;
        for (const auto& entry : store().chiCangMingXiXinXi()) {
            numbers.push_back(entry.first);
        }
        return numbers;
    }
};

}  // namespace

TEST_F(PXTradeDataTest, shouldValueBuyTicketsAtTheSellPriceAndSellTicketsAtTheBuyPrice) {
    addCommodity("AG", "1", "10");
    setPrices({price("AG", 99, 101, 101.5)});
    setTickets({ticket("H1", "AG", "1", "100", "2"), ticket("H2", "AG", "2", "100", "2")});
    const JYDict figures = store().FuDongYingKui();
    EXPECT_EQ(figures["H1"], "30.000000");
    EXPECT_EQ(figures["H2"], "-20.000000");
    EXPECT_EQ(figures["AG"]["1"], "30.000000");
    EXPECT_EQ(figures["AG"]["2"], "-20.000000");
    EXPECT_EQ(figures["m_flv"], "10.000000");
}

TEST_F(PXTradeDataTest, shouldValueOrderBookTicketsAtTheLastPrice) {
    addCommodity("AG", "4", "10");
    setPrices({price("AG", 99, 101, 101.5)});
    setTickets({ticket("H1", "AG", "1", "100", "2"), ticket("H2", "AG", "2", "100", "2")});
    const JYDict figures = store().FuDongYingKui();
    EXPECT_EQ(figures["H1"], "-20.000000");
    EXPECT_EQ(figures["H2"], "20.000000");
}

TEST_F(PXTradeDataTest, shouldWriteZeroNotNegativeZeroAndUseDecimalTradeUnits) {
    addCommodity("AG", "1", "2.5");
    setPrices({price("AG", 0, 100, 100)});
    setTickets({ticket("H1", "AG", "2", "100", "3"), ticket("H2", "AG", "1", "99", "2")});
    const JYDict figures = store().FuDongYingKui();
    EXPECT_EQ(figures["H1"], "0.000000");
    EXPECT_EQ(figures["H2"], "5.000000");
}

TEST_F(PXTradeDataTest, shouldSumTicketsPerCommodityAndDirection) {
    addCommodity("AG", "1", "1");
    setPrices({price("AG", 0, 95, 130)});
    setTickets({ticket("H1", "AG", "1", "100", "1"), ticket("H2", "AG", "1", "140", "1"),
                ticket("H3", "AG", "2", "100", "1")});
    const JYDict figures = store().FuDongYingKui();
    EXPECT_EQ(figures["AG"]["1"], "20.000000");
    EXPECT_EQ(figures["AG"]["2"], "5.000000");
    EXPECT_EQ(figures["m_flv"], "25.000000");
}

TEST_F(PXTradeDataTest, shouldMarkFiguresWithoutAPriceAsNotComputable) {
    addCommodity("AG", "1", "1");
    addCommodity("CU", "1", "1");
    addCommodity("ZN", "1", "1");
    setPrices({price("AG", 0, 95, 130), price("ZN", 0, 0, 0)});
    setTickets({ticket("H1", "AG", "1", "100", "1"), ticket("H2", "CU", "1", "100", "1"),
                ticket("H3", "ZN", "1", "100", "1"), ticket("H4", "XX", "1", "1", "1")});
    const JYDict figures = store().FuDongYingKui();
    EXPECT_EQ(figures["H1"], "30.000000");
    EXPECT_EQ(figures["H2"], "--");
    EXPECT_EQ(figures["H3"], "--");
    EXPECT_EQ(figures["H4"], "--");
    EXPECT_EQ(figures["CU"]["1"], "--");
    EXPECT_EQ(figures["m_flv"], "--");
}

TEST_F(PXTradeDataTest, shouldComputeEquityFundsAndRiskFromTheAccount) {
    EXPECT_EQ(store().FuDongYingKui(), JYDict({{"m_flv", "0"}}));
    setAccount({{"EQT", "1000"}, {"OT_F", "200"}, {"RM", "400"}});
    JYDict risk = store().computingFengXianLu();
    EXPECT_EQ(risk["m_flv"], "0");
    EXPECT_EQ(risk["v_QC"], "0");
    EXPECT_EQ(risk["c_value"], "1000.000000");
    EXPECT_EQ(risk["BZJ_value"], "800.000000");
    EXPECT_EQ(risk["r_value"], "250.000000");

    addCommodity("AG", "1", "1");
    setPrices({price("AG", 0, 95, 130)});
    setTickets({ticket("H1", "AG", "1", "100", "1")});
    setAccount({{"EQT", "1000"}, {"OT_F", "200"}, {"RM", "0"}, {"IB", "900"}});
    risk = store().computingFengXianLu();
    EXPECT_EQ(risk["v_QC"], "900");
    EXPECT_EQ(risk["c_value"], "1030.000000");
    EXPECT_EQ(risk["r_value"], "0");
}

TEST_F(PXTradeDataTest, shouldCarryNotComputableThroughTheRiskFigures) {
    addCommodity("AG", "1", "1");
    setTickets({ticket("H1", "AG", "1", "100", "1")});
    setAccount({{"EQT", "1000"}, {"RM", "0"}});
    EXPECT_EQ(store().computingFengXianLu()["r_value"], "0");
    setAccount({{"EQT", "1000"}, {"RM", "10"}});
    const JYDict risk = store().computingFengXianLu();
    EXPECT_EQ(risk["c_value"], "--");
    EXPECT_EQ(risk["BZJ_value"], "--");
    EXPECT_EQ(risk["r_value"], "--");
    setTickets({});
    setAccount({{"EQT", "-50"}, {"RM", "10"}});
    EXPECT_EQ(store().computingFengXianLu()["r_value"], "0");
}

TEST_F(PXTradeDataTest, shouldSplitCommoditiesTicketsAndSummariesByTradeMode) {
    addCommodity("AG", "4");
    addCommodity("CU", "1");
    setTickets({ticket("H1", "AG", "1", "1", "1"), ticket("H2", "CU", "1", "1", "1"),
                ticket("H3", "XX", "1", "1", "1")});
    auto summary = [](const std::string& code) {
        auto made = std::make_shared<PXJYChiCangHuiZong>();
        made->commodityCode = code;
        return made;
    };
    store().setChiCangHuiZongXinXi({summary("CU"), summary("AG"), summary("XX")});

    EXPECT_EQ(store().getAllCommodityCodeFromShangPinXinXi("ZYMS"), std::vector<std::string>{"AG"});
    EXPECT_EQ(store().getAllCommodityCodeFromShangPinXinXi(""), std::vector<std::string>{"CU"});
    EXPECT_EQ(store().getAllDanHaoIDFromChiCangMingXi("ZYMS"), std::vector<std::string>{"H1"});
    EXPECT_EQ(store().getAllDanHaoIDFromChiCangMingXi("CPMS"),
              (std::vector<std::string>{"H2", "H3"}));
    const auto quoteMode = store().getAllHuiZongFromChiCangHuiZong("CPMS");
    ASSERT_EQ(quoteMode.size(), 2u);
    EXPECT_EQ(quoteMode[0]->commodityCode, "CU");
    EXPECT_EQ(quoteMode[1]->commodityCode, "XX");
}

// A logout forgets every record of the account; only the line chosen stays.
TEST_F(PXTradeDataTest, shouldForgetTheLoginAndEveryRecordButKeepTheLineWhenCleared) {
    addCommodity("AG");
    setTickets({ticket("H1", "AG", "1", "1", "1")});
    store().setYinHangXinXi({JYDict{{"BANKID", "01"}}});
    store().setFirmID("F1");
    store().setCurrentCommodityCode("AG");
    store().tradeSession()->JYsessionID = "S1";
    store().tradeSession()->srvToken = "secret";
    store().tradeSession()->encryptKey_data = {1, 2, 3};
    module().setTradeLogin(true);

    const auto session = store().tradeSession();
    store().clearAllTradeData();
    EXPECT_FALSE(module().tradeLogin());
    EXPECT_TRUE(store().shangPinXinXi().empty());
    EXPECT_TRUE(store().firmID().empty());
    EXPECT_TRUE(store().currentCommodityCode().empty());
    EXPECT_EQ(store().tradeLinkType(), "T1");
    EXPECT_TRUE(store().chiCangMingXiXinXi().empty());
    EXPECT_TRUE(store().yinHangXinXi().empty());
    EXPECT_TRUE(session->JYsessionID.empty());
    EXPECT_TRUE(session->srvToken.empty());
    EXPECT_TRUE(session->encryptKey_data.empty());
}

// A session put back after a failed login keeps its epoch; the failed logon's is never handed
// out again, so what that logon left on its way stays over after the next one.
TEST_F(PXTradeDataTest, shouldPutBackARestoredSessionsEpochAndNeverReuseTheFailedOne) {
    store().nextSessionEpoch();
    const PXTradeData::Snapshot kept = store().snapshot();
    store().nextSessionEpoch();
    const uint64_t failed = store().sessions().epoch();
    store().restore(kept);
    EXPECT_EQ(store().sessions().epoch(), kept.sessionEpoch);
    store().nextSessionEpoch();
    EXPECT_NE(store().sessions().epoch(), failed);
    EXPECT_NE(store().sessions().epoch(), kept.sessionEpoch);
}

// A bank list answered with no bank is known; a logon's end forgets it, a rollback puts it back.
TEST_F(PXTradeDataTest, shouldKnowABankListAnsweredEmptyUntilItsSessionEnds) {
    EXPECT_FALSE(store().yinHangXinXiAnswered());
    store().setYinHangXinXi({});
    EXPECT_TRUE(store().yinHangXinXiAnswered());
    const PXTradeData::Snapshot kept = store().snapshot();
    store().nextSessionEpoch();
    EXPECT_FALSE(store().yinHangXinXiAnswered());
    store().restore(kept);
    EXPECT_TRUE(store().yinHangXinXiAnswered());
    EXPECT_TRUE(store().yinHangXinXi().empty());
}

TEST_F(PXTradeDataTest, shouldNotTakeBackAClosedTicketWithAnOlderOneCommodityAnswer) {
    answerSlowAfterQuick("ZN", "");
    EXPECT_EQ(ticketNumbers(), (std::vector<std::string>{"1002", "2001"}));
}

TEST_F(PXTradeDataTest, shouldKeepANewerOneCommodityAnswerFromAnOlderAnswerForAll) {
    answerSlowAfterQuick("", "ZN");
    EXPECT_EQ(ticketNumbers(), (std::vector<std::string>{"1002", "2001"}));
}

TEST_F(PXTradeDataTest, shouldFindTheQuoteSidesLiveQuoteOfATradingCommodity) {
    addQuote("AG", 12, 101, 100, 102);
    addQuote("CU", 13, 0, 0, 0, false);
    const auto quote = store().getHQYiKouJia("AG");
    ASSERT_TRUE(quote);
    EXPECT_EQ(quote->newPrice, 101);
    EXPECT_FALSE(store().getHQYiKouJia("CU"));
    EXPECT_FALSE(store().getHQYiKouJia("ZZ"));
    module().PXJYPeiZhi().setEnvironmentCODE("2");
    EXPECT_FALSE(store().getHQYiKouJia("AG"));
}

TEST_F(PXTradeDataTest, shouldHandTheHeldCommoditiesToTheMarketListThatAsks) {
    addQuote("AG", 12, 101, 100, 102);
    addQuote("CU", 13, 0, 0, 0, false);
    auto summary = [](const std::string& code) {
        auto made = std::make_shared<PXJYChiCangHuiZong>();
        made->commodityCode = code;
        return made;
    };
    store().setChiCangHuiZongXinXi({summary("CU"), summary("NONE"), summary("AG")});
    const int marketList = 0;
    NotificationCenter::defaultCenter().post("setJYResourceDelegate", &marketList);
    ASSERT_EQ(m_host.handedCommodities.size(), 1u);
    EXPECT_EQ(m_host.handedCommodities[0].first, &marketList);
    EXPECT_EQ(m_host.handedCommodities[0].second, (std::vector<std::string>{"CU", "AG"}));
}
