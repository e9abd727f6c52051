#include <gtest/gtest.h>

#include <set>

#include "AccountScreenTest.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/HttpClient.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Label.h"
#include "platform/ui/WebView.h"
#include "shell/VKJYCommonViewUtil.h"
#include "support/ScopedEnvironment.h"
#include "trade/account/PXJYGongGaoViewController.h"
#include "trade/common/PXTradeDatePanel.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/core/TradeText.h"

namespace {
constexpr int64_t kMinuteMs = 60000;
constexpr int kPublished = 45;

using Day = PXJYGongGaoViewController::Day;

// Announcements published on the exchange's today from its midnight, a minute apart, the last
// one with a script in its content.
class GongGaoTest : public AccountScreenTest {
protected:
    void SetUp() override {
        const DateFormat exchangeDay("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600));
        const double midnight = *exchangeDay.parse(exchangeDay.format(DateFormat::now()));
        const int64_t first = DateFormat::milliseconds(midnight);
        for (int i = 1; i <= kPublished; ++i) {
            const std::string html =
                i == kPublished ? "<p>保证金<b>调整</b></p><script>document.write('已执行')"
                                  "</script>"
                                : "<p>通知" + std::to_string(i) + "</p>";
            tradeServer().ledger().publishNotice("今日公告" + std::to_string(i), html,
                                                 first + i * kMinuteMs);
        }
        AccountScreenTest::SetUp();
        screen = open<PXJYGongGaoViewController>("PXJYGongGaoViewController");
        ASSERT_TRUE(screen);
    }

    // Steps the edited day back by one per tap on the picker's day column, above its middle.
    void stepBack(Day day, int days) {
        ASSERT_TRUE(driver.tap(screen->dateButton(day)));
        driver.settle();
        DatePicker* picker = screen->datePicker();
        const Rect column = picker->columnRect(2);
        const Point above{column.x + column.width / 2,
                          column.y + column.height / 2 - DatePicker::kRowHeight};
        for (int i = 0; i < days; ++i) {
            driver.tapAt(picker->convertPointToWindow(above));
            driver.settle();
        }
    }

    void query() {
        if (driver.isVisible(screen->basisView())) {
            ASSERT_TRUE(driver.tapText("隐藏"));
            driver.settle();
        }
        ASSERT_TRUE(driver.tapText("确  定"));
    }

    bool waitForRows(size_t count) {
        const bool shown = driver.runUntil([&] { return screen->dataList().size() == count; }, 10);
        EXPECT_TRUE(shown) << screen->dataList().size() << " rows; alert: " << alertMessage()
                           << "; queries sent: " << received("notice_list_query").size();
        return shown;
    }

    void pullUp() {
        LoadMoreTableView& table = *screen->listTableView();
        table.setContentOffset({0, table.maximumContentOffset().y});
        driver.drag({160, 420}, {160, 220});
    }

    std::string lastStartNum() {
        const auto lists = received("notice_list_query");
        return lists.empty() ? "" : reqValue(lists.back(), "STARTNUM");
    }

    PXJYGongGaoViewController* screen = nullptr;
};
}  // namespace

TEST_F(GongGaoTest, shouldPageThroughTheAnnouncementsAndShowOneWithoutRunningItsScript) {
    // West of UTC the exchange's early morning is the device's day before.
    ScopedEnvironment zone("TZ", "<-05>5");
    const std::string today = PXTradeQueryDay::dayText(PXTradeQueryDay::today());
    EXPECT_EQ(screen->dateButton(PXJYGongGaoViewController::kPublishedFrom)->currentTitle(), today);
    snapshot("announcement-form");
    stepBack(PXJYGongGaoViewController::kPublishedFrom, 2);
    snapshot("announcement-date-panel");
    const std::string start =
        screen->dateButton(PXJYGongGaoViewController::kPublishedFrom)->currentTitle();
    EXPECT_EQ(start, PXTradeQueryDay::dayText(DateFormat::addingDays(PXTradeQueryDay::today(), -2,
                                                                     DateFormat::Zone::gmt())));
    query();
    ASSERT_TRUE(waitForRows(20));
    const auto first = received("notice_list_query").at(0);
    EXPECT_EQ(reqValue(first, "STARTNUM"), "1");
    EXPECT_EQ(reqValue(first, "ST"), PXTradeQueryDay::requestTime(start));
    EXPECT_EQ(reqValue(first, "ET"), PXTradeQueryDay::requestTime(today));
    EXPECT_EQ(reqValue(first, "EFFECTIVE"), "1");
    EXPECT_EQ(reqValue(first, "EXPIRE_ST"), "0");
    EXPECT_EQ(reqValue(first, "TITLE"), "");
    driver.settle();
    EXPECT_EQ(screen->listView()->frame().x, 0);
    EXPECT_TRUE(driver.viewWithText("今日公告45")) << "newest first";
    EXPECT_TRUE(driver.viewWithText(today + " 00:45:00")) << "on the exchange's clock";
    snapshot("announcement-list");

    pullUp();
    ASSERT_TRUE(waitForRows(40));
    EXPECT_EQ(lastStartNum(), "21");
    pullUp();
    ASSERT_TRUE(waitForRows(45));
    EXPECT_EQ(lastStartNum(), "41");
    pullUp();
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(lastStartNum(), "46");
    EXPECT_EQ(alertMessage(), "记录未找到");
    answerAlert("确定");
    EXPECT_EQ(screen->dataList().size(), 45u);
    EXPECT_FALSE(screen->listTableView()->isLoadingMore());

    screen->listTableView()->setContentOffset({0, 0});
    ASSERT_TRUE(driver.tapRow(*screen->listTableView(), IndexPath{0, 0}));
    ASSERT_TRUE(driver.runUntil([&] { return screen->detailView()->frame().x == 0; }, 10));
    const auto content = received("notice_content_query");
    ASSERT_EQ(content.size(), 1u);
    EXPECT_EQ(reqValue(content[0], "NOTICE_ID"), TradeText::textAt(screen->dataList()[0], "ID"));
    EXPECT_EQ(reqValue(content[0], "EFFECTIVE"), "1");
    const std::string text = screen->webView()->plainText();
    EXPECT_NE(text.find("保证金调整"), std::string::npos) << text;
    EXPECT_EQ(text.find("已执行"), std::string::npos) << "the script is neither run nor shown";
    EXPECT_EQ(text.find("document"), std::string::npos);
    EXPECT_TRUE(driver.viewWithText("公告主题:  今日公告45"));
    snapshot("announcement-detail");

    // The panels' own back areas slide them away; the screen stays.
    driver.tapAt({35, 42});
    driver.settle();
    EXPECT_EQ(screen->detailView()->frame().x, 320);
    driver.tapAt({35, 42});
    driver.settle();
    EXPECT_EQ(screen->listView()->frame().x, 320);
    EXPECT_EQ(topScreen(), screen);
}

TEST_F(GongGaoTest, shouldEmptyTheListBeforeANewQueryIsCheckedOrSent) {
    stepBack(PXJYGongGaoViewController::kPublishedFrom, 1);
    query();
    ASSERT_TRUE(waitForRows(20));
    driver.tapAt({35, 42});
    driver.settle();

    // The server refuses the new query: the rows of the last one are gone all the same.
    tradeServer().answerCodeNext(-9, "notice_list_query");
    query();
    ASSERT_TRUE(waitForAlert());
    EXPECT_FALSE(alertMessage().empty());
    answerAlert("确定");
    EXPECT_TRUE(screen->dataList().empty());
    EXPECT_EQ(screen->listTableView()->numberOfRows(0), 0);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);

