#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "QuoteChartTest.h"
#include "chart/ChartTouch.h"
#include "chart/CurrentShowDataLayerInfo.h"
#include "chart/HQBackGroundView.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQRefreshControl.h"
#include "chart/IndicatorCrossClass.h"
#include "chart/VariableAboutDevice.h"
#include "market/VKJYCommodityTableView.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketContext.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SwipeGestureRecognizer.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "quote/QuoteRecords.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/MotionTween.h"

namespace {

constexpr int kKLineProtocol = 30;
constexpr int kFenShiTag = HQMarketChartManager::kFenShiButtonTag;

// The quote screen of the first commodity with its chart drawn, driven by touches.
class ChartGestureTest : public QuoteChartTest, public ::testing::WithParamInterface<double> {
protected:
    ChartGestureTest() : QuoteChartTest({320, GetParam()}) {}

    void SetUp() override {
        openQuoteChart();
        ASSERT_TRUE(driver.runUntil([&] { return chart()->FenShiRefresh() != nullptr; }, 10));
    }

    std::shared_ptr<PeriodStatusInfo> period() const { return chart()->searchPeriodStatusInfo(); }

    // The plotting area of the chart on show, at a share of its width and height.
    Point inArea(HQDrawManager* view, double across, double down = 0.5) const {
        const auto& area = *layout().drawRectOfMain();
        return view->convertPointToWindow(
            Point{area.x + area.width * across, area.y + area.height * down});
    }

    Point shifted(HQDrawManager* view, Point window, double dx) const {
        const Point at = view->convertPointFromWindow(window);
        return view->convertPointToWindow(Point{at.x + dx, at.y});
    }

    int minuteAt(Point window) const {
        const auto& area = *layout().drawRectOfMain();
        std::vector<double> pointXs;
        for (const auto& item : fenShi()->fenShiData()) {
            pointXs.push_back(item->fenshiPoint->x);
        }
        return charttouch::fenShiRecordAt(fenShi()->convertPointFromWindow(window).x, pointXs,
                                          area.x, area.width);
    }

    int barAt(Point window) const {
        const auto& columns = *layout().drawInfoOfMain();
        const int column = charttouch::klineColumnAt(kLine()->convertPointFromWindow(window).x,
                                                     columns.firstPointX, columns.ColumnInterval);
        return charttouch::clampIndex(column,
                                      static_cast<int>(kLine()->coordinateKLineData().size()));
    }

    void openFirstPeriod() {
        ASSERT_TRUE(driver.tap(periodButton(kFenShiTag + 1)));
        ASSERT_TRUE(driver.runUntil(
            [&] { return !kLine()->coordinateKLineData().empty() && chart()->KLineRefresh(); },
            30));
    }

    // One move of a finger across the K-line chart, dx points along its time axis.
    void dragKLine(double dx, bool cancelled = false) {
        const Point from = inArea(kLine(), 0.5);
        const Point to = shifted(kLine(), from, dx);
        cancelled ? driver.dragAndCancel(from, to, 1, 0.4) : driver.drag(from, to, 1, 0.4);
    }

    void scrollTo(int offset) {
        period()->offset = offset;
        kLine()->resetLayersData();
    }

    std::string snapshot(const std::string& what) const {
        return snapshotPath("chart-" + what + "-" + std::to_string(static_cast<int>(GetParam())));
    }
};

}  // namespace

