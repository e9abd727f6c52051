#include <gtest/gtest.h>

#include "QuoteChartTest.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQMarketWMContent.h"
#include "chart/HQMarketWMManager.h"
#include "chart/VariableAboutDevice.h"
#include "market/VKJYCommodityTableView.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

namespace {

constexpr int kFenShiTag = HQMarketChartManager::kFenShiButtonTag;
constexpr int kKLineProtocol = 30;
constexpr int kPeriodsProtocol = 31;

// The quote screen of the first commodity, turned to the wide screen and back by its buttons.
class WideScreenTest : public QuoteChartTest, public ::testing::WithParamInterface<double> {
protected:
    WideScreenTest() : QuoteChartTest({320, GetParam()}) {}

    void SetUp() override { openQuoteChart(); }

    bool isLit(int tag) const {
        const Button* button = periodButton(tag);
        return button && button->isSelected();
    }

    void choosePeriod(int tag) {
        ASSERT_TRUE(driver.tap(periodButton(tag)));
        ASSERT_TRUE(driver.runUntil(
            [&] { return kLine() && !kLine()->coordinateKLineData().empty(); }, 30));
        driver.settle();
    }

    // A second period tap within a second of the first changes nothing, by design.
    void waitOutThePeriodLock() { driver.runFor(1.2); }

    // The chart view fills the chart area of the screen.
    bool showsWhole(HQDrawManager* view) const {
        if (!view || !driver.isVisible(view)) {
            return false;
        }
        const Rect shown = driver.visibleRect(view);
        return shown.width * shown.height >= 0.9 * view->bounds().width * view->bounds().height;
    }

    // Along the right edge of the time-sharing chart, a point shorter than it, all on screen.
    void expectSidePanelAtTheChartsEdge(double chartWidth) const {
        const HQMarketWMManager* panel = chart()->WMManager();
        ASSERT_NE(panel, nullptr);
        EXPECT_DOUBLE_EQ(fenShi()->frame().width, chartWidth);
        const Rect edge = fenShi()->bounds();
        EXPECT_EQ(panel->frame(), (Rect{edge.width - 100, 1, 100, edge.height - 1}));
        EXPECT_TRUE(driver.isVisible(panel));
        const Rect seen = driver.visibleRect(panel);
        EXPECT_DOUBLE_EQ(seen.width * seen.height, panel->bounds().width * panel->bounds().height);
    }

    std::string snapshot(const std::string& what) const {
        return snapshotPath("wide-" + what + "-" + std::to_string(static_cast<int>(GetParam())));
    }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Screens, WideScreenTest, ::testing::Values(568.0, 480.0),
                         [](const auto& info) { return std::to_string(int(info.param)); });

TEST_P(WideScreenTest, shouldChangeCommodityFromTheTitleAfterTheWideScreenClosed) {
    turnWide();
    turnBack();
    ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
    ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, 4}));
    EXPECT_EQ(screen->commodityNameButton()->currentTitle(), "铂金");
    EXPECT_TRUE(driver.runUntil(
        [&] { return !fenShi()->fenShiData().empty() && showsWhole(fenShi()); }, 20));

    // The wide screen built again names the new commodity.
    turnWide();
    ASSERT_NE(chart()->commodityTitleButton(), nullptr);
    EXPECT_EQ(chart()->commodityTitleButton()->currentTitle(), "铂金");
}

TEST_P(WideScreenTest, shouldShowTheKLineChartWhenAPeriodIsChosenAfterTheWideScreenClosed) {
    turnWide();
    choosePeriod(kFenShiTag + 1);
    turnBack();
    EXPECT_TRUE(showsWhole(kLine()));
    waitOutThePeriodLock();
    choosePeriod(kFenShiTag + 2);
    EXPECT_TRUE(isLit(kFenShiTag + 2));
    EXPECT_DOUBLE_EQ(kLine()->frame().x, 0);
    EXPECT_TRUE(showsWhole(kLine()));
    EXPECT_FALSE(driver.isVisible(fenShi()));
    EXPECT_TRUE(driver.saveSnapshot(snapshot("back-kline")));

    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    EXPECT_TRUE(driver.runUntil([&] { return showsWhole(fenShi()); }, 10));
    EXPECT_DOUBLE_EQ(fenShi()->frame().x, 0);
    EXPECT_FALSE(driver.isVisible(kLine()));
}

