#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ChartViewScene.h"
#include "RecordingGraphicsContext.h"
#include "chart/HQBackGroundView.h"
#include "chart/HQDrawContent.h"

using namespace charttest;
using Kind = DrawCall::Kind;

namespace {

Color rgb(int r, int g, int b) {
    return Color::rgb(r, g, b);
}

std::unique_ptr<RecordingGraphicsContext> record(HQDrawManager& view, HQDrawContent* layer) {
    auto context = std::make_unique<RecordingGraphicsContext>();
    view.drawRectWithView(*layer, *context, layer->bounds());
    EXPECT_TRUE(context->isBalanced());
    return context;
}

std::unique_ptr<RecordingGraphicsContext> recordLines(HQDrawManager& view) {
    return record(view, view.DrawLineView());
}

std::unique_ptr<RecordingGraphicsContext> recordHeader(HQDrawManager& view) {
    return record(view, view.DrawCurrentDataView());
}

std::unique_ptr<RecordingGraphicsContext> recordGrid(HQBackGroundView& grid) {
    auto context = std::make_unique<RecordingGraphicsContext>();
    grid.draw(*context, grid.bounds());
    EXPECT_TRUE(context->isBalanced());
    return context;
}

// Gradient calls with the clip each was painted in.
std::vector<std::pair<DrawCall, DrawCall>> clippedGradients(const RecordingGraphicsContext& c) {
    std::vector<std::pair<DrawCall, DrawCall>> found;
    const auto& calls = c.calls();
    for (size_t i = 1; i < calls.size(); ++i) {
        if (calls[i].kind == Kind::Gradient && calls[i - 1].kind == Kind::Clip) {
            found.push_back({calls[i - 1], calls[i]});
        }
    }
    return found;
}

// Candle x placement of the worked example: first x 2, 6 points a column.
ChartScene narrowColumnScene(std::vector<std::shared_ptr<KLineDataItem>> bars) {
    auto scene = makeScene(kKLine, {});
    scene.layout->drawInfoOfMain()->firstPointX = 2;
    scene.layout->drawInfoOfMain()->ColumnInterval = 6;
    showBars(scene, std::move(bars));
    return scene;
}

}  // namespace

TEST(CandleDrawing, shouldPlaceBodyAndWickByTheColumnGeometry) {
    auto scene = narrowColumnScene(
        {bar(10, 12, 9, 11), bar(11, 12, 9, 10), bar(10, 11, 9, 10), bar(10, 12, 8, 11)});
    const auto context = recordLines(*scene.view);
    const auto bodies = clippedGradients(*context);
    ASSERT_EQ(bodies.size(), 4u);
    const Rect body = bodies[3].first.rect;
    EXPECT_DOUBLE_EQ(body.x, 20);
    EXPECT_DOUBLE_EQ(body.maxX(), 25);
    // Bar 1 falls, the others rise or stay level: one path of wicks per colour.
    const auto wicks = context->callsIn(Color::rgb(255, 33, 54));
    ASSERT_EQ(wicks.size(), 1u);
    ASSERT_EQ(wicks[0].subpaths.size(), 3u);
    EXPECT_DOUBLE_EQ(wicks[0].subpaths[2][0].x, 22.25);
    EXPECT_DOUBLE_EQ(wicks[0].subpaths[2][1].x, 22.25);
    EXPECT_DOUBLE_EQ(wicks[0].lineWidth, 0.5);
    EXPECT_EQ(context->callsIn(Color::rgb(57, 225, 24)).at(0).subpaths.size(), 1u);
}

struct CandleCase {
    const char* name;
    float open;
    float close;
    Color middle;
    Color wick;
};

class CandleColourTest : public ::testing::TestWithParam<CandleCase> {};

