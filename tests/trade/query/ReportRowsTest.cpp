#include <gtest/gtest.h>

#include "base/UIColorJudgeDataColor.h"
#include "trade/query/PXJYBaoBiaoMingXiInfo.h"
#include "trade/query/PXJYBaoBiaoMingXiList.h"
#include "trade/query/PXJYBaoBiaoQuery.h"

namespace {
using Info = PXJYBaoBiaoMingXiInfo;

// 2014-01-15 09:30:05 at UTC+8.
constexpr const char* kTime = "1389749405000";
// The clearing day 2014-01-15 as the server sends it: its midnight at UTC+8.
constexpr const char* kClearDay = "1389715200000";

// kTime on the exchange's clock, as a report shows it wherever the device is.
constexpr const char* kExchangeTime = "2014-01-15 09:30:05";

Info::Value riskRate(const char* status, const char* rate) {
    JYDict record = {{"STATUS", status}};
    if (rate) {
        record["RISK_RATE"] = rate;
    }
    return Info::riskRate(record);
}
}  // namespace

TEST(ReportRowsTest, shouldJudgeTheRiskRateAgainstAHundredPerCent) {
    const Color grey = Color::rgb(204, 204, 204);
    struct Case {
        const char* status;
        const char* rate;
        const char* text;
        Color color;
    };
    const Case cases[] = {
        {"F", "0.5", "--", grey},
        {"N", nullptr, "--", grey},
        {"N", "2", "安全", grey},
        {"N", "3.1", "安全", grey},
        {"N", "0.95", "95.00%", UIColorJudgeDataColor::judgeColorWithData(95, 100)},
        {"N", "1.2", "120.00%", UIColorJudgeDataColor::judgeColorWithData(120, 100)},
        {"N", "1", "100.00%", Color::whiteColor()},
        {"N", "0.8567", "85.67%", UIColorJudgeDataColor::judgeColorWithData(0, 1)},
    };
    for (const Case& c : cases) {
        const Info::Value value = riskRate(c.status, c.rate);
        EXPECT_EQ(value.text, c.text) << c.rate;
        EXPECT_EQ(value.color, c.color) << c.rate;
    }
    EXPECT_EQ(riskRate("N", "1.2").color, Color::redColor());
}

// Times on the exchange's clock and clearing days as its dates, wherever the device is.
TEST(ReportRowsTest, shouldWriteEachKindsDetailRowsWithTimesOnTheExchangesClock) {
    Info info(Rect(0, 0, 320, 548));
    struct Case {
        int kind;
        size_t rows;
        size_t row;
        const char* title;
        std::string shown;
    };
    const Case cases[] = {
        {0, 14, 12, "转让时间:", kExchangeTime}, {0, 14, 13, "结算日期:", "2014-01-15"},
        {1, 9, 7, "成交时间:", kExchangeTime},   {1, 9, 8, "结算日期:", "2014-01-15"},
        {2, 13, 12, "结算日期:", "2014-01-15"},  {2, 13, 9, "持牌订金比例:", "0.1"},
        {3, 7, 6, "时间:", kExchangeTime},       {3, 7, 5, "结算日期:", "2014-01-15"},
        {4, 10, 7, "结算日期:", "2014-01-15"},   {4, 10, 9, "出入金", ""},
    };
    info.setDetailDic({{"CLOSE_TIME", kTime},
                       {"CLEAR_DATE", kClearDay},
                       {"HOLD_TIME", kTime},
                       {"CREATE_TIME", kTime},
                       {"HOLD_MARGIN_RATE", "0.1"}});
    for (const Case& c : cases) {
        info.setBaoBiaotype(c.kind);
        info.setCellLabel();
        ASSERT_EQ(info.rows().size(), c.rows) << c.kind;
        EXPECT_EQ(info.rows()[c.row].title, c.title);
        EXPECT_EQ(info.valueOf(info.rows()[c.row]).text, c.shown) << c.title;
    }
    info.setBaoBiaotype(7);
    info.setCellLabel();
    EXPECT_EQ(info.rows().size(), 10u) << "an unknown kind keeps the rows";
    EXPECT_EQ(info.valueOf({"单号:", "TRADE_NO"}).text, "") << "a field the record lacks";
    EXPECT_EQ(info.valueOf({"摘牌时间:", "CLOSE_PL", Info::Format::DateTime}).text, "")
        << "a date the record lacks is no date of 1970";
    EXPECT_EQ(info.valueOf({"结算日期:", "FUNDIO", Info::Format::Date}).text, "");
}

