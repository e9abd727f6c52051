#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "ChartViewScene.h"
#include "chart/HQBackGroundView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Window.h"

using namespace charttest;

namespace {

bool near(const QColor& c, int r, int g, int b, int tolerance) {
    return std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance &&
           std::abs(c.blue() - b) <= tolerance;
}

// A phone screen showing one chart view where the chart manager would put it:
// under the status and navigation bars in the normal state, at the top in
// the wide one.
class ChartScreen {
public:
    ChartScreen(ChartScene& scene, uint32_t state, bool fourInch, double scale = 1)
        : m_screen(screenSize(state, fourInch), scale),
          m_window(std::make_unique<Window>(m_screen.bounds())),
          m_driver(m_screen) {
        m_window->setBackgroundColor(Color::blackColor());
        m_window->makeKeyAndVisible();
        const Rect root = scene.layout->rootViewFrame();
        m_root = m_window->addSubview(std::make_unique<View>(
            Rect{0, state == kNormal ? 64.0 : 0.0, root.width, root.height}));
        m_root->addSubview(scene.view);
    }

    QImage image() const { return m_screen.renderImage(); }
    // A point of the chart view in screen pixels.
    QPoint pixel(const HQDrawManager& view, double x, double y) const {
        const Point p = view.convertPointToWindow(Point{x, y});
        return QPoint(static_cast<int>(p.x * m_screen.scale()),
                      static_cast<int>(p.y * m_screen.scale()));
    }
    void snapshot(const std::string& name) const {
        EXPECT_TRUE(m_driver.saveSnapshot(std::string(VKJY_SNAPSHOT_DIR) + "/" + name + ".png"));
    }

private:
    static Size screenSize(uint32_t state, bool fourInch) {
        const double length = fourInch ? 568 : 480;
        return state == kNormal ? Size{320, length} : Size{length, 320};
    }

    Application m_app;
    Screen m_screen;
    std::unique_ptr<Window> m_window;
    ScreenDriver m_driver;
    View* m_root = nullptr;
};

// A steady climb: each average lags the candles by its own distance.
std::vector<std::shared_ptr<KLineDataItem>> climbingBars(int count) {
    std::vector<std::shared_ptr<KLineDataItem>> bars;
    for (int i = 0; i < count; ++i) {
        const float open = 1000 + 20 * i;
        bars.push_back(bar(open, open + 18, open - 2, open + 16, kFirstBarDate + i * kDayMs));
    }
    HQKLineIndicators::compute(bars);
    return bars;
}

// Pixels of a colour in the columns x - 1 .. x + 1 (a line may fall on either side of a
// fractional x).
int pixelsIn(const QImage& image, int x, int top, int bottom, int r, int g, int b) {
    int found = 0;
    for (int column = x - 1; column <= x + 1; ++column) {
        for (int y = top; y < bottom; ++y) {
            found += near(image.pixelColor(column, y), r, g, b, 40) ? 1 : 0;
        }
    }
    return found;
}

// Lengths of the orange runs down the column, leaving out runs cut by the ends or by
// what the line crosses.
std::set<int> orangeRuns(const QImage& image, int x, int top, int bottom) {
    std::set<int> runs;
    int run = 0;
    bool afterBackground = false;
    for (int y = top; y < bottom; ++y) {
        if (near(image.pixelColor(x, y), 238, 101, 0, 10)) {
            ++run;
            continue;
        }
        const bool background = near(image.pixelColor(x, y), 17, 17, 17, 2);
        if (run > 0 && background && afterBackground) {
            runs.insert(run);
        }
        afterBackground = background;
        run = 0;
    }
    return runs;
}

}  // namespace

TEST(ChartPixels, shouldPaintARisingBodyRedAtItsMiddle) {
    auto scene = makeScene(kKLine, {.grade = 6});
    showBars(scene, climbingBars(40));
    ChartScreen screen(scene, kNormal, true);
    const auto& candle = *scene.view->coordinateKLineData()[10];
    const QPoint at = screen.pixel(*scene.view, (candle.openPiont.x + candle.closePiont.x) / 2,
                                   (candle.openPiont.y + candle.closePiont.y) / 2);
    EXPECT_TRUE(near(screen.image().pixelColor(at), 255, 33, 54, 30))
        << screen.image().pixelColor(at).name().toStdString();
}

TEST(ChartPixels, shouldDrawTheTenBarAverageInItsColour) {
    auto scene = makeScene(kKLine, {.grade = 6});
    showBars(scene, climbingBars(40));
    ChartScreen screen(scene, kNormal, true);
    const auto& point = *scene.view->coordinateKLineData()[15]->PMA10Point;
    const QPoint at = screen.pixel(*scene.view, point.x, point.y);
    const QImage image = screen.image();
    EXPECT_GT(pixelsIn(image, at.x(), at.y() - 1, at.y() + 2, 246, 215, 58), 0);
    EXPECT_EQ(pixelsIn(image, at.x(), at.y() - 1, at.y() + 2, 214, 29, 152), 0);
}