TEST_P(ChartGestureTest, shouldSwitchChartsByThePeriodBarAndIndicatorsBySwipes) {
    EXPECT_NE(chart()->swipeLeft(), nullptr);
    // A server that names no interval gets a refresh every 10 s.
    auto protocol = VKJYHangQingDataClass::current()->severProtocol();
    protocol.requestDataTime = 0;
    VKJYHangQingDataClass::current()->setSeverProtocol(protocol);
    openFirstPeriod();
    EXPECT_DOUBLE_EQ(chart()->KLineRefresh()->timer()->timeInterval(), 10);
    EXPECT_EQ(layout().typeOfHQ(), 1u);
    EXPECT_EQ(chart()->FenShiRefresh(), nullptr);
    EXPECT_DOUBLE_EQ(kLine()->frame().x, 0);
    EXPECT_DOUBLE_EQ(fenShi()->frame().x, -320);
    EXPECT_NE(chart()->swipeRight(), nullptr);

    const Point middle = inArea(kLine(), 0.6);
    driver.swipe(middle, {middle.x - 120, middle.y});
    auto& status = *layout().statusSaveClass();
    EXPECT_TRUE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    EXPECT_FALSE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    EXPECT_TRUE(kLine()->DrawBackgroundView()->isKDJ());
    EXPECT_FALSE(kLine()->showIndicatorCross());
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("kline-kdj")));
    driver.swipe({middle.x - 120, middle.y}, middle);
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    EXPECT_FALSE(kLine()->DrawBackgroundView()->isKDJ());
    // With the cross-hair shown a swipe only moves it.
    driver.tapAt(middle);
    ASSERT_TRUE(kLine()->showIndicatorCross());
    EXPECT_EQ(chart()->swipeRight(), nullptr);
    driver.swipe(middle, {middle.x - 120, middle.y});
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    EXPECT_TRUE(kLine()->showIndicatorCross());
    driver.tapAt(middle);
    EXPECT_FALSE(kLine()->showIndicatorCross());
    EXPECT_NE(chart()->swipeRight(), nullptr);

    // The normal screen does not scroll.
    dragKLine(20);
    EXPECT_EQ(period()->offset, 0);

    // The chart that goes takes its cross-hair with it: it stops no swipe of the one on show.
    driver.tapAt(middle);
    ASSERT_TRUE(kLine()->showIndicatorCross());
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    EXPECT_EQ(layout().typeOfHQ(), 0u);
    EXPECT_EQ(chart()->KLineRefresh(), nullptr);
    EXPECT_DOUBLE_EQ(fenShi()->frame().x, 0);
    EXPECT_TRUE(driver.isVisible(fenShi()));
    EXPECT_TRUE(driver.runUntil([&] { return chart()->FenShiRefresh() != nullptr; }, 20));
    const Point onFenShi = inArea(fenShi(), 0.6);
    driver.swipe(onFenShi, {onFenShi.x - 120, onFenShi.y});
    ASSERT_TRUE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    driver.swipe({onFenShi.x - 120, onFenShi.y}, onFenShi);
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);

    // Another commodity leaves the K-line chart without bars; a swipe choosing its indicator
    // keeps the time-sharing header's figures.
    const std::string left = chart()->selectedCommodityInfo()->CommodityName;
    ASSERT_TRUE(driver.tap(screen->commodityNameButton()));
    ASSERT_TRUE(driver.tapRow(*screen->commodityListTableView()->ComTableView(), {0, 1}));
    ASSERT_NE(chart()->selectedCommodityInfo()->CommodityName, left);
    const auto& minutes = fenShi()->FenShiDataItemArray();
    const auto headerTexts = [&] {
        std::vector<std::string> texts;
        for (const auto& item : layout().currentShowDataLayerInfo()->MainCurrentDataItemArray) {
            texts.push_back(item->dataString);
        }
        return texts;
    };
    ASSERT_TRUE(driver.runUntil(
        [&] {
            return !minutes.empty() &&
                   minutes.back()->commodityTag == chart()->selectedCommodityInfo()->CommodityID &&
                   headerTexts().at(1) != "--";
        },
        20));
    ASSERT_TRUE(kLine()->coordinateKLineData().empty());
    const auto shown = headerTexts();
    driver.swipe(onFenShi, {onFenShi.x - 120, onFenShi.y});
    EXPECT_TRUE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    EXPECT_EQ(headerTexts(), shown);
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("fenshi-header-after-swipe")));
}

