#include <gtest/gtest.h>

#include "FundsScreenTest.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/trade/SimTradeLedger.h"
#include "sim/trade/SimTradeServer.h"
#include "support/ScopedEnvironment.h"
#include "trade/account/PXJYChuRuJinChaXunVC.h"
#include "trade/account/PXJYChuRuJinViewController.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {
constexpr int kHistoryEntry = 1;
constexpr int kExtraDeposits = 25;

double gmtDay(const std::string& text) {
    return *DateFormat("yyyy-MM-dd", DateFormat::Zone::gmt()).parse(text);
}

std::string exchangeToday() {
    return DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600)).format(DateFormat::now());
}

// A device zone where it is now 23:xx of the day before the exchange's date.
std::string zoneADayBehindTheExchange() {
    const DateFormat hour("H", DateFormat::Zone::fixed(8 * 3600));
    const int hoursEast = 8 - std::stoi(hour.format(DateFormat::now())) - 1;
    return Text::format("<%+03d>%d", hoursEast, -hoursEast);
}
}  // namespace

class FundsHistoryTest : public FundsScreenTest {
protected:
    void SetUp() override {
        FundsScreenTest::SetUp();
        home = openHome();
        ASSERT_TRUE(home);
        history = openEntryAs<PXJYChuRuJinChaXunVC>(*home, kHistoryEntry);
        ASSERT_TRUE(history);
    }

    // The exchange's (UTC+8) day of the simulator's clock, moved by some days.
    std::string simDay(int days = 0) {
        const double now = static_cast<double>(sim.clock().nowMs()) / 1000 + days * 86400.0;
        return DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600)).format(now);
    }

    // Opens the picker with a day button and dials the day, as the wheel does.
    void pickDay(bool start, const std::string& day) {
        driver.tap(start ? history->startDateButton() : history->endDateButton());
        driver.settle();
        history->datePicker()->setDate(gmtDay(day));
        history->datePicker()->sendActions(ValueChanged);
    }

    void deposit(int count) {
        const std::string session = tradeModule().PXJYData().tradeSession()->JYsessionID;
        for (int i = 0; i < count; ++i) {
            const SimJson request = {{"USER_ID", kAccount}, {"SESSION_ID", session},
                                     {"BANK_ID", kBankId},  {"TYPE", i % 5 ? "I" : "O"},
                                     {"AMOUNT", "1"},       {"PWD", kFundPassword}};
            const SimJson reply =
                tradeServer().ledger().handle(SimTradeLink::Funds, "money_transfer", request);
            ASSERT_EQ(reply.value("retcode", -1), 0) << reply.dump();
        }
    }

    bool query() {
        driver.tapText("确  定");
        return waitIdle();
    }

    // Drags the list up from its end, as a user looking for more would.
    void pullUp() {
        TableView* list = history->chuRuJinListView();
        list->setContentOffset({0, list->maximumContentOffset().y});
        driver.settle();
        driver.drag({160, 420}, {160, 220});
        driver.settle();
        waitIdle();
    }

    PXJYChuRuJinViewController* home = nullptr;
    PXJYChuRuJinChaXunVC* history = nullptr;
};

TEST_F(FundsHistoryTest, asksOnceForEveryTransferOfTheRangeAndShowsThemAll) {
    // The simulator's clock stands at 2026-12-04 06:30 UTC: 14:30 at the exchange, 15:30 on a
    // device at UTC+9.
    ScopedEnvironment zone("TZ", "<+09>-9");
    deposit(kExtraDeposits);
    pickDay(true, simDay(-3));
    snapshot("history-picker");
    pickDay(false, simDay());
    driver.tapText("隐藏");
    driver.settle();
    ASSERT_TRUE(query());
    EXPECT_FALSE(driver.visibleAlert()) << alertMessage();
    ASSERT_EQ(sent("money_iom_query"), 1);
    const JYDict first = lastRequest("money_iom_query");
    EXPECT_EQ(first["ST"], std::to_string(static_cast<long long>(gmtDay(simDay(-3))) * 1000));
    EXPECT_EQ(first["ET"], std::to_string(static_cast<long long>(gmtDay(simDay())) * 1000));
    EXPECT_EQ(first["STARTNUM"], "0");
    EXPECT_EQ(history->detailView()->frame().x, 0) << "the detail panel slid in";
    const size_t every = kExtraDeposits + 1;
    EXPECT_EQ(history->history().records().size(), every);
    EXPECT_EQ(history->history().total("TTLREC"), std::to_string(every));
    EXPECT_EQ(history->chuRuJinListView()->numberOfRows(1), static_cast<int>(every));
    EXPECT_TRUE(driver.viewWithText("  总计"));
    EXPECT_TRUE(driver.viewWithText("成功入金合计:"));
    // The newest transfer comes first; its time reads as the exchange's, not as milliseconds.
    EXPECT_TRUE(driver.viewWithText("操作时间:"));
    EXPECT_TRUE(driver.viewWithText("2026-12-04 14:30:00"));
    EXPECT_FALSE(driver.viewWithText("1796365800000"));
    snapshot("history-detail");

    pullUp();
    EXPECT_EQ(sent("money_iom_query"), 1) << "every row has come: nothing more is asked";
    EXPECT_EQ(history->chuRuJinListView()->numberOfRows(1), static_cast<int>(every));
    snapshot("history-last-rows");

    driver.tap(driver.viewWithText("出入金详情"));
    history->detailViewbackAction();
    driver.settle();
    EXPECT_EQ(history->detailView()->frame().x, history->detailView()->frame().width);
}

