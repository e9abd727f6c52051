#include <gtest/gtest.h>

#include <cmath>

#include "ChartViewScene.h"
#include "chart/HQDataCalculation.h"
#include "platform/foundation/DateFormat.h"

using namespace charttest;

namespace {

std::vector<std::string> titles(const HQDrawManager::AxisLabels& labels) {
    std::vector<std::string> texts;
    for (const auto& label : labels) {
        texts.push_back(label->title);
    }
    return texts;
}

std::vector<std::string> headerValues(const VariableAboutDevice& layout) {
    std::vector<std::string> values;
    for (const auto& item : layout.currentShowDataLayerInfo()->MainCurrentDataItemArray) {
        values.push_back(item->dataString);
    }
    return values;
}

// A bar whose date tells its index.
std::vector<std::shared_ptr<KLineDataItem>> numberedBars(int count) {
    std::vector<std::shared_ptr<KLineDataItem>> bars;
    for (int i = 0; i < count; ++i) {
        bars.push_back(bar(10, 12, 9, 11, kFirstBarDate + i * kDayMs));
    }
    HQKLineIndicators::compute(bars);
    return bars;
}

}  // namespace

struct WindowCase {
    int bars;
    int offset;
    size_t first;
    size_t last;
};

class KLineWindowTest : public ::testing::TestWithParam<WindowCase> {};

// Grade 1 holds 47 bars per screen on the normal screen.
TEST_P(KLineWindowTest, shouldShowTheBarsLeftOfTheScrollOffset) {
    setTradingStart("00:00");
    const WindowCase c = GetParam();
    auto scene = makeScene(kKLine, {.offset = c.offset});
    const auto bars = numberedBars(c.bars);
    showBars(scene, bars);
    const auto& shown = scene.view->coordinateKLineData();
    ASSERT_EQ(shown.size(), c.last - c.first + 1);
    EXPECT_EQ(shown.front()->klineData, bars[c.first]);
    EXPECT_EQ(shown.back()->klineData, bars[c.last]);
    const auto& dates =
        scene.layout->currentShowDataLayerInfo()->SecondaryOneCurrentDataTimeItemArray;
    // Shown at the exchange, wherever the device is.
    const DateFormat exchange("yy/MM/dd/ HH:mm",
                              DateFormat::Zone::fixed(kExchangeUtcOffsetMinutes * 60));
    EXPECT_EQ(dates[0]->title, exchange.format(bars[c.first]->date / 1000));
    EXPECT_EQ(dates[1]->title, exchange.format(bars[c.last]->date / 1000));
    EXPECT_EQ(scene.view->MACDData().size(), shown.size());
    EXPECT_EQ(scene.view->KDJData().size(), shown.size());
}

INSTANTIATE_TEST_SUITE_P(Windows, KLineWindowTest,
                         ::testing::Values(WindowCase{100, 0, 53, 99}, WindowCase{100, 10, 43, 89},
                                           WindowCase{30, 0, 0, 29},
                                           // Scrolled at or past the oldest bar: the oldest
                                           // screenful is shown.
                                           WindowCase{100, 100, 0, 46}, WindowCase{100, 250, 0, 46},
                                           WindowCase{1, 0, 0, 0}));

TEST(KLineAxis, shouldWidenWholeNumberPricesSoEveryLabelIsWhole) {
    auto scene = makeScene(kKLine, {.decimals = 0});
    // 4 main grid lines: range 1000..1017 widens to 999..1019.
    scene.layout->coordinateSystemInfoOfMain()->dottedLineNumber = 4;
    showBars(scene, {bar(1000, 1017, 1000, 1017)});
    EXPECT_EQ(scene.view->coordinateKLineData().size(), 1u);
    const auto texts = titles(scene.view->VerticalAxisMainData());
    EXPECT_EQ(texts, (std::vector<std::string>{"1019", "1014", "1009", "1004", "999"}));
}

struct TrendCase {
    int start;
    int slope;  // per bar
};

class WholePriceAxisTest : public ::testing::TestWithParam<TrendCase> {};