TEST_P(WideScreenTest, shouldKeepTheChosenPeriodLitWhenItIsTappedAgainInTheWideScreen) {
    turnWide();
    choosePeriod(kFenShiTag + 1);
    waitOutThePeriodLock();
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag + 1)));
    driver.settle();
    EXPECT_TRUE(isLit(kFenShiTag + 1));
    EXPECT_FALSE(isLit(kFenShiTag));
    EXPECT_TRUE(showsWhole(kLine()));
    EXPECT_TRUE(driver.saveSnapshot(snapshot("kline")));

    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    EXPECT_TRUE(driver.runUntil([&] { return showsWhole(fenShi()); }, 10));
    EXPECT_FALSE(driver.isVisible(kLine()));
    EXPECT_TRUE(isLit(kFenShiTag));
    EXPECT_EQ(chart()->variableAboutDevice()->typeOfHQ(), 0u);
}

// A K-line refresh answered 2003: the chart renews the session and asks for the periods again,
// which rebuilds the bar.
TEST_P(WideScreenTest, shouldKeepTheChosenPeriodLitWhenThePeriodBarIsBuiltAgain) {
    choosePeriod(kFenShiTag + 2);
    const int periodRequests = sim.quoteServer(0).requestCount(kPeriodsProtocol);
    sim.quoteServer(0).answerSessionLostOnce(kKLineProtocol);
    ASSERT_TRUE(driver.runUntil(
        [&] { return sim.quoteServer(0).requestCount(kPeriodsProtocol) > periodRequests; }, 20));
    ASSERT_TRUE(driver.runUntil([&] { return chart()->KLinePeriodNotEmpty(); }, 10));
    driver.settle();
    EXPECT_TRUE(isLit(kFenShiTag + 2));
    EXPECT_FALSE(isLit(kFenShiTag));
    EXPECT_TRUE(showsWhole(kLine()));
}

// A toast still up when the screen turns stays whole at the bottom of the turned chart. The toast
// lives three seconds on the test's clock: the turn is tapped on the turn of the loop that shows
// it, and checked before the loop runs again, so no load can let it go first.
TEST_P(WideScreenTest, shouldKeepAToastOfTheNormalScreenOnTheWideScreen) {
    choosePeriod(kFenShiTag + 1);
    waitOutThePeriodLock();
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    waitOutThePeriodLock();
    sim.quoteServer(0).malformNext(kKLineProtocol, SimMalform::CutBody);
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag + 1)));
    const View* message = nullptr;
    ASSERT_TRUE(driver.runUntil(
        [&] { return (message = driver.viewWithText("请求网络失败")) != nullptr; }, 20));
    const View* toast = message->superview();
    ASSERT_TRUE(driver.tap(screen->zhuanpingButton()));
    ASSERT_EQ(chart()->stateOfScreen(), 1u);
    ASSERT_EQ(driver.viewWithText("请求网络失败"), message);
    const Rect placed = toast->convertRect(toast->bounds(), nullptr);
    EXPECT_EQ(driver.visibleRect(toast), placed);
    EXPECT_TRUE(driver.saveSnapshot(snapshot("toast")));
}

// The status bar would cover the wide screen's left edge: the price labels and the first time.
TEST_P(WideScreenTest, shouldHideTheStatusBarOnlyWhileTheWideScreenShows) {
    EXPECT_FALSE(ShellTest::screen.isStatusBarHidden());
    turnWide();
    EXPECT_TRUE(ShellTest::screen.isStatusBarHidden());
    EXPECT_TRUE(driver.saveSnapshot(snapshot("fenshi")));
    turnBack();
    EXPECT_FALSE(ShellTest::screen.isStatusBarHidden());
}