TEST_P(CandleColourTest, shouldFillTheBodyDarkAtTheSidesAndBrightInTheMiddle) {
    const CandleCase c = GetParam();
    auto scene = narrowColumnScene({bar(c.open, 14, 6, c.close)});
    const auto context = recordLines(*scene.view);
    const auto bodies = clippedGradients(*context);
    ASSERT_EQ(bodies.size(), 1u);
    const auto& [clip, gradient] = bodies[0];
    ASSERT_EQ(gradient.stops.size(), 3u);
    EXPECT_EQ(gradient.stops[1], c.middle);
    EXPECT_EQ(gradient.locations, (std::vector<double>{0, 0.5, 1}));
    EXPECT_FALSE(gradient.extendBefore || gradient.extendAfter);
    EXPECT_DOUBLE_EQ(gradient.start.x, clip.rect.x);
    EXPECT_DOUBLE_EQ(gradient.end.x, clip.rect.maxX());
    EXPECT_DOUBLE_EQ(gradient.start.y, clip.rect.midY());
    const auto& candle = *scene.view->coordinateKLineData()[0];
    const double top = std::min(candle.openPiont.y, candle.closePiont.y);
    const double bottom = std::max(candle.openPiont.y, candle.closePiont.y);
    EXPECT_DOUBLE_EQ(clip.rect.y, top);
    // A falling body spans open to close; a rising or level one reaches one point lower.
    EXPECT_DOUBLE_EQ(clip.rect.maxY(), c.open > c.close ? bottom : bottom + 1);
    ASSERT_FALSE(context->callsIn(c.wick).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Candles, CandleColourTest,
    ::testing::Values(CandleCase{"rise", 8, 12, rgb(255, 33, 54), rgb(255, 33, 54)},
                      CandleCase{"fall", 12, 8, rgb(57, 225, 24), rgb(57, 225, 24)},
                      CandleCase{"level", 10, 10, rgb(255, 33, 54), rgb(255, 33, 54)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AverageDrawing, shouldDrawFourLinesStartingWhereEachAverageExists) {
    auto scene = makeScene(kKLine, {});
    showBars(scene, walkBars(40));
    const auto context = recordLines(*scene.view);
    const auto& candles = scene.view->coordinateKLineData();
    const std::pair<Color, size_t> lines[] = {{rgb(255, 255, 255), 4},
                                              {rgb(246, 215, 58), 9},
                                              {rgb(214, 29, 152), 19},
                                              {rgb(29, 139, 216), 29}};
    for (const auto& [color, firstBar] : lines) {
        const auto strokes = context->callsIn(color);
        const auto line = std::find_if(strokes.begin(), strokes.end(),
                                       [&](const DrawCall& c) { return c.points().size() > 2; });
        ASSERT_NE(line, strokes.end());
        EXPECT_EQ(line->points().size(), candles.size() - firstBar);
        EXPECT_DOUBLE_EQ(line->points()[0].x, candles[firstBar]->highestPiont.x);
        EXPECT_TRUE(line->antialias);
        EXPECT_DOUBLE_EQ(line->lineWidth, 1);
    }
}

TEST(IndicatorDrawing, shouldDrawMACDBarsInsideTheBodiesAboveAndBelowADashedZeroLine) {
    auto scene = makeScene(kKLine, {});
    showBars(scene, walkBars(60));
    const auto context = recordLines(*scene.view);
    const auto& candles = scene.view->coordinateKLineData();
    const auto& macd = scene.view->MACDData();
    const auto zero = context->callsIn(rgb(74, 74, 74));
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0].dash, (std::vector<double>{2, 2}));
    EXPECT_FALSE(zero[0].antialias);
    EXPECT_DOUBLE_EQ(zero[0].lineWidth, 0.5);
    EXPECT_DOUBLE_EQ(zero[0].points()[0].x,
                     scene.layout->coordinateSystemInfoOfSecondaryOne()->originalPoint.x);
    EXPECT_DOUBLE_EQ(zero[0].points()[1].x, 320);
    EXPECT_FLOAT_EQ(zero[0].points()[0].y, macd[0]->ZeroPoint->y);

    size_t bars = 0;
    for (const DrawCall& fill : context->callsOf(Kind::FillRect)) {
        const auto i = static_cast<size_t>(
            std::find_if(candles.begin(), candles.end(),
                         [&](const auto& c) { return c->openPiont.x + 2 == fill.rect.x; }) -
            candles.begin());
        ASSERT_LT(i, candles.size());
        EXPECT_DOUBLE_EQ(fill.rect.width, candles[i]->closePiont.x - candles[i]->openPiont.x - 4);
        const bool above = macd[i]->MACDPoint->y < macd[i]->ZeroPoint->y;
        EXPECT_EQ(fill.color, above ? rgb(235, 26, 47) : rgb(50, 211, 23));
        ++bars;
    }
    EXPECT_GT(bars, 40u);
    EXPECT_EQ(context->callsIn(rgb(210, 183, 49)).size(), 1u);
}

TEST(IndicatorDrawing, shouldDrawKDJLinesAndTheKDJHeaderWhenMACDIsOff) {
    auto scene = makeScene(kKLine, {.macd = false});
    showBars(scene, walkBars(60));
    const auto lines = recordLines(*scene.view);
    EXPECT_TRUE(lines->callsOf(Kind::FillRect).empty());
    EXPECT_EQ(lines->callsIn(rgb(231, 85, 182)).size(), 1u);
    EXPECT_EQ(lines->callsIn(rgb(231, 85, 182))[0].points().size(),
              scene.view->coordinateKLineData().size());
    const auto header = recordHeader(*scene.view);
    EXPECT_NE(header->textCall("KDJ(9,3,3)"), nullptr);
    EXPECT_EQ(header->textCall("MACD(12,26,9)"), nullptr);
}

TEST(FenShiDrawing, shouldFillUnderThePriceLineWithAnExtendedTwoStopGradient) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    showFenShi(scene, fenShiReply(scene, walkMinutes(90, 4000), 4000, 4001));
    const auto context = recordLines(*scene.view);
    const auto& points = scene.view->fenShiData();
    const auto& calls = context->calls();
    EXPECT_EQ(calls[0].kind, Kind::ClearRect);
    const auto average = context->callsIn(rgb(225, 176, 8));
    ASSERT_EQ(average.size(), 1u);
    EXPECT_EQ(average[0].points().size(), points.size());

    const auto fills = clippedGradients(*context);
    ASSERT_EQ(fills.size(), 1u);
    const auto& [area, gradient] = fills[0];
    const auto outline = area.points();
    EXPECT_FLOAT_EQ(outline.front().x, points.front()->fenshiPoint->x);
    EXPECT_DOUBLE_EQ(outline.front().y, 284 - 1);
    EXPECT_FLOAT_EQ(outline[outline.size() - 2].x, points.back()->fenshiPoint->x);
    EXPECT_EQ(gradient.stops, (std::vector<Color>{rgb(24, 36, 49).withAlpha(0.3),
                                                  rgb(136, 179, 239).withAlpha(0.3)}));
    EXPECT_TRUE(gradient.extendBefore && gradient.extendAfter);
    EXPECT_DOUBLE_EQ(gradient.start.y, 15);
    EXPECT_DOUBLE_EQ(gradient.end.y, 284);

    EXPECT_EQ(context->callsIn(rgb(233, 232, 232)).size(), 1u);
    const auto volume = context->callsIn(Color::redColor());
    ASSERT_EQ(volume.size(), 1u);
    // Volumes count from 0: the quietest minute too draws a bar.
    const auto bars = std::count_if(points.begin(), points.end(), [](const auto& p) {
        return p->chengJiaoLiangPoint->y < p->chengJiaoLiangPoint->bottomY;
    });
    EXPECT_EQ(static_cast<size_t>(bars), points.size());
    EXPECT_EQ(volume[0].subpaths.size(), points.size());
    EXPECT_DOUBLE_EQ(volume[0].subpaths[0][0].y, 284);
}