// Whole prices on a trend: at the oldest bars shown, the 30-bar average still carries the older
// prices and lies beyond every bar shown, at a fraction.
TEST_P(WholePriceAxisTest, shouldStepWholeLabelsEvenlyWithFractionalAveragesInTheRange) {
    const TrendCase c = GetParam();
    auto scene = makeScene(kKLine, {.decimals = 0});
    std::vector<std::shared_ptr<KLineDataItem>> bars;
    for (int i = 0; i < 80; ++i) {
        const float close = static_cast<float>(c.start + c.slope * i + (i % 3) * 2);
        bars.push_back(bar(close - c.slope, close + 3, close - 3 - std::abs(c.slope), close,
                           kFirstBarDate + i * kDayMs));
    }
    HQKLineIndicators::compute(bars);
    showBars(scene, bars);
    const auto texts = titles(scene.view->VerticalAxisMainData());
    const int lines = scene.layout->coordinateSystemInfoOfMain()->dottedLineNumber;
    ASSERT_EQ(texts.size(), static_cast<size_t>(lines + 1));
    std::vector<long> values;
    for (const auto& text : texts) {
        size_t used = 0;
        values.push_back(std::stol(text, &used));
        EXPECT_EQ(used, text.size()) << text;
    }
    const long step = values[0] - values[1];
    EXPECT_GT(step, 0);
    for (size_t i = 1; i < values.size(); ++i) {
        EXPECT_EQ(values[i - 1] - values[i], step) << ::testing::PrintToString(texts);
    }
    // The labels still span every price and average shown.
    scene.view->DataCalculation()->setDataType(HQDataCalculation::kMainPriceChart);
    const auto& range = *scene.view->DataCalculation()->getCalculationResult();
    EXPECT_TRUE(range.highest != std::round(range.highest) ||
                range.lowest != std::round(range.lowest));
    EXPECT_LE(range.highest, values.front());
    EXPECT_GE(range.lowest, values.back());
}

INSTANTIATE_TEST_SUITE_P(Trends, WholePriceAxisTest,
                         ::testing::Values(TrendCase{5200, -7}, TrendCase{4000, 5},
                                           TrendCase{987, -3}));

TEST(KLineAxis, shouldLabelTheMACDAreaTopZeroAndBottom) {
    auto scene = makeScene(kKLine, {});
    const auto bars = walkBars(60);
    showBars(scene, bars);
    const auto texts = titles(scene.view->VerticalAxisSecondaryOneData());
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], "0.00");
    const auto& labels = scene.view->VerticalAxisSecondaryOneData();
    const float zeroY = scene.view->MACDData().front()->ZeroPoint->y;
    EXPECT_FLOAT_EQ(labels[1]->frame.y, zeroY - labels[1]->frame.height / 2);
    EXPECT_FLOAT_EQ(labels[0]->frame.y,
                    scene.layout->coordinateSystemInfoOfSecondaryOne()->firstDottedLineY);
    EXPECT_EQ(scene.view->VerticalAxisSecondaryOneMACDArray()[0], texts[0]);
}

TEST(KLineAxis, shouldPutTheZeroOnTheBottomLabelWhenTheBottomReadsZero) {
    auto scene = makeScene(kKLine, {});
    showBars(scene, walkBarsWithMACD(10, 0.5, 0.2, 0.8));
    EXPECT_EQ(titles(scene.view->VerticalAxisSecondaryOneData()),
              (std::vector<std::string>{"0.80", "", "0.00"}));
}

struct ZeroLabelCase {
    bool fourInch;
    uint32_t state;
    double highest;  // the MACD range, which always holds zero
    double lowest;
    bool zeroShown;
    bool centred;
};

class MACDZeroLabelTest : public ::testing::TestWithParam<ZeroLabelCase> {};