// KDJ chosen on the time-sharing chart, before any K-line chart was built.
TEST_P(ChartGestureTest, shouldDrawTheKDJGridOnAKLineChartBuiltAfterKDJWasChosen) {
    ASSERT_EQ(kLine(), nullptr);
    const Point onFenShi = inArea(fenShi(), 0.6);
    driver.swipe(onFenShi, {onFenShi.x - 120, onFenShi.y});
    ASSERT_TRUE(layout().statusSaveClass()->iphoneKLineZhiBiaoKDJButtonSelected);
    openFirstPeriod();
    EXPECT_TRUE(kLine()->DrawBackgroundView()->isKDJ());
    driver.settle();
    // The dotted line under the indicator area's top line: grey dashes, lighter than the
    // background a few points above, across the chart.
    const QImage image = ShellTest::screen.renderImage();
    const double scale = ShellTest::screen.scale();
    const float y = layout().coordinateSystemInfoOfSecondaryOne()->lineY(1);
    int dashed = 0;
    for (double x = 0; x < kLine()->frame().width; x += 1) {
        const Point at = kLine()->convertPointToWindow(Point{x, y});
        const QColor on = image.pixelColor(int(at.x * scale), int(at.y * scale));
        const QColor above = image.pixelColor(int(at.x * scale), int((at.y - 3) * scale));
        dashed += on.red() == on.blue() && on.lightness() > above.lightness() + 10;
    }
    EXPECT_GT(dashed, kLine()->frame().width / 4);
    EXPECT_TRUE(driver.saveSnapshot(snapshot("kline-kdj-chosen-first")));
}

TEST_P(ChartGestureTest, shouldShowMoveAndHideTheCrossHairByTapsAndDrags) {
    const Point first = inArea(fenShi(), 0.2);
    driver.tapAt(first);
    ASSERT_TRUE(fenShi()->showIndicatorCross());
    EXPECT_EQ(fenShi()->indicatorCrossPointNum(), minuteAt(first));
    const auto& shown = fenShi()->fenShiData()[fenShi()->indicatorCrossPointNum()]->fenshiPoint;
    EXPECT_EQ(layout().indicatorCrossData()->IndicatorCrossPoint, (Point{shown->x, shown->y}));
    EXPECT_EQ(chart()->swipeLeft(), nullptr);
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("crosshair-fenshi")));

    const Point second = shifted(fenShi(), first, 40);
    driver.drag(first, second, 4, 0.5);
    EXPECT_TRUE(fenShi()->showIndicatorCross());
    EXPECT_EQ(fenShi()->indicatorCrossPointNum(), minuteAt(second));
    EXPECT_GT(minuteAt(second), minuteAt(first));

    // A touch the system takes away leaves the cross-hair where it was.
    driver.dragAndCancel(second, shifted(fenShi(), second, 60), 4, 0.5);
    EXPECT_TRUE(fenShi()->showIndicatorCross());
    EXPECT_EQ(fenShi()->indicatorCrossPointNum(), minuteAt(second));
    const auto& kept = fenShi()->fenShiData()[minuteAt(second)]->fenshiPoint;
    EXPECT_EQ(layout().indicatorCrossData()->IndicatorCrossPoint, (Point{kept->x, kept->y}));

    struct Touch {
        double seconds;
        double moved;
        bool toggles;
    };
    for (const Touch& t : {Touch{0.31, 0, false}, Touch{0.3, 6, false}, Touch{0.3, 5, true}}) {
        const bool before = fenShi()->showIndicatorCross();
        driver.drag(second, shifted(fenShi(), second, t.moved), 1, t.seconds);
        EXPECT_EQ(fenShi()->showIndicatorCross() != before, t.toggles)
            << t.seconds << " " << t.moved;
    }
    EXPECT_FALSE(fenShi()->showIndicatorCross());
    EXPECT_NE(chart()->swipeLeft(), nullptr);

    // Below the plotting area: nothing.
    driver.tapAt(inArea(fenShi(), 0.5, 1.05));
    EXPECT_FALSE(fenShi()->showIndicatorCross());
    // Left of the first minute: the first minute.
    driver.tapAt(inArea(fenShi(), 0));
    EXPECT_TRUE(fenShi()->showIndicatorCross());
    EXPECT_EQ(fenShi()->indicatorCrossPointNum(), 0);
}

// 红木 rests from 11:30 to 13:30 and its panel opens at midnight: a finger over 14:00 marks
// 14:00, and the cross-hair slid on over the break marks the morning's last minute.
TEST_P(ChartGestureTest, shouldMarkTheMinuteUnderTheFingerOnADayWithAMiddayBreak) {
    market()->navigationController()->popToRootViewController(false);
    screen = openQuoteScreen(5, 0);
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->SelectedCommodityInfo()->CommodityName, "红木");
    // From midnight to 14:30 but the break.
    ASSERT_TRUE(driver.runUntil([&] { return fenShi()->fenShiData().size() >= 751; }, 20));
    const auto over = [&](int minute) { return inArea(fenShi(), (minute + 0.25) / 1440); };
    const auto& header = layout().currentShowDataLayerInfo()->MainCurrentDataItemArray;
    driver.tapAt(over(14 * 60));
    ASSERT_TRUE(fenShi()->showIndicatorCross());
    EXPECT_EQ(header[0]->dataString, "14:00");
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("crosshair-fenshi-break")));
    driver.drag(over(14 * 60), over(12 * 60), 4, 0.5);
    EXPECT_EQ(header[0]->dataString, "11:29");
}

