#include <gtest/gtest.h>

#include <set>

#include "QueryScreenTest.h"
#include "platform/ui/Button.h"
#include "platform/ui/TabBarController.h"
#include "shell/VKJYTabBarHelper.h"
#include "trade/close/PXJYChengJiaoShowList.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/query/PXJYChaXunViewController.h"
#include "trade/query/PXJYChengJiaoDetailView.h"
#include "trade/query/PXJYChengJiaoListView.h"
#include "trade/query/PXJYChengJiaoViewController.h"
#include "widgets/LoadMoreTableView.h"

namespace {
using Filter = PXJYChengJiaoFilter;

class DealQueryTest : public QueryScreenTest {
protected:
    PXJYChengJiaoViewController* openDeals() {
        auto* menu = openMenu();
        return menu ? openRowAs<PXJYChengJiaoViewController>(*menu, 1) : nullptr;
    }

    // The query button's left end: an open list covers its middle.
    bool query(PXJYChengJiaoViewController&) {
        driver.tapAt({30, 301});
        return waitIdle();
    }

    // A filter button's right end, which an open list leaves uncovered.
    bool tapFilter(PXJYChengJiaoViewController& screen, Filter::Which which) {
        const Rect frame = screen.filterButton(which)->frame();
        driver.tapAt({frame.x + frame.width - 10, frame.y + frame.height / 2});
        driver.settle();
        return true;
    }

    void pullUp(PXJYChengJiaoViewController& screen) {
        LoadMoreTableView& table = *screen.listView()->listView();
        table.setContentOffset({0, table.maximumContentOffset().y});
        driver.drag({160, 420}, {160, 220});
        waitIdle();
    }

    // Opens a filter's list and taps the row showing that text.
    void choose(PXJYChengJiaoViewController& screen, Filter::Which which, const std::string& row) {
        tapFilter(screen, which);
        const auto rows = screen.filter().rowTexts(tradeModule().PXJYData().shangPinXinXi());
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] == row) {
                ASSERT_TRUE(driver.tapRow(*screen.pickerView(), IndexPath{0, int(i)}));
                driver.settle();
                return;
            }
        }
        ADD_FAILURE() << "no row " << row;
    }

    std::string commodityName(const std::string& code) {
        return tradeModule().PXJYData().shangPinXinXi().at(code)->commodityName;
    }

    bool listShown(PXJYChengJiaoViewController& screen) {
        return screen.listView()->frame().x == 0;
    }
};

}  // namespace

TEST_F(DealQueryTest, shouldPageByTenUntilAnEmptyPage) {
    const std::string code = quoteModeCommodity();
    makeDeals(code, 35);
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(query(*screen));
    EXPECT_TRUE(listShown(*screen));
    EXPECT_EQ(screen->listView()->dataList().size(), 10u);
    snapshot("deals-list-568");
    std::vector<std::string> expected = {"1"};
    for (size_t shown = 10; screen->listView()->dataList().size() == shown && shown < 100;
         shown += 10) {
        pullUp(*screen);
        expected.push_back(std::to_string(shown + 1));
    }
    const size_t all = screen->listView()->dataList().size();
    EXPECT_GE(all, 35u);
    // Past the end: the empty page alerts and the list stays, ready for another pull.
    pullUp(*screen);
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), PXJYChengJiaoViewController::kNoRecord);
    answerAlert();
    EXPECT_EQ(screen->listView()->dataList().size(), all);
    EXPECT_FALSE(screen->listView()->listView()->isLoadingMore());

    // Pages of ten: 1, 11, 21, 31 ..., then the row after the last for the empty page.
    expected.push_back(std::to_string(all + 1));
    EXPECT_EQ(sentValues("tradequery", "STARTNUM"), expected);
    EXPECT_EQ(screen->startNum(), std::to_string(all + 1));
}