TEST_P(MACDZeroLabelTest, shouldKeepTheZeroLabelBesideItsLineAndClearOfTheOthers) {
    const ZeroLabelCase c = GetParam();
    auto scene = makeScene(kKLine, {.state = c.state, .fourInch = c.fourInch});
    showBars(scene, walkBarsWithMACD(10, c.highest, c.highest, c.lowest));
    const auto& labels = scene.view->VerticalAxisSecondaryOneData();
    ASSERT_EQ(labels.size(), 3u);
    for (size_t i = 0; i < labels.size(); ++i) {
        for (size_t j = i + 1; j < labels.size(); ++j) {
            if (labels[i]->title.empty() || labels[j]->title.empty()) {
                continue;
            }
            const Rect a = labels[i]->frame;
            const Rect b = labels[j]->frame;
            EXPECT_TRUE(a.maxY() <= b.minY() || b.maxY() <= a.minY())
                << labels[i]->title << " " << a.minY() << "-" << a.maxY() << " overlaps "
                << labels[j]->title << " " << b.minY() << "-" << b.maxY();
        }
    }
    const Rect zero = labels[1]->frame;
    const double zeroY = scene.view->MACDData().front()->ZeroPoint->y;
    EXPECT_EQ(labels[1]->title, c.zeroShown ? "0.00" : "");
    if (c.zeroShown) {
        EXPECT_LE(zero.minY(), zeroY);
        EXPECT_GE(zero.maxY(), zeroY);
        EXPECT_EQ(zero.midY() == zeroY, c.centred) << zero.midY() << " " << zeroY;
    }
}

// The indicator area is 32 points high on the 3.5-inch screen, 50 on the 4-inch one and 46 in
// the wide screen; its labels are 10 high.
INSTANTIATE_TEST_SUITE_P(Areas, MACDZeroLabelTest,
                         ::testing::Values(ZeroLabelCase{false, kNormal, 9, -1, false, false},
                                           ZeroLabelCase{false, kNormal, 1, -9, false, false},
                                           ZeroLabelCase{false, kNormal, 6, -4, true, false},
                                           ZeroLabelCase{false, kNormal, 5, -5, true, true},
                                           ZeroLabelCase{true, kNormal, 9, -1, false, false},
                                           ZeroLabelCase{true, kNormal, 7, -3, true, true},
                                           ZeroLabelCase{true, kWide, 8, -2, false, false},
                                           ZeroLabelCase{true, kWide, 7, -3, true, false}));

TEST(KLineAxis, shouldLabelTheKDJAreaOnItsFixedScale) {
    auto scene = makeScene(kKLine, {.macd = false});
    showBars(scene, walkBars(60));
    const auto& labels = scene.view->VerticalAxisSecondaryOneData();
    EXPECT_EQ(titles(labels), (std::vector<std::string>{"100", "50", "0"}));
    const auto& grid = *scene.layout->coordinateSystemInfoOfSecondaryOne();
    EXPECT_FLOAT_EQ(labels[1]->frame.y,
                    grid.firstDottedLineY + grid.dottedLineInterval - labels[1]->frame.height / 2);
}

TEST(KLineWindowFaults, shouldShowAnEmptyChartWithPlaceholdersWhenThePeriodHasNoBars) {
    auto scene = makeScene(kKLine, {});
    showBars(scene, walkBars(60));
    ASSERT_FALSE(scene.view->coordinateKLineData().empty());
    showBars(scene, {});
    EXPECT_TRUE(scene.view->coordinateKLineData().empty());
    EXPECT_TRUE(scene.view->MACDData().empty());
    EXPECT_TRUE(scene.view->VerticalAxisMainData().empty());
    EXPECT_EQ(headerValues(*scene.layout), (std::vector<std::string>{"--", "--", "--", "--"}));
}

TEST(KLineWindowFaults, shouldKeepOneFlatBarFinite) {
    auto scene = makeScene(kKLine, {});
    showBars(scene, {bar(5, 5, 5, 5, kFirstBarDate)});
    const auto& candle = *scene.view->coordinateKLineData().front();
    EXPECT_TRUE(std::isfinite(candle.openPiont.y));
    EXPECT_FLOAT_EQ(candle.openPiont.y, candle.closePiont.y);
    for (const auto& text : titles(scene.view->VerticalAxisMainData())) {
        EXPECT_EQ(text, "5.00");
    }
}