TEST(FenShiDrawing, shouldDrawTheHeaderTitlesAlongTheTopWithTheirValues) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    showFenShi(scene, fenShiReply(scene, walkMinutes(90, 4000), 4000, 4001));
    const auto context = recordHeader(*scene.view);
    const std::pair<const char*, double> titles[] = {
        {"时:", 2}, {"价:", 39}, {"均:", 96}, {"幅:", 153}, {"量:", 195}};
    for (const auto& [title, x] : titles) {
        const DrawCall* call = context->textCall(title);
        ASSERT_NE(call, nullptr) << title;
        EXPECT_DOUBLE_EQ(call->rect.x, x) << title;
    }
    const DrawCall* time = context->textCall("10:29");
    ASSERT_NE(time, nullptr);
    EXPECT_DOUBLE_EQ(time->rect.x, 12);
    EXPECT_EQ(time->lineBreak, LineBreakMode::CharWrap);
}

TEST(CrossHairDrawing, shouldDrawLinesAndBoxOnlyWhileShown) {
    auto scene = makeScene(kKLine, {.state = kWide});
    showBars(scene, walkBars(80));
    EXPECT_TRUE(recordHeader(*scene.view)->callsIn(rgb(238, 101, 0)).empty());

    scene.view->setShowIndicatorCross(true);
    scene.view->setIndicatorCrossPointNum(10);
    scene.view->KLineResetDrawLineDataSelf(scene.period->KLineDataArray);
    const auto context = recordHeader(*scene.view);
    const auto lines = context->callsIn(rgb(238, 101, 0));
    ASSERT_EQ(lines.size(), 1u);
    const auto& candle = *scene.view->coordinateKLineData()[10];
    EXPECT_DOUBLE_EQ(lines[0].subpaths[0][0].x, candle.highestPiont.x);
    EXPECT_DOUBLE_EQ(lines[0].subpaths[1][0].y, candle.closePiont.y);
    EXPECT_EQ(lines[0].dash, (std::vector<double>{2, 2}));
    EXPECT_FALSE(lines[0].antialias);
    const auto box = context->callsIn(rgb(0, 0, 0));
    ASSERT_EQ(box.size(), 1u);
    EXPECT_EQ(box[0].rect, scene.layout->indicatorCrossData()->frame);
    EXPECT_EQ(context->callsIn(rgb(70, 69, 68)).size(), 1u);
    EXPECT_NE(context->textCall(candle.klineData->showClose), nullptr);
}

