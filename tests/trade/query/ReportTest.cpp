#include <gtest/gtest.h>

#include "QueryScreenTest.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "sim/core/SimHttpLine.h"
#include "sim/trade/SimTradeLedger.h"
#include "sim/trade/SimTradeServer.h"
#include "support/ScopedEnvironment.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/query/PXJYBaoBiaoMingXiInfo.h"
#include "trade/query/PXJYBaoBiaoMingXiList.h"
#include "trade/query/PXTradeBaoBiaoController.h"
#include "widgets/LoadMoreTableView.h"

namespace {
constexpr int kReportMenuEntry = 6;
constexpr int64_t kDayMs = 86400000;
const char* const kRequestNames[] = {"report_customercloseposition_query",
                                     "report_customerorders_query", "report_customerhold_query",
                                     "report_customerfundsflow_query",
                                     "report_customerfundsstat_query"};

double gmtDay(const std::string& text) {
    return *DateFormat("yyyy-MM-dd", DateFormat::Zone::gmt()).parse(text);
}
}  // namespace

// The report screen opened from the trade home's menu. The seeded account holds two lots
// bought on the simulator's first day (one deal); bookThreeDays adds: that day two lots bought
// and one sold back, the next day one bought and one sold back, the third day one bought.
class ReportTest : public QueryScreenTest {
protected:
    explicit ReportTest(Size screenSize = {320, 568}) : QueryScreenTest(screenSize) {}

    void SetUp() override {
        QueryScreenTest::SetUp();
        // The history spans days of simulated time: the session must outlive them.
        tradeServer().ledger().setIdleLimitMs(30 * kDayMs);
        commodity = quoteModeCommodity();
    }

    void bookThreeDays() {
        makeDeals(commodity, 2);
        closeOne();
        sim.clock().advance(kDayMs);
        makeDeals(commodity, 1);
        closeOne();
        sim.clock().advance(kDayMs);
        makeDeals(commodity, 1);
    }

    // Sells one held lot back.
    void closeOne() {
        const SimJson request = {{"USER_ID", loggedIn.account},
                                 {"BUY_SELL", "2"},
                                 {"COMMODITY_ID", commodity},
                                 {"PRICE", ""},
                                 {"QTY", "1"},
                                 {"SETTLE_BASIS", "2"},
                                 {"DOT_DIFF", ""},
                                 {"CLOSEMODE", "1"},
                                 {"HOLDING_ID", ""},
                                 {"OTHER_ID", ""},
                                 {"SESSION_ID", session()}};
        const SimJson reply =
            tradeServer().ledger().handle(SimTradeLink::Trade, "order_s", request);
        ASSERT_EQ(reply.value("retcode", -1), 0) << reply.dump();
    }

    std::string session() { return tradeModule().PXJYData().tradeSession()->JYsessionID; }