TEST_P(ChartGestureTest, shouldZoomScrollAndPointAtBarsInTheWideScreen) {
    turnWide();
    openFirstPeriod();
    EXPECT_EQ(chart()->swipeLeft(), nullptr);
    EXPECT_EQ(chart()->swipeRight(), nullptr);
    // Bars hidden at the right when the oldest bar is on screen.
    const auto oldest = [&] {
        const auto bars = period()->KLineDataArray.front()->klineDataItemsArray.size();
        return static_cast<int>(bars) - static_cast<int>(layout().drawInfoOfMain()->pointCount);
    };
    ASSERT_GT(oldest(), 100);
    ASSERT_EQ(period()->grade, 1u);

    // Leaving the newest bar stops the refresh, coming back asks at once and restarts it.
    dragKLine(20);
    EXPECT_EQ(period()->offset, 3);
    EXPECT_EQ(chart()->KLineRefresh(), nullptr);
    const int asked = sim.quoteServer(0).requestCount(kKLineProtocol);
    dragKLine(-20);
    EXPECT_EQ(period()->offset, 0);
    ASSERT_NE(chart()->KLineRefresh(), nullptr);
    EXPECT_DOUBLE_EQ(chart()->KLineRefresh()->timer()->timeInterval(), 10);
    EXPECT_TRUE(driver.runUntil(
        [&] { return sim.quoteServer(0).requestCount(kKLineProtocol) > asked; }, 10));

    scrollTo(oldest() - 2);
    dragKLine(31);
    EXPECT_EQ(period()->offset, oldest());
    dragKLine(31);
    EXPECT_EQ(period()->offset, oldest());
    EXPECT_EQ(chart()->KLineRefresh(), nullptr);
    scrollTo(2);
    dragKLine(-20);
    EXPECT_EQ(period()->offset, 0);
    EXPECT_NE(chart()->KLineRefresh(), nullptr);

    // A scroll the system cancels goes back, and so does the refresh.
    dragKLine(20, true);
    EXPECT_EQ(period()->offset, 0);
    EXPECT_NE(chart()->KLineRefresh(), nullptr);

    const Point centre = inArea(kLine(), 0.5);
    for (const auto& [from, to, grade] :
         {std::tuple{100.0, 200.0, 4u}, std::tuple{200.0, 100.0, 3u},
          std::tuple{100.0, 200.0, 6u}}) {
        driver.pinch(centre, from, to);
        EXPECT_EQ(period()->grade, grade) << from << " to " << to;
    }
    EXPECT_EQ(layout().drawInfoOfMain()->ColumnInterval, 16);
    EXPECT_EQ(kLine()->coordinateKLineData().size(),
              static_cast<size_t>(layout().drawInfoOfMain()->pointCount));
    EXPECT_EQ(period()->offset, 0);

    const Point bar = inArea(kLine(), 0.7);
    driver.tapAt(bar);
    ASSERT_TRUE(kLine()->showIndicatorCross());
    EXPECT_EQ(kLine()->indicatorCrossPointNum(), barAt(bar));
    const auto& item = kLine()->coordinateKLineData()[barAt(bar)];
    EXPECT_EQ(layout().indicatorCrossData()->IndicatorCrossPoint,
              (Point{item->highestPiont.x, item->closePiont.y}));
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("crosshair-kline-wide")));
    // With the cross-hair shown a pinch changes nothing and a drag moves the cross-hair.
    driver.pinch(centre, 200, 100);
    EXPECT_EQ(period()->grade, 6u);
    const Point later = shifted(kLine(), bar, 33);
    driver.drag(bar, later, 3, 0.5);
    EXPECT_EQ(kLine()->indicatorCrossPointNum(), barAt(later));
    EXPECT_EQ(period()->offset, 0);
    driver.tapAt(later);
    EXPECT_FALSE(kLine()->showIndicatorCross());

    // On the time-sharing chart a pinch zooms nothing and leaves the chart kind alone.
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    driver.pinch(inArea(fenShi(), 0.5), 200, 100);
    EXPECT_EQ(period()->grade, 6u);
    EXPECT_EQ(layout().typeOfHQ(), 0u);
    EXPECT_TRUE(driver.runUntil([&] { return chart()->FenShiRefresh() != nullptr; }, 20));
    EXPECT_EQ(chart()->KLineRefresh(), nullptr);
}