TEST(FenShiAxis, shouldStretchTheRangeAboutYesterdaysCloseAndLabelPercentages) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    auto minutes =
        std::vector{fenShiMinute(540, 98, 99, 0, 100), fenShiMinute(541, 103, 100, 9, 100)};
    auto reply = fenShiReply(scene, minutes, 100, 99);
    *scene.status->result = HQCalculationResult{};
    scene.status->result->lowest = 98;
    scene.status->result->highest = 103;
    scene.status->result->xianShouHighest = 9;
    showFenShi(scene, reply);
    EXPECT_NEAR(scene.view->result()->highest, 103.3, 1e-9);
    EXPECT_NEAR(scene.view->result()->lowest, 97.8, 1e-9);
    const auto texts = titles(scene.view->VerticalAxisMainData());
    // Nine price labels, nine percent labels, three volume labels.
    ASSERT_EQ(texts.size(), 21u);
    EXPECT_EQ(texts[0], "103.30");
    EXPECT_EQ(texts[8], "97.80");
    EXPECT_EQ(texts[9], "3.30%");
    EXPECT_EQ(texts[13], "0.55%");
    EXPECT_EQ(texts[17], "-2.20%");
    EXPECT_EQ(texts[18], "9");
    EXPECT_EQ(texts[19], "0");
    EXPECT_EQ(texts[20], "4");
    // Volume labels: top on the bottom of the price area, bottom on the base line.
    const auto& labels = scene.view->VerticalAxisMainData();
    EXPECT_FLOAT_EQ(labels[18]->frame.y, 15 + 8 * 25.625);
    EXPECT_FLOAT_EQ(labels[19]->frame.y, 284 - 12);
    EXPECT_FLOAT_EQ(labels[20]->frame.y, 220 + 64 * 0.5);
    EXPECT_FLOAT_EQ(labels[20]->frame.width, 36);
}

TEST(FenShiAxis, shouldShowDashesForPercentagesWhenYesterdaysCloseIsZero) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    auto reply = fenShiReply(scene, walkMinutes(30, 0), 0, 0);
    showFenShi(scene, reply);
    const auto texts = titles(scene.view->VerticalAxisMainData());
    EXPECT_EQ(texts[9], "--");
    EXPECT_EQ(texts[17], "--");
    EXPECT_EQ(scene.layout->currentShowDataLayerInfo()->MainCurrentDataItemArray[3]->dataString,
              "--");
}

TEST(FenShiAxis, shouldReuseTheConvertedDayOfTheScreenStateWhileItsCountHolds) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    showFenShi(scene, fenShiReply(scene, walkMinutes(120, 4000), 4000, 4001));
    ASSERT_EQ(scene.status->NormalFenShiData.size(), 120u);
    EXPECT_TRUE(scene.status->WidthFenShiData.empty());
    const auto cached = scene.status->NormalFenShiData.front();
    scene.view->resetLayersData();
    EXPECT_EQ(scene.view->fenShiData().front(), cached);
}

TEST(FenShiWindowFaults, shouldDrawNothingButPlaceholdersWithoutAReply) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    showFenShi(scene, fenShiReply(scene, walkMinutes(30, 4000), 4000, 4001));
    ASSERT_FALSE(scene.view->fenShiData().empty());
    scene.status->FenShiDataArray.clear();
    scene.view->FenShiResetDrawData();
    EXPECT_TRUE(scene.view->fenShiData().empty());
    EXPECT_TRUE(scene.view->VerticalAxisMainData().empty());
    EXPECT_EQ(headerValues(*scene.layout),
              (std::vector<std::string>{"--:--", "--", "--", "--", "--"}));
}

// The time-sharing view shares the layout of the K-line chart on show: emptying it leaves that
// chart's header as it was.
TEST(FenShiWindowFaults, shouldLeaveTheKLineChartOnShowAloneWhenEmptied) {
    auto scene = makeScene(kKLine, {});
    showBars(scene, walkBars(60));
    const auto shown = headerValues(*scene.layout);
    ASSERT_NE(shown.front(), "--");
    HQDrawManager fenShi(scene.layout);
    fenShi.FenShiResetDrawData();
    EXPECT_EQ(headerValues(*scene.layout), shown);
}

TEST(FenShiWindowFaults, shouldIgnoreAnEmptyReplyList) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    scene.view->FenShiResetDrawDataWithCommodity({}, scene.commodity);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(scene.view->drawData()));
}