    // An end before the start is refused on the phone, after the list was emptied.
    query();
    ASSERT_TRUE(waitForRows(20));
    driver.tapAt({35, 42});
    driver.settle();
    const size_t sent = received("notice_list_query").size();
    stepBack(PXJYGongGaoViewController::kPublishedTo, 3);
    query();
    EXPECT_EQ(alertMessage(), "开始日期不能在结束日期之后");
    answerAlert("确定");
    EXPECT_EQ(received("notice_list_query").size(), sent);
    EXPECT_TRUE(screen->dataList().empty());
    EXPECT_EQ(screen->listTableView()->numberOfRows(0), 0);

    // Expired announcements: the expiry row shows and both ranges travel.
    ASSERT_TRUE(driver.tapText("过期公告"));
    driver.settle();
    snapshot("announcement-expired-form");
    query();
    ASSERT_TRUE(driver.runUntil([&] { return received("notice_list_query").size() > sent; }, 10));
    const auto last = received("notice_list_query").back();
    EXPECT_EQ(reqValue(last, "EFFECTIVE"), "2");
    EXPECT_EQ(reqValue(last, "EXPIRE_ST"),
              PXTradeQueryDay::requestTime(PXTradeQueryDay::dayText(PXTradeQueryDay::today())));
}

// A page asked for before a new query was made is not added to the new query's list. The lines
// hold every answer back, so the old page is still on its way when the new query goes out.
TEST_F(GongGaoTest, shouldCountOnlyThePagesOfTheLatestQuery) {
    query();
    ASSERT_TRUE(waitForRows(20));
    line(0).setDelayMs(400);
    line(1).setDelayMs(400);
    pullUp();
    ASSERT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    // The overlay takes every touch while the page travels: the screen's own operations stand in
    // for the panel's back and the form's button.
    screen->ListViewbackAction();
    driver.settle();
    screen->doneButtonAction();
    // Both requests were answered once the simulator has both.
    ASSERT_TRUE(driver.runUntil([&] { return received("notice_list_query").size() == 3; }, 5));
    std::multiset<std::string> starts;
    for (const auto& request : received("notice_list_query")) {
        starts.insert(reqValue(request, "STARTNUM"));
    }
    EXPECT_EQ(starts, (std::multiset<std::string>{"1", "1", "21"}));
    ASSERT_TRUE(driver.runUntil([] { return HttpClient::exchangesInFlight() == 0; }, 5));
    driver.settle();
    EXPECT_EQ(screen->dataList().size(), 20u) << "the old query's page joined the list";
    EXPECT_EQ(TradeText::textAt(screen->dataList().front(), "TITLE"), "今日公告45");
    EXPECT_EQ(screen->listView()->frame().x, 0);
    pullUp();
    ASSERT_TRUE(waitForRows(40));
    EXPECT_EQ(lastStartNum(), "21");
}