TEST(ChartPixels, shouldShowTheCrossHairOnlyWhileItIsOn) {
    auto scene = makeScene(kKLine, {.state = kWide});
    showBars(scene, walkBars(120));
    // Two pixels a point, so that the half-point line covers whole pixels.
    ChartScreen screen(scene, kWide, true, 2);
    const double x = scene.view->coordinateKLineData()[40]->highestPiont.x;
    const QPoint top = screen.pixel(*scene.view, x, 30);
    const QPoint bottom = screen.pixel(*scene.view, x, 215);
    EXPECT_EQ(pixelsIn(screen.image(), top.x(), top.y(), bottom.y(), 238, 101, 0), 0);

    scene.view->setShowIndicatorCross(true);
    scene.view->setIndicatorCrossPointNum(40);
    scene.view->KLineResetDrawLineDataSelf(scene.period->KLineDataArray);
    const QImage image = screen.image();
    EXPECT_GT(pixelsIn(image, top.x(), top.y(), bottom.y(), 238, 101, 0), 150);
    // Dashes of two points on and two off: runs of four pixels.
    EXPECT_EQ(orangeRuns(image, top.x(), top.y(), bottom.y()), std::set<int>{4});
    screen.snapshot("kline-crosshair-4in-wide");
}

class MACDZeroNearTheEdgeSnapshot : public ::testing::TestWithParam<bool> {};

// MACD from -1 to 9: the zero line runs a tenth of the area above its bottom edge, where the
// zero label has no room beside the bottom label on the short screen.
TEST_P(MACDZeroNearTheEdgeSnapshot, shouldShowTheIndicatorLabelsApart) {
    setTradingStart("09:00");
    const bool fourInch = GetParam();
    auto scene = makeScene(kKLine, {.fourInch = fourInch});
    showBars(scene, walkBarsWithMACD(60, 9, 9, -1));
    ChartScreen screen(scene, kNormal, fourInch, 2);
    std::vector<std::string> titles;
    for (const auto& label : scene.view->VerticalAxisSecondaryOneData()) {
        titles.push_back(label->title);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"9.00", "", "-1.00"}));
    screen.snapshot(fourInch ? "kline_macd_zero_low_4in" : "kline_macd_zero_low_35in");
}

INSTANTIATE_TEST_SUITE_P(Screens, MACDZeroNearTheEdgeSnapshot, ::testing::Values(false, true));

struct SnapshotCase {
    const char* name;
    uint32_t kind;
    bool macd;
    uint32_t state;
    bool fourInch;
};

class ChartSnapshotTest : public ::testing::TestWithParam<SnapshotCase> {};

TEST_P(ChartSnapshotTest, shouldRenderTheChartReadably) {
    setTradingStart("09:00");
    const SnapshotCase c = GetParam();
    auto scene = makeScene(c.kind, {.state = c.state, .fourInch = c.fourInch, .macd = c.macd});
    if (c.kind == kKLine) {
        showBars(scene, walkBars(300));
    } else {
        showFenShi(scene, fenShiReply(scene, walkMinutes(420, 4000), 4000, 3996));
    }
    ChartScreen screen(scene, c.state, c.fourInch);
    // Grid, series and labels show: the view is not a blank background.
    const QImage image = screen.image();
    const QPoint middle = screen.pixel(*scene.view, scene.view->bounds().midX(), 0);
    int lit = 0;
    for (int y = middle.y(); y < middle.y() + static_cast<int>(scene.view->bounds().height); ++y) {
        lit += image.pixelColor(middle.x(), y).lightness() > 60 ? 1 : 0;
    }
    EXPECT_GT(lit, 3);
    screen.snapshot(c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Charts, ChartSnapshotTest,
    ::testing::Values(SnapshotCase{"fenshi_4in_normal", kFenShi, true, kNormal, true},
                      SnapshotCase{"fenshi_35in_normal", kFenShi, true, kNormal, false},
                      SnapshotCase{"fenshi_4in_wide", kFenShi, true, kWide, true},
                      SnapshotCase{"fenshi_35in_wide", kFenShi, true, kWide, false},
                      SnapshotCase{"kline_macd_4in_normal", kKLine, true, kNormal, true},
                      SnapshotCase{"kline_macd_35in_normal", kKLine, true, kNormal, false},
                      SnapshotCase{"kline_macd_4in_wide", kKLine, true, kWide, true},
                      SnapshotCase{"kline_macd_35in_wide", kKLine, true, kWide, false},
                      SnapshotCase{"kline_kdj_4in_normal", kKLine, false, kNormal, true},
                      SnapshotCase{"kline_kdj_35in_normal", kKLine, false, kNormal, false},
                      SnapshotCase{"kline_kdj_4in_wide", kKLine, false, kWide, true},
                      SnapshotCase{"kline_kdj_35in_wide", kKLine, false, kWide, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The grid is kept between redraws; a layout that changes under it (the time labels of another
// trading start) shows at the next redraw as on a chart drawn afresh.
TEST(ChartPixels, shouldRedrawTheKeptGridWhenTheLayoutUnderItChanges) {
    auto start = setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    showFenShi(scene, fenShiReply(scene, walkMinutes(120, 4000), 4000, 3996));
    auto fresh = makeScene(kFenShi, {});
    showFenShi(fresh, fenShiReply(fresh, walkMinutes(120, 4000), 4000, 3996));
    ChartScreen screen(scene, kNormal, true, 2);
    const QImage before = screen.image();

    start = setTradingStart("21:00");
    ASSERT_TRUE(scene.layout->retitleTimeLabels());
    ASSERT_TRUE(fresh.layout->retitleTimeLabels());
    const QImage after = screen.image();
    ChartScreen freshScreen(fresh, kNormal, true, 2);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, freshScreen.image());
}
