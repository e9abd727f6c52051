#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "QueryScreenTest.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/NavigationController.h"
#include "sim/trade/SimTradeLedger.h"
#include "sim/trade/SimTradeServer.h"
#include "support/quickpanel/QuickPanelLogin.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/query/PXJYBaoBiaoMingXiList.h"
#include "trade/query/PXJYChaXunViewController.h"
#include "trade/query/PXJYChengJiaoListView.h"
#include "trade/query/PXJYChengJiaoViewController.h"
#include "trade/query/PXJYZJWeiTuoViewController.h"
#include "trade/query/PXTradeBaoBiaoController.h"
#include "widgets/LoadMoreTableView.h"

namespace {
constexpr const char* kElsewhereAccount = "100000000000003";
constexpr int kReportsEntry = 6;
constexpr int kOrdersKind = 1;

enum class Query { Orders, Deals, Report };

// A query screen of the first account waits on the trade tab while the other account logs in
// from the quick panel of 白银 on 行情; back on the trade tab, the screen shows the account
// logged in now, or nothing, and asks only for it. The other account made one market deal
// elsewhere: the deal list shows it, the order list, of set-price orders, does not.
class QueryAfterLoginElsewhere : public QueryScreenTest,
                                 public ::testing::WithParamInterface<Query> {
protected:
    void SetUp() override {
        QueryScreenTest::SetUp();
        ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath())
                        .addAccount({loggedIn.platform, loggedIn.environment, kElsewhereAccount}));
        ASSERT_EQ(tradeServer()
                      .ledger()
                      .orderElsewhere(kElsewhereAccount, "AG", 1, 1)
                      .value("retcode", -1),
                  0);
    }

    // Back on the trade tab after the other login; what the screen asked for since is logged.
    void logInElsewhereAndComeBack() {
        ASSERT_TRUE(quickPanels.logIn(*delegate, "白银", kElsewhereAccount));
        tradeServer().clearReceived();
        ASSERT_NE(tradeNavigation(), nullptr);
        ASSERT_TRUE(waitIdle());
        ASSERT_EQ(topScreen(), screen);
    }

    // Keys of the rows, under the key naming a record.
    template <typename Rows>
    static std::set<std::string> keysOf(const Rows& rows, const char* key) {
        std::set<std::string> keys;
        for (const auto& row : rows) {
            keys.insert(row.value(key, ""));
        }
        return keys;
    }

    static bool sharesAny(const std::set<std::string>& a, const std::set<std::string>& b) {
        for (const auto& key : a) {
            if (b.count(key) > 0) {
                return true;
            }
        }
        return false;
    }

    // An open order listed and open in its panel, whose withdrawal is enabled.
    void fillOrders() {
        placeOrder("AG", 0.5);
        auto* menu = openMenu();
        ASSERT_TRUE(menu);
        auto* orders = openRowAs<PXJYZJWeiTuoViewController>(*menu, 2);
        ASSERT_TRUE(orders && waitIdle());
        ASSERT_EQ(orders->dataList().size(), 1u);
        ASSERT_TRUE(driver.tapRow(*orders->tableView(), IndexPath{0, 0}));
        driver.settle();
        ASSERT_TRUE(orders->withdrawButton()->isEnabled());
        firstAccountRows = keysOf(orders->dataList(), "OR_N");
        screen = orders;
    }

    void checkOrders() {
        auto& orders = dynamic_cast<PXJYZJWeiTuoViewController&>(*screen);
        EXPECT_NE(orders.detailView()->frame().x, 0) << "the first account's order on show";
        EXPECT_FALSE(sharesAny(keysOf(orders.dataList(), "OR_N"), firstAccountRows));
        EXPECT_EQ(sentValues("my_order_query", "USER_ID"),
                  std::vector<std::string>{kElsewhereAccount});
        EXPECT_EQ(sent("order_wd"), 0);
    }

    // The first account's two deals listed.
    void fillDeals() {
        makeDeals("AG", 2);
        auto* menu = openMenu();
        ASSERT_TRUE(menu);
        auto* deals = openRowAs<PXJYChengJiaoViewController>(*menu, 1);
        ASSERT_TRUE(deals);
        // The query button's left end.
        driver.tapAt({30, 301});
        ASSERT_TRUE(waitIdle());
        ASSERT_EQ(deals->listView()->frame().x, 0);
        firstAccountRows = keysOf(deals->listView()->dataList(), "TR_N");
        screen = deals;
    }

    // The other account's one deal listed, and a pull for more asks past it, for that account.
    void checkDeals() {
        auto& deals = dynamic_cast<PXJYChengJiaoViewController&>(*screen);
        const auto& rows = deals.listView()->dataList();
        EXPECT_FALSE(sharesAny(keysOf(rows, "TR_N"), firstAccountRows));
        ASSERT_EQ(rows.size(), 1u);
        LoadMoreTableView& table = *deals.listView()->listView();
        table.setContentOffset({0, table.maximumContentOffset().y});
        driver.drag({160, 420}, {160, 220});
        waitIdle();
        answerAlert();
        EXPECT_EQ(sentValues("tradequery", "STARTNUM"), (std::vector<std::string>{"1", "2"}));
        EXPECT_EQ(sentValues("tradequery", "USER_ID"),
                  (std::vector<std::string>{kElsewhereAccount, kElsewhereAccount}));
        EXPECT_EQ(rows.size(), 1u);
    }

    // Today's orders report of the first account on show.
    void fillReport() {
        makeDeals("AG", 2);
        auto* home = dynamic_cast<PXJYRootViewController*>(tradeNavigation()->topViewController());
        ASSERT_TRUE(home);
        home->headerClick(kReportsEntry);
        driver.settle();
        auto* report = dynamic_cast<PXTradeBaoBiaoController*>(topScreen());
        ASSERT_TRUE(report);
        ASSERT_TRUE(driver.tap(report->baoBiaoType()));
        driver.settle();
        ASSERT_TRUE(driver.tapRow(*report->pickerView(), IndexPath{0, kOrdersKind}));
        driver.settle();
        // The exchange's (UTC+8) day of the simulator's clock, from first to last.
        const double now = static_cast<double>(sim.clock().nowMs()) / 1000;
        const std::string today =
            DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600)).format(now);
        for (Button* day : {report->startDateButton(), report->endDateButton()}) {
            ASSERT_TRUE(driver.tap(day));
            driver.settle();
            report->datePicker()->setDate(
                *DateFormat("yyyy-MM-dd", DateFormat::Zone::gmt()).parse(today));
            report->datePicker()->sendActions(ValueChanged);
            ASSERT_TRUE(driver.tapText("隐藏"));
            driver.settle();
        }
        ASSERT_TRUE(driver.tap(report->doneButton()) && waitIdle());
        ASSERT_EQ(report->baoBiaoMingXiList()->frame().x, 0);
        ASSERT_FALSE(report->baoBiaoMingXiList()->dataList().empty());
        screen = report;
    }

    // No report of the first account is left to read, and a pull where its list was asks for
    // no next page of it.
    void checkReport() {
        auto& report = dynamic_cast<PXTradeBaoBiaoController&>(*screen);
        PXJYBaoBiaoMingXiList& list = *report.baoBiaoMingXiList();
        EXPECT_NE(list.frame().x, 0);
        EXPECT_TRUE(list.dataList().empty());
        LoadMoreTableView& table = *list.BBtableView();
        table.setContentOffset({0, table.maximumContentOffset().y});
        driver.drag({160, 420}, {160, 220});
        waitIdle();
        EXPECT_EQ(sent("report_customerorders_query"), 0);
    }

    // Fills the screen of that query under the first account, and checks it once back.
    void fill(Query query) {
        switch (query) {
            case Query::Orders:
                return fillOrders();
            case Query::Deals:
                return fillDeals();
            case Query::Report:
                return fillReport();
        }
    }
    void check(Query query) {
        switch (query) {
            case Query::Orders:
                return checkOrders();
            case Query::Deals:
                return checkDeals();
            case Query::Report:
                return checkReport();
        }
    }

    QuickPanelLogin quickPanels{driver,
                                [this](const std::string& uuid) { return captchaCode(uuid); }};
    ViewController* screen = nullptr;
    std::set<std::string> firstAccountRows;
};

TEST_P(QueryAfterLoginElsewhere, showsTheAccountLoggedInNowOrNothing) {
    fill(GetParam());
    ASSERT_FALSE(HasFatalFailure());
    logInElsewhereAndComeBack();
    ASSERT_FALSE(HasFatalFailure());
    check(GetParam());
}

std::string queryName(const ::testing::TestParamInfo<Query>& info) {
    switch (info.param) {
        case Query::Orders:
            return "Orders";
        case Query::Deals:
            return "Deals";
        case Query::Report:
            return "Report";
    }
    return "";
}

INSTANTIATE_TEST_SUITE_P(QueryScreens, QueryAfterLoginElsewhere,
                         ::testing::Values(Query::Orders, Query::Deals, Query::Report), queryName);

}  // namespace