TEST_F(DealQueryTest, shouldSendWhatTheFilterButtonsShow) {
    const std::string code = quoteModeCommodity();
    makeDeals(code, 3, "2");
    auto* screen = openDeals();
    ASSERT_TRUE(screen);

    // Opening the commodity list and querying without a choice queries everything.
    tapFilter(*screen, Filter::kCommodity);
    EXPECT_EQ(screen->pickerView()->alpha(), 1);
    snapshot("deals-filter-568");
    ASSERT_TRUE(query(*screen));
    EXPECT_EQ(screen->pickerView()->alpha(), 0);
    EXPECT_EQ(lastRequest("tradequery").value("COMMODITY_ID", "?"), "");
    EXPECT_EQ(screen->filterButton(Filter::kCommodity)->title(), Filter::kAll);

    screen->listView()->VKJYNavBackAction();
    driver.settle();
    choose(*screen, Filter::kCommodity, commodityName(code));
    choose(*screen, Filter::kSettle, "摘牌");
    choose(*screen, Filter::kSide, "售出");
    EXPECT_EQ(screen->filterButton(Filter::kCommodity)->title(), commodityName(code));
    EXPECT_EQ(screen->filterButton(Filter::kSide)->title(), "售出");
    ASSERT_TRUE(query(*screen));
    JYDict req = lastRequest("tradequery");
    EXPECT_EQ(req.value("COMMODITY_ID", ""), code);
    EXPECT_EQ(req.value("OR_OC", ""), "1");
    EXPECT_EQ(req.value("BUY_SELL", ""), "2");
    EXPECT_EQ(req.value("STARTNUM", ""), "1");
    ASSERT_EQ(screen->listView()->dataList().size(), 3u);
    for (const JYDict& deal : screen->listView()->dataList()) {
        EXPECT_EQ(deal.value("TY", ""), "售出");
        EXPECT_EQ(deal.value("CO_I", ""), code);
    }

    // Row 0 clears the filter again.
    screen->listView()->VKJYNavBackAction();
    driver.settle();
    choose(*screen, Filter::kSide, Filter::kAll);
    ASSERT_TRUE(query(*screen));
    EXPECT_EQ(lastRequest("tradequery").value("BUY_SELL", "?"), "");
}

TEST_F(DealQueryTest, shouldCloseTheListOnASecondTapAndMoveItToAnotherFilter) {
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    tapFilter(*screen, Filter::kCommodity);
    const double commodityY = screen->pickerView()->frame().y;
    tapFilter(*screen, Filter::kSide);
    EXPECT_EQ(screen->filter().serving(), Filter::kSide);
    EXPECT_EQ(screen->pickerView()->frame().y, commodityY + 100);
    EXPECT_EQ(screen->pickerView()->numberOfRows(0), 3);
    tapFilter(*screen, Filter::kCommodity);
    EXPECT_EQ(screen->pickerView()->alpha(), 0);
}

TEST_F(DealQueryTest, shouldLeaveNoClosedListStandingWhenTheUserComesBackFromAnotherTab) {
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    tapFilter(*screen, Filter::kSide);
    delegate->tabBarHelper().tabBarController()->setSelectedIndex(0);
    driver.settle();
    tradeNavigation();
    EXPECT_EQ(screen->pickerView()->alpha(), 0) << "the screen counts the list as closed";
    choose(*screen, Filter::kSide, "购入");
    EXPECT_EQ(screen->filterButton(Filter::kSide)->title(), "购入");
    snapshot("deals-filter-after-another-tab-568");
    ASSERT_TRUE(query(*screen));
    EXPECT_EQ(lastRequest("tradequery").value("BUY_SELL", "?"), "1");
}

TEST_F(DealQueryTest, shouldKeepThePageOnAFailedPullAndRetryIt) {
    makeDeals(quoteModeCommodity(), 25);
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(query(*screen));
    const std::string next = screen->startNum();
    tradeServer().answerCodeNext(-1, "tradequery");
    pullUp(*screen);
    ASSERT_TRUE(waitAlert());
    answerAlert();
    EXPECT_FALSE(screen->listView()->listView()->isLoadingMore());
    EXPECT_EQ(screen->startNum(), next);
    pullUp(*screen);
    const auto starts = sentValues("tradequery", "STARTNUM");
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[1], next);
    EXPECT_EQ(starts[2], next);
}

// On a slow line a second query, or a query after a pull, is sent before the first reply: only
// the newest request's reply fills the list.
struct OverlappingQueries {
    const char* name;
    bool pullFirst;
};

// Names the case in test listings instead of its raw bytes, which hold a pointer.
void PrintTo(const OverlappingQueries& c, std::ostream* os) {
    *os << c.name;
}

class DealQueryOverlapTest : public DealQueryTest,
                             public ::testing::WithParamInterface<OverlappingQueries> {};