// A row's content asked for while a page travels (the two share the busy overlay): the content
// failing leaves the overlay up until the page is in.
TEST_F(GongGaoTest, shouldKeepTheOverlayWhileAPageTravelsAfterTheContentFailed) {
    query();
    ASSERT_TRUE(waitForRows(20));
    tradeServer().holdReplies("notice_list_query");
    pullUp();
    ASSERT_TRUE(driver.runUntil([&] { return received("notice_list_query").size() == 2; }, 5));
    tradeServer().answerCodeNext(-1, "notice_content_query");
    screen->didSelectRow(*screen->listTableView(), IndexPath{0, 0});
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "模拟错误");
    answerAlert("确定");
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the page is still on its way";
    screen->listTableView()->setContentOffset({0, 0});
    driver.tapRow(*screen->listTableView(), IndexPath{0, 0});
    EXPECT_FALSE(driver.runFor(1, [&] { return received("notice_content_query").size() > 1; }));

    tradeServer().releaseReplies("notice_list_query");
    ASSERT_TRUE(waitForRows(40));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(screen->detailView()->frame().x, 320);
}

namespace {
// The announcement form on the 4-inch and the 3.5-inch phone.
struct PanelCase {
    double screenHeight;
    double raisedY;
};

class GongGaoDatePanelTest : public AccountScreenTest,
                             public ::testing::WithParamInterface<PanelCase> {
protected:
    GongGaoDatePanelTest() : AccountScreenTest({320, GetParam().screenHeight}) {
        snapshotSuffix = "-" + std::to_string(static_cast<int>(GetParam().screenHeight));
    }
};
}  // namespace

// The funds history's panel: 194 high, parked below the screen, raised to the application
// view's height - 194 - 50; its picker, which hangs below it, steps at each of its corners.
TEST_P(GongGaoDatePanelTest, shouldRaiseTheSharedDatePanelWhosePickerTakesTouchesEverywhere) {
    auto* screen = open<PXJYGongGaoViewController>("PXJYGongGaoViewController");
    ASSERT_TRUE(screen);
    View* panel = screen->basisView();
    EXPECT_EQ(panel->frame(), Rect(0, GetParam().screenHeight, 320, 194));
    ASSERT_TRUE(driver.tap(screen->dateButton(Day::kPublishedFrom)));
    driver.settle();
    EXPECT_EQ(panel->frame(), Rect(0, GetParam().raisedY, 320, 194));
    snapshot("announcement-shared-date-panel");

    DatePicker* picker = screen->datePicker();
    const Rect area = picker->convertRect(picker->bounds(), nullptr);
    const double inset = 4;
    const Point corners[] = {{area.x + inset, area.y + inset},
                             {area.maxX() - inset, area.y + inset},
                             {area.x + inset, area.maxY() - inset},
                             {area.maxX() - inset, area.maxY() - inset}};
    for (const Point& corner : corners) {
        const double before = picker->date();
        driver.tapAt(corner);
        driver.settle();
        EXPECT_NE(picker->date(), before) << "(" << corner.x << ", " << corner.y << ")";
    }
    EXPECT_EQ(screen->dateButton(Day::kPublishedFrom)->currentTitle(),
              PXTradeQueryDay::dayText(picker->date()));
}

INSTANTIATE_TEST_SUITE_P(Phones, GongGaoDatePanelTest,
                         ::testing::Values(PanelCase{568, 548 - 194 - 50},
                                           PanelCase{480, 460 - 194 - 50}),
                         [](const ::testing::TestParamInfo<PanelCase>& info) {
                             return "height" + std::to_string(int(info.param.screenHeight));
                         });