// The directory writes the exchange's code "01"; the quote server numbers the market 1.
TEST_P(WideScreenTest, shouldNameTheExchangeOfTheCommodityInTheWideTopBar) {
    turnWide();
    ASSERT_NE(chart()->houseNameLabel(), nullptr);
    EXPECT_EQ(chart()->houseNameLabel()->text(), "华东现货");
    EXPECT_TRUE(driver.isVisible(chart()->houseNameLabel()));
    const Rect house = chart()->houseNameLabel()->frame();
    EXPECT_GT(house.width, 0);
    EXPECT_LE(house.maxX(), chart()->commodityTitleButton()->frame().x);
}

// A pick of another exchange's commodity renames the exchange beside the title, which moves along.
TEST_P(WideScreenTest, shouldNameThePickedCommoditysExchangeInTheWideTopBar) {
    turnWide();
    int west = 0;
    for (auto rows = chart()->getCommodityInfoArrayBySection(west);
         rows.empty() || rows.front()->CommodityName != "钯金(西部)";
         rows = chart()->getCommodityInfoArrayBySection(++west)) {
        ASSERT_LT(west, 10);
    }
    chart()->changeCommodityWithIndexPath(west, 0);
    const Label* house = chart()->houseNameLabel();
    EXPECT_EQ(chart()->commodityTitleButton()->currentTitle(), "钯金(西部)");
    EXPECT_EQ(house->text(), "西部商品");
    EXPECT_DOUBLE_EQ(chart()->commodityTitleButton()->frame().x, house->frame().maxX() + 20);
    EXPECT_TRUE(driver.saveSnapshot(snapshot("picked-west")));
}

// The lock keeps the period, yet the wide screen lays the K-line chart out again: the cross-hair
// goes and the bars are drawn anew.
TEST_P(WideScreenTest, shouldLayTheKLineChartOutAgainWhenAPeriodIsTappedWithinTheLock) {
    turnWide();
    choosePeriod(kFenShiTag + 1);
    waitOutThePeriodLock();
    // The period on show closes the lock again; no turn of the run loop opens it before the end.
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag + 1)));
    const auto& area = *layout().drawRectOfMain();
    driver.tapAt(
        kLine()->convertPointToWindow(Point{area.x + area.width / 2, area.y + area.height / 2}));
    ASSERT_TRUE(kLine()->showIndicatorCross());
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag + 2)));
    EXPECT_FALSE(kLine()->showIndicatorCross());
    EXPECT_TRUE(isLit(kFenShiTag + 1));
    EXPECT_FALSE(kLine()->coordinateKLineData().empty());
    EXPECT_TRUE(showsWhole(kLine()));
}

// The side panel ends at the screen's edge: the volumes end inside it.
TEST_P(WideScreenTest, shouldShowTheSidePanelsVolumesWholeInTheWideScreen) {
    turnWide();
    HQMarketWMManager* panel = chart()->WMManager();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return !panel->content().mingXiArray().empty(); }, 10));
    driver.settle();
    TableViewCell* cell = panel->mingXiTableView()->cellForRow({0, 0});
    ASSERT_NE(cell, nullptr);
    const View* volume = cell->contentView()->viewWithTag(3);
    ASSERT_FALSE(ScreenDriver::textOf(volume).empty());
    // The wide screen's right edge is the window's bottom.
    EXPECT_LE(volume->convertRect(volume->bounds(), nullptr).maxY(), GetParam() - 2);
    EXPECT_TRUE(driver.saveSnapshot(snapshot("side-panel")));
}

// The panel is laid out with its chart whichever screen the chart was hidden in.
TEST_P(WideScreenTest, shouldKeepTheSidePanelAtTheChartsRightEdgeThroughTurnsAndPeriodTaps) {
    choosePeriod(kFenShiTag + 1);
    turnWide();
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    ASSERT_TRUE(driver.runUntil([&] { return showsWhole(fenShi()); }, 10));
    expectSidePanelAtTheChartsEdge(GetParam());
    EXPECT_TRUE(driver.saveSnapshot(snapshot("side-panel-after-kline")));

    waitOutThePeriodLock();
    choosePeriod(kFenShiTag + 1);
    turnBack();
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    ASSERT_TRUE(driver.runUntil([&] { return showsWhole(fenShi()); }, 10));
    expectSidePanelAtTheChartsEdge(320);
    EXPECT_TRUE(driver.saveSnapshot(snapshot("back-side-panel-after-kline")));
}
