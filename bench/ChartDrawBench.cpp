#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCandlestickSeries>
#include <QCandlestickSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QThreadPool>
#include <QValueAxis>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>

#include "chart/HQBackGroundView.h"
#include "chart/HQDrawContent.h"
#include "chart/HQDrawManager.h"
#include "chart/HQFSDrawPram.h"
#include "chart/VariableAboutDevice.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewRenderer.h"
#include "quote/HQKLineIndicators.h"
#include "quote/QuoteRecords.h"

// The K-line chart (candles, MA 5/10/20/30, MACD, axis labels, header) of 3,000 held bars drawn
// into a 640 x 1136 image, at the default zoom grade (1) and the densest one (0); beside it the
// same visible candles and averages drawn by Qt Charts into an image of the same size.
// Targets: a full redraw at grade 0 under 2 ms, and ours no slower than Qt Charts (the ratio
// counter of BM_QtChartsTimeOverOurs at least 0.95): both stroke through the same rasterizer and
// ours draws MACD, header and labels besides.

namespace {

constexpr int kBars = 3000;
constexpr int kPixelWidth = 640;
constexpr int kPixelHeight = 1136;

std::vector<std::shared_ptr<KLineDataItem>> walkBars() {
    std::vector<std::shared_ptr<KLineDataItem>> bars;
    double close = 4000;
    for (int i = 0; i < kBars; ++i) {
        auto bar = std::make_shared<KLineDataItem>();
        const double open = close;
        close = open + 40 * std::sin(i * 0.37) + 25 * std::cos(i * 1.3);
        bar->date = 1767225600000 + static_cast<int64_t>(i) * 86400000;
        bar->open = static_cast<float>(open);
        bar->close = static_cast<float>(close);
        bar->highest = static_cast<float>(std::max(open, close) + 12);
        bar->lowest = static_cast<float>(std::min(open, close) - 12);
        bars.push_back(bar);
    }
    HQKLineIndicators::compute(bars);
    return bars;
}

// The normal 4-inch K-line chart holding the bars at one zoom grade, placed on a phone screen
// under the status and navigation bars.
struct OurChart {
    explicit OurChart(uint32_t grade) {
        SystemInfo::setScreenMode(SystemInfo::kFourInchScreen);
        layout = std::make_shared<VariableAboutDevice>(0, 1, 0, std::make_shared<HQFSDrawPram>(0));
        auto commodity = std::make_shared<commodityInfo>();
        commodity->leastPrice = 2;
        auto status = std::make_shared<commodityStatusItem>();
        status->commodity = commodity;
        period = std::make_shared<PeriodStatusInfo>();
        period->grade = grade;
        auto reply = std::make_shared<ReturnKLineData>();
        reply->klineDataItemsArray = walkBars();
        period->KLineDataArray = {reply};
        status->periodButtonArray = {period};
        layout->setCurrentCommodity(commodity);
        layout->setCommodityStatusInfoArray({status});
        layout->statusSaveClass()->iphoneKLineZhiBiaoMACDButtonSelected = true;
        layout->setScreenState(0, 1);
        screen = std::make_unique<View>(Rect{0, 0, 320, 568});
        screen->setBackgroundColor(Color::blackColor());
        auto chart = std::make_unique<View>(Rect{0, 64, 320, layout->rootViewFrame().height});
        view = std::make_shared<HQDrawManager>(layout);
        // The K-line chart's frame lies one page to the right of the time-sharing chart; the chart
        // manager shifts it left by a page to show it, and so does this screen.
        view->setFrame(view->frame().offsetBy(-320, 0));
        view->setQuotaShowInfo(0);
        chart->addSubview(view);
        screen->addSubview(std::move(chart));
        view->KLineResetDrawLineDataSelf(period->KLineDataArray);
        draw();  // the layers find out that they draw on surfaces of their own
    }

    void draw() {
        QPainter painter(&image);
        painter.scale(2, 2);
        ViewRenderer::render(painter, *screen);
    }