    // The exchange's (UTC+8) day of the simulator's clock, moved by some days.
    std::string simDay(int days = 0) {
        const double now = static_cast<double>(sim.clock().nowMs()) / 1000 + days * 86400.0;
        return DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600)).format(now);
    }

    PXTradeBaoBiaoController* openReports() {
        auto* home = dynamic_cast<PXJYRootViewController*>(tradeNavigation()->topViewController());
        if (!home) {
            ADD_FAILURE() << "the trade home is not at the root of the trade tab";
            return nullptr;
        }
        home->headerClick(kReportMenuEntry);
        driver.settle();
        screen = dynamic_cast<PXTradeBaoBiaoController*>(topScreen());
        return screen;
    }

    void chooseKind(int kind) {
        ASSERT_TRUE(driver.tap(screen->baoBiaoType()));
        driver.settle();
        ASSERT_TRUE(driver.tapRow(*screen->pickerView(), IndexPath{0, kind}));
        driver.settle();
    }

    // Opens the date panel with a day button, dials the day as the wheel does, hides the panel.
    void pickDay(bool start, const std::string& day) {
        ASSERT_TRUE(driver.tap(start ? screen->startDateButton() : screen->endDateButton()));
        driver.settle();
        screen->datePicker()->setDate(gmtDay(day));
        screen->datePicker()->sendActions(ValueChanged);
        ASSERT_TRUE(driver.tapText("隐藏"));
        driver.settle();
    }

    void pickRange(const std::string& start, const std::string& end) {
        pickDay(true, start);
        pickDay(false, end);
    }

    bool query() {
        EXPECT_TRUE(driver.tap(screen->doneButton()));
        return waitIdle();
    }

    // A report of one kind over a range, as a user asks for it.
    bool report(int kind, const std::string& start, const std::string& end) {
        chooseKind(kind);
        pickRange(start, end);
        return query();
    }

    void pullUp() {
        LoadMoreTableView& table = *screen->baoBiaoMingXiList()->BBtableView();
        table.setContentOffset({0, table.maximumContentOffset().y});
        driver.drag({160, 420}, {160, 220});
        waitIdle();
    }

    void backToForm() {
        screen->baoBiaoMingXiList()->VKJYNavBackAction();
        driver.settle();
    }

    bool listShown() const { return screen->baoBiaoMingXiList()->frame().x == 0; }
    size_t rowsShown() const { return screen->baoBiaoMingXiList()->dataList().size(); }
    int sentReports() {
        int count = 0;
        for (const char* name : kRequestNames) {
            count += sent(name);
        }
        return count;
    }

    // The whole screen, each kind's list and a row's detail, saved under a size suffix.
    void snapshotEveryState(const std::string& size) {
        bookThreeDays();
        ASSERT_TRUE(openReports());
        snapshot("report-form-" + size);
        ASSERT_TRUE(driver.tap(screen->baoBiaoType()));
        driver.settle();
        // Just under the kind button, four rows high: the fifth kind scrolls in.
        EXPECT_EQ(screen->pickerView()->frame(),
                  Rect(125, PXTradeViewKit::appViewRect().y + 100, 150, 200));
        snapshot("report-kinds-" + size);
        ASSERT_TRUE(driver.tapRow(*screen->pickerView(), IndexPath{0, 1}));
        ASSERT_TRUE(driver.tap(screen->startDateButton()));
        driver.settle();
        snapshot("report-dates-" + size);
        ASSERT_TRUE(driver.tapText("隐藏"));
        for (int kind = 0; kind < PXJYBaoBiaoQuery::kKindCount; ++kind) {
            ASSERT_TRUE(report(kind, simDay(-2), simDay()));
            ASSERT_TRUE(listShown()) << "kind " << kind << ": " << alertMessage();
            snapshot("report-list-" + std::to_string(kind) + "-" + size);
            ASSERT_TRUE(driver.tapRow(*screen->baoBiaoMingXiList()->BBtableView(), {1, 0}));
            driver.settle();
            snapshot("report-detail-" + std::to_string(kind) + "-" + size);
            screen->baoBiaoMingXiDetail()->VKJYNavBackAction();
            backToForm();
        }
    }

    std::string commodity;
    PXTradeBaoBiaoController* screen = nullptr;
};

TEST_F(ReportTest, shouldOpenFromTheMenuWithYesterdayAndNoKind) {
    ASSERT_TRUE(openReports());
    // The exchange's yesterday, wherever the device is.
    const std::string yesterday = DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600))
                                      .format(DateFormat::now() - 86400);
    EXPECT_EQ(screen->baoBiaoType()->title(), PXTradeBaoBiaoController::kNoKindTitle);
    EXPECT_EQ(screen->startDateButton()->title(), yesterday);
    EXPECT_EQ(screen->endDateButton()->title(), yesterday);
    ASSERT_TRUE(screen->datePicker()->maximumDate());
    EXPECT_EQ(PXTradeQueryDay::dayText(*screen->datePicker()->maximumDate()), yesterday);
    query();
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "请选择报表类型");
    EXPECT_EQ(sentReports(), 0);
}