TEST_P(DealQueryOverlapTest, shouldListOnlyTheNewestQuerysPage) {
    makeDeals(quoteModeCommodity(), 25);
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(query(*screen));
    ASSERT_EQ(screen->listView()->dataList().size(), 10u);
    tradeServer().clearReceived();
    tradeServer().holdReplies("tradequery");
    if (GetParam().pullFirst) {
        screen->loadMoreDataToTable();
    } else {
        screen->doCheck();
    }
    screen->doCheck();
    ASSERT_TRUE(
        driver.runUntil([&] { return sentValues("tradequery", "STARTNUM").size() == 2; }, 5));
    tradeServer().releaseReplies("tradequery");
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(driver.runFor(1, [&] { return screen->listView()->dataList().size() != 10; }));
    std::set<std::string> distinct;
    for (const auto& record : screen->listView()->dataList()) {
        distinct.insert(record.dump());
    }
    EXPECT_EQ(distinct.size(), 10u);
    EXPECT_EQ(screen->startNum(), "11");
}

INSTANTIATE_TEST_SUITE_P(Overlaps, DealQueryOverlapTest,
                         ::testing::Values(OverlappingQueries{"twoQueries", false},
                                           OverlappingQueries{"pullThenQuery", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DealQueryTest, shouldAlertAndStayOnTheFormWhenNothingMatches) {
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    choose(*screen, Filter::kSide, "售出");
    ASSERT_TRUE(query(*screen));
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), PXJYChengJiaoViewController::kNoRecord);
    EXPECT_FALSE(listShown(*screen));
}

TEST_F(DealQueryTest, shouldShowDashesForWhatACardRecordLacks) {
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    JYDict deal = {{"TR_N", "7"},   {"QTY", "2"},        {"SE_F", "转让"}, {"TY", "售出"},
                   {"PR", "10.00"}, {"LIQPL", "-12.50"}, {"CO_I", "NOPE"}};
    const auto values = screen->listView()->cardValues(deal);
    const std::vector<std::string> expected = {"7",    " ",    "--",    "2",
                                               "转让", "售出", "10.00", "-12.50"};
    EXPECT_EQ(values, expected);
    deal.erase("TY");
    EXPECT_EQ(screen->listView()->cardValues(deal)[5], "--");
}

TEST_F(DealQueryTest, shouldShowOneDealInTheDetailPanelBuiltOnce) {
    const std::string code = quoteModeCommodity();
    makeDeals(code, 2);
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(query(*screen));
    const size_t subviews = screen->detailView()->subviews().size();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(driver.tapRow(*screen->listView()->listView(), IndexPath{0, 0}));
        driver.settle();
        EXPECT_EQ(screen->detailView()->frame().x, 0);
        EXPECT_EQ(screen->detailView()->subviews().size(), subviews);
        const auto& values = screen->detailView()->showList()->dataArray();
        ASSERT_EQ(values.size(), 12u);
        const JYDict& deal = screen->listView()->dataList().at(0);
        EXPECT_EQ(values[0], deal.value("TR_N", ""));
        EXPECT_EQ(values[1], commodityName(code));
        // The simulator's market deals have no counterparty.
        EXPECT_EQ(values[10], "--");
        EXPECT_EQ(values[11].size(), std::string("2026-12-04 14:30:00").size());
        snapshot("deals-detail-568");
        screen->detailView()->VKJYNavBackAction();
        driver.settle();
        EXPECT_EQ(screen->detailView()->frame().x, 320);
    }
    // A counterparty shows its first three characters, whole ones.
    JYDict deal = screen->listView()->dataList().at(0);
    deal["FI_I"] = "甲乙丙丁";
    screen->detailView()->getDetailView(deal);
    EXPECT_EQ(screen->detailView()->showList()->dataArray().at(10), "甲乙丙");
    deal["FI_I"] = "AB";
    screen->detailView()->getDetailView(deal);
    EXPECT_EQ(screen->detailView()->showList()->dataArray().at(10), "AB");
}

// Another account logs on while the form is on show: a query made then is that account's, and
// its next page goes for it, with no word of an account change.
TEST_F(DealQueryTest, shouldPageOnAQueryMadeAfterALogonWhileOnShow) {
    const std::string other = "100000000000003";
    for (int i = 0; i < 11; ++i) {
        ASSERT_EQ(tradeServer().ledger().orderElsewhere(other, "AG", 1, 1).value("retcode", -1), 0);
    }
    auto* screen = openDeals();
    ASSERT_TRUE(screen);
    TradeSessionAccount who;
    who.account = other;
    ASSERT_TRUE(logIn(who));
    ASSERT_TRUE(query(*screen));
    ASSERT_EQ(screen->listView()->dataList().size(), 10u);
    pullUp(*screen);
    EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
    EXPECT_EQ(screen->listView()->dataList().size(), 11u);
    EXPECT_EQ(sentValues("tradequery", "STARTNUM"), (std::vector<std::string>{"1", "11"}));
    EXPECT_EQ(sentValues("tradequery", "USER_ID"), (std::vector<std::string>{other, other}));
}