    std::shared_ptr<VariableAboutDevice> layout;
    std::shared_ptr<PeriodStatusInfo> period;
    std::unique_ptr<View> screen;
    std::shared_ptr<HQDrawManager> view;
    QImage image{kPixelWidth, kPixelHeight, QImage::Format_ARGB32_Premultiplied};
};

// The visible candles and averages as Qt Charts series over one shared pair of axes, plotted
// over the area where our chart draws its candles, with our line widths: 1 point for the
// averages, 0.5 for the wicks.
struct QtChartsChart {
    explicit QtChartsChart(const OurChart& ours) {
        auto* candles = new QCandlestickSeries;
        candles->setIncreasingColor(QColor(255, 33, 54));
        candles->setDecreasingColor(QColor(57, 225, 24));
        QPen wick = candles->pen();
        wick.setWidthF(0.5);
        candles->setPen(wick);
        QLineSeries* averages[4];
        const QColor colours[4] = {QColor(255, 255, 255), QColor(246, 215, 58),
                                   QColor(214, 29, 152), QColor(29, 139, 216)};
        for (int i = 0; i < 4; ++i) {
            averages[i] = new QLineSeries;
            averages[i]->setPen(QPen(colours[i], 1));
        }
        double lowest = std::numeric_limits<double>::max();
        double highest = std::numeric_limits<double>::lowest();
        int x = 0;
        for (const auto& item : ours.view->coordinateKLineData()) {
            const KLineDataItem& bar = *item->klineData;
            candles->append(new QCandlestickSet(bar.open, bar.highest, bar.lowest, bar.close, x));
            lowest = std::min<double>(lowest, bar.lowest);
            highest = std::max<double>(highest, bar.highest);
            const std::shared_ptr<PMADataItem> values[4] = {
                bar.PMAGroup->PMA5Data, bar.PMAGroup->PMA10Data, bar.PMAGroup->PMA20Data,
                bar.PMAGroup->PMA30Data};
            for (int i = 0; i < 4; ++i) {
                if (values[i]) {
                    averages[i]->append(x, values[i]->value);
                    lowest = std::min<double>(lowest, values[i]->value);
                    highest = std::max<double>(highest, values[i]->value);
                }
            }
            ++x;
        }
        chart = new QChart;
        // One slot per candle along x, as ours: the candles' timestamps are their indexes.
        auto* time = new QValueAxis;
        time->setRange(-0.5, x - 0.5);
        auto* price = new QValueAxis;
        price->setRange(lowest, highest);
        chart->addAxis(time, Qt::AlignBottom);
        chart->addAxis(price, Qt::AlignLeft);
        chart->addSeries(candles);
        for (QLineSeries* series : averages) {
            chart->addSeries(series);
        }
        for (QAbstractSeries* series : chart->series()) {
            series->attachAxis(time);
            series->attachAxis(price);
        }
        chart->legend()->hide();
        chart->setAnimationOptions(QChart::NoAnimation);
        chart->setBackgroundBrush(QColor(17, 17, 17));
        chart->setBackgroundRoundness(0);
        scene.addItem(chart);
        chart->setGeometry(0, 0, 320, 568);
        const DrawRect& main = *ours.layout->drawRectOfMain();
        const Point origin = ours.view->convertPointToWindow(Point{main.x, main.y});
        chart->setPlotArea(QRectF(origin.x, origin.y, main.width, main.height));
        // Axes, grid and labels follow the plot area only in a new layout pass.
        chart->layout()->invalidate();
        chart->layout()->activate();
        image.fill(Qt::black);
    }

    void draw() {
        QPainter painter(&image);
        // The same picture: our lines are antialiased too.
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(0, 0, kPixelWidth, kPixelHeight), QRectF(0, 0, 320, 568));
    }

    QGraphicsScene scene;
    QChart* chart = nullptr;  // owned by the scene
    QImage image{kPixelWidth, kPixelHeight, QImage::Format_ARGB32_Premultiplied};
};

void setCounters(benchmark::State& state, const HQDrawManager& view) {
    state.counters["candles"] = static_cast<double>(view.coordinateKLineData().size());
}

void BM_OurKLineRedraw(benchmark::State& state) {
    OurChart chart(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state) {
        chart.draw();
        benchmark::DoNotOptimize(chart.image.constBits());
    }
    setCounters(state, *chart.view);
}

// A new window over the held bars (range, conversion, labels, header) and its drawing.
void BM_OurKLineRebuildAndRedraw(benchmark::State& state) {
    OurChart chart(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state) {
        chart.view->KLineResetDrawLineDataSelf(chart.period->KLineDataArray);
        chart.draw();
        benchmark::DoNotOptimize(chart.image.constBits());
    }
    setCounters(state, *chart.view);
}

// One layer's drawing alone, straight into the image: where a redraw's time goes.
void BM_OurKLineLayer(benchmark::State& state) {
    OurChart chart(0);
    HQDrawContent* layers[] = {chart.view->DrawLineView(), chart.view->DrawCurrentDataView()};
    HQDrawContent& layer = *layers[state.range(0)];
    for (auto _ : state) {
        QPainter painter(&chart.image);
        painter.scale(2, 2);
        GraphicsContext context(painter);
        chart.view->drawRectWithView(layer, context, layer.bounds());
    }
}

void BM_OurKLineGrid(benchmark::State& state) {
    OurChart chart(0);
    for (auto _ : state) {
        QPainter painter(&chart.image);
        painter.scale(2, 2);
        GraphicsContext context(painter);
        chart.view->DrawBackgroundView()->draw(context, chart.view->bounds());
    }
}

void BM_QtChartsCandlesAndAverages(benchmark::State& state) {
    OurChart ours(static_cast<uint32_t>(state.range(0)));
    QtChartsChart theirs(ours);
    theirs.draw();
    for (auto _ : state) {
        theirs.draw();
        benchmark::DoNotOptimize(theirs.image.constBits());
    }
    setCounters(state, *ours.view);
}

// Both pictures in turn, so that their ratio compares them under the same load on a shared
// machine.
void BM_QtChartsTimeOverOurs(benchmark::State& state) {
    OurChart ours(static_cast<uint32_t>(state.range(0)));
    QtChartsChart theirs(ours);
    theirs.draw();
    double oursSeconds = 0;
    double theirsSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ours.draw();
        const auto middle = std::chrono::steady_clock::now();
        theirs.draw();
        const auto end = std::chrono::steady_clock::now();
        oursSeconds += std::chrono::duration<double>(middle - start).count();
        theirsSeconds += std::chrono::duration<double>(end - middle).count();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = 1e3 * oursSeconds / iterations;
    state.counters["qtcharts_ms"] = 1e3 * theirsSeconds / iterations;
    state.counters["ratio"] = oursSeconds > 0 ? theirsSeconds / oursSeconds : 0;
    setCounters(state, *ours.view);
}

}  // namespace

BENCHMARK(BM_OurKLineRedraw)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OurKLineRebuildAndRedraw)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OurKLineLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OurKLineGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtChartsCandlesAndAverages)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtChartsTimeOverOurs)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("VKJY_BENCH_ONE_THREAD")) {
        QThreadPool::globalInstance()->setMaxThreadCount(1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