TEST_F(ReportTest, shouldAskEachKindForTheDaysOfTheRangeAndShowItsTotals) {
    bookThreeDays();
    ASSERT_TRUE(openReports());
    struct Case {
        int kind;
        size_t rows;
        const char* totalTitle;
        const char* total;
    };
    // The second and third days: one lot sold back, three deals, today's four holding tickets
    // of a lot each, the flows of those days, and two days of funds status.
    const Case cases[] = {
        {0, 1, "转让量:", "1"},  {1, 3, "成交量:", "3"},    {2, 4, "持牌量:", "4"},
        {3, 4, "变动金额:", ""}, {4, 2, "出入金:", "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(kRequestNames[c.kind]);
        ASSERT_TRUE(report(c.kind, simDay(-1), simDay()));
        ASSERT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
        ASSERT_TRUE(listShown());
        const JYDict req = lastRequest(kRequestNames[c.kind]);
        EXPECT_EQ(req.value("ST", ""),
                  std::to_string(static_cast<int64_t>(gmtDay(simDay(-1))) * 1000));
        EXPECT_EQ(req.value("ET", ""),
                  std::to_string(static_cast<int64_t>(gmtDay(simDay())) * 1000));
        EXPECT_EQ(req.value("STARTNUM", ""), "1");
        EXPECT_EQ(req.value("RECCNT", ""), "20");
        PXJYBaoBiaoMingXiList& list = *screen->baoBiaoMingXiList();
        EXPECT_EQ(list.navigationBarView()->title()->text(), PXJYBaoBiaoQuery::title(c.kind));
        EXPECT_EQ(rowsShown(), c.rows);
        EXPECT_EQ(list.BBtableView()->numberOfRows(1), static_cast<int>(c.rows));
        const auto totals = list.totals();
        ASSERT_FALSE(totals.empty());
        EXPECT_EQ(list.BBtableView()->numberOfRows(0), static_cast<int>(totals.size()));
        EXPECT_EQ(totals.front().first, c.totalTitle);
        if (*c.total) {
            EXPECT_EQ(totals.front().second, c.total);
        }
        EXPECT_TRUE(driver.viewWithText(c.totalTitle));
        backToForm();
    }
}

TEST_F(ReportTest, shouldPageByTwentyAndKeepTheRowsAfterTheLastPage) {
    makeDeals(commodity, 46);  // and the seeded one
    ASSERT_TRUE(openReports());
    ASSERT_TRUE(report(1, simDay(), simDay()));
    EXPECT_EQ(rowsShown(), 20u);
    pullUp();
    pullUp();
    EXPECT_EQ(rowsShown(), 47u);
    EXPECT_EQ(screen->query().startNum(), 48);
    // Past the end: the empty page alerts and the rows stay.
    pullUp();
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), PXTradeBaoBiaoController::kNoRecord);
    answerAlert();
    EXPECT_EQ(rowsShown(), 47u);
    EXPECT_FALSE(screen->baoBiaoMingXiList()->BBtableView()->isLoadingMore());
    const std::vector<std::string> starts = {"1", "21", "41", "48"};
    EXPECT_EQ(sentValues("report_customerorders_query", "STARTNUM"), starts);
    EXPECT_EQ(screen->baoBiaoMingXiList()->totals().front().second, "48")
        << "the lots of every page (the seeded deal took two), from the first record";
}

// A re-login while the form is on show: the list a query then fills is of the logon in force,
// and its next page goes.
TEST_F(ReportTest, shouldPageAQueryMadeAfterAnotherLogonOnShow) {
    makeDeals(commodity, 25);  // and the seeded one
    ASSERT_TRUE(openReports());
    ASSERT_TRUE(logIn(loggedIn));
    ASSERT_TRUE(report(1, simDay(), simDay()));
    EXPECT_EQ(rowsShown(), 20u);
    pullUp();
    EXPECT_EQ(alertMessage(), "");
    EXPECT_EQ(rowsShown(), 26u);
}

// Each new query empties the list first, whatever then becomes of it.
TEST_F(ReportTest, shouldEmptyTheListBeforeANewQueryIsCheckedSentOrAnswered) {
    makeDeals(commodity, 2);
    ASSERT_TRUE(openReports());
    struct Refusal {
        const char* what;
        std::string start;
        std::string end;
        int serverCode;  // 0: the server answers
        const char* message;
        int sentReports;
    };
    const Refusal refusals[] = {
        {"a range over a month", "2026-10-15", "2026-11-16", 0, "查询日期间隔不能超过一个月", 0},
        {"an end before the start", simDay(), simDay(-1), 0, "开始日期不能在结束日期之后", 0},
        {"a month to the day without records", "2026-10-15", "2026-11-15", 0,
         PXTradeBaoBiaoController::kNoRecord, 1},
        {"a report the server refuses", simDay(), simDay(), -1, nullptr, 1},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        ASSERT_TRUE(report(1, simDay(), simDay()));
        ASSERT_EQ(rowsShown(), 3u);
        backToForm();
        const int asked = sentReports();
        if (r.serverCode != 0) {
            tradeServer().answerCodeNext(r.serverCode, kRequestNames[1]);
        }
        pickRange(r.start, r.end);
        query();
        ASSERT_TRUE(waitAlert());
        if (r.message) {
            EXPECT_EQ(alertMessage(), r.message);
        }
        answerAlert();
        EXPECT_EQ(sentReports(), asked + r.sentReports);
        EXPECT_EQ(rowsShown(), 0u);
        PXJYBaoBiaoMingXiList& list = *screen->baoBiaoMingXiList();
        EXPECT_EQ(list.BBtableView()->numberOfRows(0), 0);
        EXPECT_EQ(list.BBtableView()->numberOfRows(1), 0);
        // Nothing is left to page on.
        screen->addBaoBiaoMingXiView();
        driver.settle();
        pullUp();
        EXPECT_EQ(sentReports(), asked + r.sentReports);
        backToForm();
    }
}