// A zoom that fits more bars keeps the scroll within the bars: the oldest stays at the left edge,
// and once the newest is on show too the chart is back at it and refreshes.
TEST_P(ChartGestureTest, shouldRefreshWhenAZoomBringsTheNewestBarIntoView) {
    turnWide();
    openFirstPeriod();
    const Point centre = inArea(kLine(), 0.5);
    const auto zoomTo = [&](uint32_t grade) {
        for (int pinch = 0; pinch < 10 && period()->grade != grade; ++pinch) {
            const bool wider = period()->grade < grade;
            driver.pinch(centre, wider ? 100 : 200, wider ? 200 : 100);
        }
        return period()->grade == grade;
    };
    ASSERT_TRUE(zoomTo(6));
    dragKLine(20);
    ASSERT_EQ(chart()->KLineRefresh(), nullptr);
    // A commodity listed lately: fewer bars than the widest zoom shows.
    constexpr int kBars = 60;
    auto& bars = period()->KLineDataArray.front()->klineDataItemsArray;
    bars.erase(bars.begin(), bars.end() - kBars);
    const auto oldest = [&] {
        return kBars - static_cast<int>(layout().drawInfoOfMain()->pointCount);
    };
    scrollTo(oldest());
    ASSERT_TRUE(zoomTo(3));
    EXPECT_EQ(period()->offset, oldest());
    EXPECT_EQ(chart()->KLineRefresh(), nullptr);
    const int asked = sim.quoteServer(0).requestCount(kKLineProtocol);
    ASSERT_TRUE(zoomTo(0));
    EXPECT_EQ(period()->offset, 0);
    EXPECT_NE(chart()->KLineRefresh(), nullptr);
    EXPECT_TRUE(driver.runUntil(
        [&] { return sim.quoteServer(0).requestCount(kKLineProtocol) > asked; }, 10));
}

// The normal screen cannot scroll: a chart scrolled in the wide screen comes back at its newest
// bar, asks for it and refreshes, and so does the period after a switch away and back.
TEST_P(ChartGestureTest, shouldShowTheNewestBarAndRefreshWhenAScrolledChartTurnsBack) {
    const auto newestDrawn = [&] {
        const auto& bars = period()->KLineDataArray.front()->klineDataItemsArray;
        return kLine()->coordinateKLineData().back()->klineData == bars.back();
    };
    turnWide();
    openFirstPeriod();
    dragKLine(20);
    ASSERT_EQ(period()->offset, 3);
    ASSERT_FALSE(newestDrawn());
    const int asked = sim.quoteServer(0).requestCount(kKLineProtocol);
    turnBack();
    EXPECT_EQ(period()->offset, 0);
    EXPECT_TRUE(newestDrawn());
    EXPECT_NE(chart()->KLineRefresh(), nullptr);
    EXPECT_TRUE(driver.runUntil(
        [&] { return sim.quoteServer(0).requestCount(kKLineProtocol) > asked; }, 10));

    turnWide();
    dragKLine(20);
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag)));
    turnBack();
    ASSERT_TRUE(driver.tap(periodButton(kFenShiTag + 1)));
    ASSERT_TRUE(driver.runUntil([&] { return chart()->KLineRefresh() != nullptr; }, 30));
    EXPECT_EQ(period()->offset, 0);
    EXPECT_TRUE(newestDrawn());
}