// A query made after another logon, with the screen on show, lists that logon's transfers: the
// screen showing again keeps them.
TEST_F(FundsHistoryTest, keepsAListAskedAfterAnotherLogonWhenShownAgain) {
    ASSERT_TRUE(logInAs(kAccount));
    deposit(2);
    pickDay(true, simDay(-3));
    pickDay(false, simDay());
    driver.tapText("隐藏");
    ASSERT_TRUE(query());
    ASSERT_EQ(history->chuRuJinListView()->numberOfRows(1), 3);
    delegate->tabBarHelper().tabBarController()->setSelectedIndex(0);
    driver.settle();
    tradeNavigation();
    EXPECT_EQ(history->chuRuJinListView()->numberOfRows(1), 3);
    EXPECT_EQ(history->detailView()->frame().x, 0);
}

TEST_F(FundsHistoryTest, refusesBadRangesAndSaysWhenNothingIsFound) {
    pickDay(true, simDay());
    pickDay(false, simDay(-1));
    ASSERT_TRUE(query());
    EXPECT_EQ(alertMessage(), "开始日期不能在结束日期之后");
    answerAlert();
    pickDay(true, simDay(-40));
    pickDay(false, simDay());
    ASSERT_TRUE(query());
    EXPECT_EQ(alertMessage(), "查询日期间隔不能超过一个月");
    answerAlert();
    EXPECT_EQ(sent("money_iom_query"), 0);

    pickDay(true, simDay(-10));
    pickDay(false, simDay(-9));
    ASSERT_TRUE(query());
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "记录未找到");
    EXPECT_NE(history->detailView()->frame().x, 0);
    snapshot("history-none");
}

// The day chosen on the screen reaches the exchange as that day, wherever the device is, and
// the transfers it lists read that day's times on the exchange's clock.
TEST_F(FundsHistoryTest, asksForTheChosenDayAsItsMidnightUtcFromEveryZone) {
    // The exchange's 00:30 of 2026-12-05, still 12-04 on a device at UTC-5.
    tradeServer().ledger().setIdleLimitMs(86400000);
    sim.clock().advance(10 * 3600 * 1000);
    deposit(1);
    const std::string utcMidnight = std::to_string(static_cast<long long>(gmtDay(simDay())) * 1000);
    for (const char* zone : {"<+08>-8", "<+00>0", "<+09>-9", "<-05>5"}) {
        SCOPED_TRACE(zone);
        ScopedEnvironment tz("TZ", zone);
        pickDay(true, simDay());
        pickDay(false, simDay());
        driver.tapText("隐藏");
        driver.settle();
        ASSERT_TRUE(query());
        EXPECT_FALSE(driver.visibleAlert()) << alertMessage();
        const JYDict sent = lastRequest("money_iom_query");
        EXPECT_EQ(sent["ST"], utcMidnight);
        EXPECT_EQ(sent["ET"], utcMidnight);
        EXPECT_EQ(history->detailView()->frame().x, 0) << "the day's transfer was found";
        EXPECT_FALSE(history->history().records().empty());
        EXPECT_TRUE(driver.viewWithText(simDay() + " 00:30:00"));
        history->detailViewbackAction();
        driver.settle();
    }
}

// Today is the exchange's date: its whole night session may be asked for from the west.
TEST_F(FundsHistoryTest, opensOnTheExchangesTodayAndAllowsNoLaterDayInEveryZone) {
    const std::string behind = zoneADayBehindTheExchange();
    for (const char* zone : {"<+08>-8", "<+00>0", "<+09>-9", "<-05>5", behind.c_str()}) {
        SCOPED_TRACE(zone);
        ScopedEnvironment tz("TZ", zone);
        history->VKJYNavBackAction();
        driver.settle();
        history = openEntryAs<PXJYChuRuJinChaXunVC>(*home, kHistoryEntry);
        ASSERT_TRUE(history);
        const std::string today = exchangeToday();
        EXPECT_EQ(history->startDateButton()->title(), today);
        EXPECT_EQ(history->endDateButton()->title(), today);
        ASSERT_TRUE(history->datePicker()->maximumDate());
        EXPECT_EQ(PXTradeQueryDay::dayText(*history->datePicker()->maximumDate()), today);
    }
}