TEST_F(ReportTest, shouldShowOnlyTheAnswerToTheLatestQuery) {
    bookThreeDays();
    ASSERT_TRUE(openReports());
    tradeServer().holdReplies(kRequestNames[1]);
    chooseKind(1);
    pickRange(simDay(-2), simDay());
    ASSERT_TRUE(driver.tap(screen->doneButton()));
    ASSERT_TRUE(driver.runUntil([this] { return sentReports() == 1; }));
    // The overlay keeps every tap off the form: the screen is asked directly for a second
    // query before the first is answered.
    screen->didSelectRow(*screen->pickerView(), IndexPath{0, 0});
    screen->doneButtonAction();
    ASSERT_TRUE(driver.runUntil([this] { return sentReports() == 2 && listShown(); }));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the first query is still on its way";
    tradeServer().releaseReplies(kRequestNames[1]);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    driver.settle();
    EXPECT_EQ(screen->query().kind(), 0);
    EXPECT_EQ(screen->baoBiaoMingXiList()->baoBiaotype(), 0);
    EXPECT_EQ(screen->baoBiaoMingXiList()->navigationBarView()->title()->text(), "转让明细");
    EXPECT_EQ(rowsShown(), 2u) << "the transfers, not the deals answered last";
}

TEST_F(ReportTest, shouldTakeItsBusyOverlayAlongWhenItLeavesWhileAReportTravels) {
    ASSERT_TRUE(openReports());
    tradeServer().holdReplies(kRequestNames[0]);
    chooseKind(0);
    ASSERT_TRUE(driver.tap(screen->doneButton()));
    ASSERT_TRUE(driver.runUntil([this] { return sentReports() == 1; }));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    // As the idle log-out and a lost session do: the trade tab goes back to its first screen.
    tradeNavigation()->popToRootViewController(false);
    EXPECT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }, 2));
    tradeServer().releaseReplies(kRequestNames[0]);
    driver.settle();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

// The day chosen on the screen reaches the exchange as that day, wherever the device is.
TEST_F(ReportTest, shouldAskForTheChosenDayAsItsMidnightUtcFromEveryZone) {
    makeDeals(commodity, 1);
    ASSERT_TRUE(openReports());
    const std::string day = simDay();
    const std::string utcMidnight = std::to_string(static_cast<int64_t>(gmtDay(day)) * 1000);
    for (const char* zone : {"<+08>-8", "<+00>0", "<+09>-9", "<-05>5"}) {
        SCOPED_TRACE(zone);
        ScopedEnvironment tz("TZ", zone);
        ASSERT_TRUE(report(1, day, day));
        const JYDict req = lastRequest("report_customerorders_query");
        EXPECT_EQ(req.value("ST", ""), utcMidnight);
        EXPECT_EQ(req.value("ET", ""), utcMidnight);
        EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
        EXPECT_TRUE(listShown());
        EXPECT_EQ(rowsShown(), 2u) << "the seeded deal and today's";
        if (driver.visibleAlert()) {
            answerAlert();
        }
        backToForm();
    }
}

TEST_F(ReportTest, shouldShowARowsDetailAndGoBackToTheList) {
    bookThreeDays();
    ASSERT_TRUE(openReports());
    ASSERT_TRUE(report(0, simDay(-2), simDay()));
    PXJYBaoBiaoMingXiList& list = *screen->baoBiaoMingXiList();
    ASSERT_EQ(rowsShown(), 2u);
    ASSERT_TRUE(driver.tapRow(*list.BBtableView(), {0, 0}));
    driver.settle();
    EXPECT_NE(screen->baoBiaoMingXiDetail()->frame().x, 0) << "a totals row opens nothing";
    ASSERT_TRUE(driver.tapRow(*list.BBtableView(), {1, 1}));
    driver.settle();
    PXJYBaoBiaoMingXiInfo& detail = *screen->baoBiaoMingXiDetail();
    EXPECT_EQ(detail.frame().x, 0);
    EXPECT_EQ(detail.MXtableView()->numberOfRows(0), 14);
    EXPECT_EQ(detail.MXtableView()->rectForRow({0, 1}).y, 40) << "rows are 40 high";
    EXPECT_EQ(detail.detailDic(), list.dataList()[1]);
    EXPECT_TRUE(driver.viewWithText("转让时间:"));
    EXPECT_TRUE(driver.viewWithText(list.dataList()[1].value("TRADE_NO", "?")));
    // The clearing day is the exchange's date of the transfer, wherever the device is.
    const double closed = std::stod(list.dataList()[1].value("CLOSE_TIME", "0")) / 1000;
    EXPECT_EQ(detail.valueOf(detail.rows().back()).text,
              DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600)).format(closed));
    detail.VKJYNavBackAction();
    driver.settle();
    EXPECT_EQ(detail.frame().x, detail.frame().width);
    EXPECT_EQ(list.frame().x, 0);
}

TEST_F(ReportTest, snapshotsAt568) {
    snapshotEveryState("568");
}

class ReportSmallScreenTest : public ReportTest {
protected:
    ReportSmallScreenTest() : ReportTest({320, 480}) {}
};

TEST_F(ReportSmallScreenTest, snapshotsAt480) {
    snapshotEveryState("480");
}