TEST_P(ChartGestureTest, shouldSwitchChartsByTheWideTopBarButtons) {
    turnWide();
    ASSERT_NE(chart()->fenshiButton(), nullptr);
    ASSERT_NE(chart()->klineButton(), nullptr);
    EXPECT_TRUE(chart()->fenshiButton()->isSelected());
    chart()->klineButtonPressed(*chart()->klineButton());
    ASSERT_TRUE(
        driver.runUntil([&] { return kLine() && !kLine()->coordinateKLineData().empty(); }, 30));
    EXPECT_TRUE(chart()->klineButton()->isSelected());
    EXPECT_FALSE(chart()->fenshiButton()->isSelected());
    EXPECT_EQ(chart()->FenShiRefresh(), nullptr);
    EXPECT_TRUE(driver.isVisible(kLine()));
    EXPECT_FALSE(driver.isVisible(fenShi()));
    EXPECT_DOUBLE_EQ(chart()->topButtonSelectedImageView()->center().x,
                     chart()->klineButton()->center().x);

    chart()->fenshiButtonPressed(*chart()->fenshiButton());
    ASSERT_TRUE(driver.runUntil([&] { return chart()->FenShiRefresh() != nullptr; }, 20));
    EXPECT_EQ(layout().typeOfHQ(), 0u);
    EXPECT_EQ(chart()->KLineRefresh(), nullptr);
    EXPECT_TRUE(driver.isVisible(fenShi()));
    EXPECT_FALSE(driver.isVisible(kLine()));
    EXPECT_DOUBLE_EQ(chart()->topButtonSelectedImageView()->center().x,
                     chart()->fenshiButton()->center().x);

    ASSERT_TRUE(driver.runUntil([&] { return !fenShi()->fenShiData().empty(); }, 20));
    const Point minute = inArea(fenShi(), 0.55);
    driver.tapAt(minute);
    ASSERT_TRUE(fenShi()->showIndicatorCross());
    EXPECT_EQ(fenShi()->indicatorCrossPointNum(), minuteAt(minute));
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("crosshair-fenshi-wide")));
}

INSTANTIATE_TEST_SUITE_P(Screens, ChartGestureTest, ::testing::Values(568.0, 480.0),
                         [](const auto& info) { return std::to_string(int(info.param)); });

TEST_P(ChartGestureTest, shouldStopTheChartRefreshWhileCoveredAndStartItAgainWhenShown) {
    auto* stack = screen->navigationController();
    stack->pushViewController(std::make_unique<ViewController>(), false);
    driver.settle();
    EXPECT_EQ(chart()->FenShiRefresh(), nullptr);
    EXPECT_EQ(chart()->KLineRefresh(), nullptr);
    // A reply still out when the screen went does not start a timer either.
    driver.runFor(1);
    EXPECT_EQ(chart()->FenShiRefresh(), nullptr);

    stack->popViewController(false);
    EXPECT_TRUE(driver.runUntil([&] { return chart()->FenShiRefresh() != nullptr; }, 20));
}

TEST_P(ChartGestureTest, shouldChooseTheIndicatorAndOpenThePanelFromTheIndicatorChooser) {
    Button macd(Rect{0, 0, 40, 20});
    Button kdj(Rect{40, 0, 40, 20});
    chart()->quotaKDJButtonPressed(kdj);
    auto& status = *layout().statusSaveClass();
    EXPECT_TRUE(kdj.isSelected());
    EXPECT_TRUE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    EXPECT_FALSE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    chart()->quotaMACDButtonPressed(macd);
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    // A chosen indicator's button does nothing more.
    chart()->quotaKDJButtonPressed(kdj);
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);

    chart()->quotaButtonPressed(*chart()->quotaButton());
    driver.settle();
    EXPECT_TRUE(status.iphoneZhiBiaoButtonSelected);
    EXPECT_TRUE(chart()->quotaButton()->isSelected());
    EXPECT_EQ(chart()->quotaView()->frame(), layout().bottomRectInfo()->quotaChooseFrame);
}

namespace {
Rect inWindow(const View& view, const Rect& frame) {
    const Point from = view.convertPointToWindow({frame.x, frame.y});
    const Point to = view.convertPointToWindow({frame.x + frame.width, frame.y + frame.height});
    return Rect{std::min(from.x, to.x), std::min(from.y, to.y), std::abs(to.x - from.x),
                std::abs(to.y - from.y)};
}
}  // namespace