TEST(LayerDrawing, shouldPaintNothingForALayerOfAnotherTag) {
    auto scene = makeScene(kKLine, {});
    showBars(scene, walkBars(40));
    HQDrawContent stranger(Rect{0, 0, 10, 10});
    stranger.setTag(42);
    RecordingGraphicsContext context;
    scene.view->drawRectWithView(stranger, context, stranger.bounds());
    EXPECT_TRUE(context.calls().empty());
}

struct DegenerateCase {
    const char* name;
    std::function<void(ChartScene&)> show;
};

class DegenerateSeriesTest : public ::testing::TestWithParam<DegenerateCase> {};

// Whatever the series, only finite coordinates reach the painter.
TEST_P(DegenerateSeriesTest, shouldDrawOnlyFiniteCoordinates) {
    setTradingStart("09:00");
    const bool kline = std::string(GetParam().name).starts_with("kline");
    auto scene = makeScene(kline ? kKLine : kFenShi, {});
    GetParam().show(scene);
    for (const auto& context : {recordLines(*scene.view), recordHeader(*scene.view),
                                recordGrid(*scene.view->DrawBackgroundView())}) {
        EXPECT_TRUE(context->allFinite());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DegenerateSeriesTest,
    ::testing::Values(
        DegenerateCase{"klineNone", [](ChartScene& s) { showBars(s, {}); }},
        DegenerateCase{"klineOneBar", [](ChartScene& s) { showBars(s, {bar(3, 3, 3, 3)}); }},
        DegenerateCase{"klineZeroPrices", [](ChartScene& s) { showBars(s, walkBars(50, 0)); }},
        DegenerateCase{"klineOffsetPastCount",
                       [](ChartScene& s) {
                           s.period->offset = 500;
                           showBars(s, walkBars(50));
                       }},
        DegenerateCase{"fenshiFlatVolume",
                       [](ChartScene& s) {
                           auto minutes = walkMinutes(30, 4000);
                           for (auto& m : minutes) {
                               m->xianShou = 7;
                           }
                           showFenShi(s, fenShiReply(s, minutes, 4000, 4000));
                       }},
        DegenerateCase{
            "fenshiZeroClose",
            [](ChartScene& s) { showFenShi(s, fenShiReply(s, walkMinutes(30, 0), 0, 0)); }},
        DegenerateCase{"fenshiOnePoint",
                       [](ChartScene& s) {
                           showFenShi(s, fenShiReply(s, {fenShiMinute(540, 5, 5, 0, 5)}, 5, 5));
                       }},
        DegenerateCase{"fenshiNoMinutes",
                       [](ChartScene& s) { showFenShi(s, fenShiReply(s, {}, 4000, 4000)); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridDrawing, shouldDrawTheActiveLineSolidAndTheOthersDotted) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    const auto context = recordGrid(*scene.view->DrawBackgroundView());
    const auto grey = context->callsIn(rgb(74, 74, 74));
    ASSERT_GE(grey.size(), 2u);
    // Eight lines 25.625 apart from y 15; line 4 (the fifth) is solid like line 0.
    EXPECT_EQ(grey[0].dash, (std::vector<double>{2, 2}));
    EXPECT_EQ(grey[0].subpaths.size(), 6u);
    EXPECT_DOUBLE_EQ(grey[0].subpaths[2][0].y, 15 + 3 * 25.625);
    EXPECT_TRUE(grey[1].dash.empty());
    EXPECT_DOUBLE_EQ(grey[1].subpaths[0][0].y, 15);
    EXPECT_DOUBLE_EQ(grey[1].subpaths[1][0].y, 15 + 4 * 25.625);
    for (const DrawCall& line : grey) {
        EXPECT_FALSE(line.antialias);
    }
    EXPECT_EQ(context->callsIn(rgb(80, 80, 80)).size(), 8u);
    EXPECT_EQ(context->texts(), (std::vector<std::string>{"09:00", "11:00", "15:00", "19:00",
                                                          "23:00", "03:00", "07:00", "09:00"}));
}

// The wide K-line grid names no active line: nothing is drawn above its first line, where the
// period bar lies.
TEST(GridDrawing, shouldDrawNoLineAboveTheFirstWhenNoLineIsActive) {
    auto scene = makeScene(kKLine, {.state = kWide});
    const auto& main = *scene.layout->coordinateSystemInfoOfMain();
    ASSERT_EQ(main.activeLintCount, 0);
    const auto context = recordGrid(*scene.view->DrawBackgroundView());
    for (const DrawCall& line : context->callsIn(rgb(74, 74, 74))) {
        for (const Point& point : line.points()) {
            EXPECT_GE(point.y, main.firstDottedLineY);
        }
    }
}

TEST(GridDrawing, shouldAddDottedIndicatorLinesForKDJ) {
    auto scene = makeScene(kKLine, {});
    auto& grid = *scene.view->DrawBackgroundView();
    const size_t withMACD = recordGrid(grid)->callsIn(rgb(74, 74, 74)).size();
    scene.view->setQuotaShowInfo(1);
    ASSERT_TRUE(grid.isKDJ());
    const auto context = recordGrid(grid);
    const auto grey = context->callsIn(rgb(74, 74, 74));
    EXPECT_EQ(grey.size(), withMACD + 1);
    EXPECT_TRUE(context->texts().empty());
}

TEST(GridDrawing, shouldDrawUprightTextTwentyPointsDown) {
    auto scene = makeScene(kKLine, {});
    RecordingGraphicsContext context;
    scene.view->DrawBackgroundView()->drawText(context, "abc", 10, 30);
    const DrawCall* text = context.textCall("abc");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->font, Font::named("Arial", 20));
    EXPECT_DOUBLE_EQ(text->rect.y + text->font.ascender(), 50);
}