TEST(ReportRowsTest, shouldLayOutTheDetailRowsOfEachKind) {
    PXJYBaoBiaoMingXiList list(Rect(0, 0, 320, 548));
    list.setDataList({{{"TRADE_NO", "9"},
                       {"HOLD_NO", "8"},
                       {"HOLD_TIME", kTime},
                       {"LAST_CAPITAL", "100.00"},
                       {"CAPITAL", "90.00"},
                       {"CLEAR_DATE", kClearDay},
                       {"QUANTITY_SUM", "3"}}});
    struct Case {
        int kind;
        double height;
        size_t totals;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {0,
         80,
         3,
         {"单        号:", "9", " ", " ", "商        品:", "", "持牌量:", "", "方式:", "",
          "转让价:", ""}},
        {2,
         105,
         4,
         {"单        号:", "8", "持牌盈亏:", "", "商        品:", "", "持牌量:", "", "方式:", "",
          "持牌价:", "", "摘牌时间:", kExchangeTime, " ", " "}},
        {4, 55, 6, {"期初权益:", "100.00", " ", " ", "期末权益:", "90.00", " ", "2014-01-15"}},
    };
    for (const Case& c : cases) {
        list.setBaoBiaotype(c.kind);
        list.setCellLabel();
        EXPECT_EQ(list.cellHeight(), c.height) << c.kind;
        EXPECT_EQ(list.totals().size(), c.totals) << c.kind;
        EXPECT_EQ(list.placeTexts(0), c.texts) << c.kind;
    }
    list.setBaoBiaotype(0);
    list.setCellLabel();
    EXPECT_EQ(list.totals().front(), std::make_pair(std::string("转让量:"), std::string("3")));
    EXPECT_EQ(list.totals().back().second, "") << "a total the record lacks";
    list.setDataList({});
    EXPECT_TRUE(list.totals().empty()) << "no totals without records";
}

TEST(ReportRowsTest, shouldContinueTheShownReportUntilANewQueryEmptiesIt) {
    PXJYBaoBiaoQuery query;
    EXPECT_FALSE(query.more()) << "nothing shown, nothing to continue";
    const auto first = query.begin(1, "2014-01-15", "2014-01-16");
    EXPECT_EQ(first.startNum, 1);
    EXPECT_TRUE(query.accept(std::vector<JYDict>(20, JYDict{{"A", "1"}})));
    EXPECT_EQ(query.startNum(), 21);
    const auto second = query.more();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->startNum, 21);
    EXPECT_EQ(second->startDay, "2014-01-15");
    EXPECT_TRUE(query.accept(std::vector<JYDict>(7, JYDict{{"A", "2"}})));
    EXPECT_EQ(query.records().size(), 27u);
    EXPECT_EQ(query.startNum(), 28);
    EXPECT_FALSE(query.accept(std::vector<JYDict>(3))) << "no request was in flight";
    EXPECT_EQ(query.records().size(), 27u);

    // A page asked for before a new query came is void.
    ASSERT_TRUE(query.more());
    query.clear();
    EXPECT_TRUE(query.records().empty());
    EXPECT_FALSE(query.more());
    EXPECT_FALSE(query.accept(std::vector<JYDict>(20, JYDict{{"A", "1"}})));
    EXPECT_TRUE(query.records().empty());

    query.begin(3, "2014-02-01", "2014-02-02");
    EXPECT_FALSE(query.accept({})) << "an empty first page";
    EXPECT_FALSE(query.more());
    query.begin(3, "2014-02-01", "2014-02-02");
    EXPECT_TRUE(query.accept({JYDict{{"B", "1"}}}));
    EXPECT_EQ(query.records().size(), 1u);
    EXPECT_EQ(query.kind(), 3);
    EXPECT_EQ(query.startNum(), 2);
}