TEST_P(ChartGestureTest, shouldRestTheHintArrowAboveTheWideScreenButton) {
    openFirstPeriod();
    ImageView* arrow = screen->tanTiaoImgV();
    ASSERT_NE(arrow, nullptr);
    ASSERT_TRUE(
        driver.runUntil([] { return MotionTween::sharedInstance().runningCount() == 0; }, 5));
    EXPECT_DOUBLE_EQ(arrow->frame().y, VKJYMarketContext::appViewRect().height - 54);
    const Rect shown = inWindow(*arrow, arrow->bounds());
    const Rect wide = inWindow(*screen->zhuanpingButton(), screen->zhuanpingButton()->bounds());
    EXPECT_GT(shown.x + shown.width / 2, wide.x);
    EXPECT_LT(shown.x + shown.width / 2, wide.maxX());
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshot("kline-hint-arrow")));
}

// The strip's switch is kept off screen; its mark follows the chart's swipes.
TEST_P(ChartGestureTest, shouldMoveTheSwitchMarkWithTheSwipesAndChooseIndicatorsByItsButtons) {
    openFirstPeriod();
    ImageView* mark = screen->switchMark();
    Button* fenshi = screen->fenshiButton();
    Button* kline = screen->klineButton();
    ASSERT_TRUE(mark && fenshi && kline);
    EXPECT_FALSE(driver.isVisible(mark));
    EXPECT_EQ(fenshi->currentTitle(), "分时");
    EXPECT_EQ(kline->frame(), (Rect{320 - 48, 11, 37, 21}));

    const Point middle = inArea(kLine(), 0.6);
    driver.swipe(middle, {middle.x - 120, middle.y});
    driver.settle();
    EXPECT_DOUBLE_EQ(mark->center().x, kline->center().x);
    driver.swipe({middle.x - 120, middle.y}, middle);
    driver.settle();
    EXPECT_DOUBLE_EQ(mark->center().x, fenshi->center().x);

    auto& status = *layout().statusSaveClass();
    kline->sendActions(TouchUpInside);
    driver.settle();
    EXPECT_TRUE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    EXPECT_TRUE(kLine()->DrawBackgroundView()->isKDJ());
    EXPECT_DOUBLE_EQ(mark->center().x, kline->center().x);

    // While the engine switches its views the buttons do nothing.
    VKJYHangQingDataClass::current()->setManagerIsAnimating(true);
    fenshi->sendActions(TouchUpInside);
    VKJYHangQingDataClass::current()->setManagerIsAnimating(false);
    driver.settle();
    EXPECT_TRUE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    EXPECT_DOUBLE_EQ(mark->center().x, kline->center().x);
    fenshi->sendActions(TouchUpInside);
    driver.settle();
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    EXPECT_DOUBLE_EQ(mark->center().x, fenshi->center().x);
}

TEST_P(ChartGestureTest, shouldBuildThePageDotsOfTheNormalScreenAndSwitchIndicatorsByThem) {
    chart()->pagecontrolInitAboutIphoneNormalScreen();
    View* dots = chart()->pagecontrol();
    ASSERT_NE(dots, nullptr);
    EXPECT_EQ(dots->frame(), layout().pageControl()->frame);
    Button* fenshiDot = chart()->fenshiPointButton();
    Button* klineDot = chart()->KLinePointButton();
    ASSERT_TRUE(fenshiDot && klineDot);
    EXPECT_EQ(fenshiDot->backgroundColor(), Color::lightGrayColor());
    EXPECT_EQ(klineDot->backgroundColor(), Color::darkGrayColor());
    EXPECT_DOUBLE_EQ(klineDot->cornerRadius(), 3);

    auto& status = *layout().statusSaveClass();
    ASSERT_TRUE(driver.tap(klineDot));
    EXPECT_TRUE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    ASSERT_TRUE(driver.tap(fenshiDot));
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);

    // A rebuild replaces the dots; with a K-line period on show the K-line dot is lit.
    openFirstPeriod();
    chart()->pagecontrolInitAboutIphoneNormalScreen();
    EXPECT_EQ(chart()->fenshiPointButton()->backgroundColor(), Color::darkGrayColor());
    EXPECT_EQ(chart()->KLinePointButton()->backgroundColor(), Color::lightGrayColor());
    size_t built = 0;
    for (View* child : chart()->subviews()) {
        built += child->frame() == layout().pageControl()->frame ? 1 : 0;
    }
    EXPECT_EQ(built, 1u);

    // The wide screen has none.
    turnWide();
    chart()->pagecontrolInitAboutIphoneNormalScreen();
    EXPECT_EQ(chart()->pagecontrol(), nullptr);
}
