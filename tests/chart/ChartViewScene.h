#pragma once

// A chart view with everything it reads set up: the layout object for one
// case, the current commodity with its chart state, and series made from a
// seeded walk.

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ChartTestSupport.h"
#include "chart/ChartScale.h"
#include "chart/HQDrawManager.h"
#include "quote/HQKLineIndicators.h"

namespace charttest {

constexpr int64_t kFirstBarDate = 1767225600000;  // 2026-01-01 00:00 UTC
constexpr int64_t kDayMs = 86400000;

struct ChartScene {
    std::unique_ptr<DeviceFacts> facts;
    std::shared_ptr<VariableAboutDevice> layout;
    std::shared_ptr<commodityInfo> commodity;
    std::shared_ptr<commodityStatusItem> status;
    std::shared_ptr<PeriodStatusInfo> period;
    std::shared_ptr<HQDrawManager> view;
};

struct SceneOptions {
    uint32_t state = kNormal;
    bool fourInch = true;
    int decimals = 2;
    uint32_t grade = 1;
    int offset = 0;
    bool macd = true;
};

inline ChartScene makeScene(uint32_t kind, const SceneOptions& options) {
    ChartScene scene;
    scene.facts = std::make_unique<DeviceFacts>(options.fourInch);
    scene.layout = std::make_shared<VariableAboutDevice>(options.state, kind, 0,
                                                         std::make_shared<HQFSDrawPram>(0));
    scene.commodity = std::make_shared<commodityInfo>();
    scene.commodity->CommodityID = 7;
    scene.commodity->CommodityName = "白银";
    scene.commodity->leastPrice = options.decimals;
    scene.status = std::make_shared<commodityStatusItem>();
    scene.status->commodity = scene.commodity;
    scene.status->result = std::make_shared<HQCalculationResult>();
    scene.period = std::make_shared<PeriodStatusInfo>();
    scene.period->grade = options.grade;
    scene.period->offset = options.offset;
    scene.period->periodItem = std::make_shared<KPeriodDataItem>();
    scene.period->periodItem->periodID = 1;
    scene.period->periodItem->periodName = "日线";
    scene.status->periodButtonArray = {scene.period};
    scene.layout->setPeriodButtonInfoArray({scene.period->periodItem});
    scene.layout->setCurrentCommodity(scene.commodity);
    scene.layout->setCommodityStatusInfoArray({scene.status});
    auto& status = *scene.layout->statusSaveClass();
    status.FenShiButtonSelected = kind == kFenShi;
    status.KLineButtonSelected = kind == kKLine;
    status.iphoneKLineZhiBiaoMACDButtonSelected = options.macd;
    status.iphoneKLineZhiBiaoKDJButtonSelected = !options.macd;
    // The zoom grade takes effect at a layout run.
    scene.layout->setScreenState(options.state, kind);
    scene.view = std::make_shared<HQDrawManager>(scene.layout);
    scene.view->setQuotaShowInfo(options.macd ? 0 : 1);
    return scene;
}

// A seeded walk around 4000 with indicators, one bar a day.
inline std::vector<std::shared_ptr<KLineDataItem>> walkBars(int count, double start = 4000) {
    std::vector<std::shared_ptr<KLineDataItem>> bars;
    double close = start;
    for (int i = 0; i < count; ++i) {
        const double open = close;
        close = open + 40 * std::sin(i * 0.37) + 25 * std::cos(i * 1.3);
        const double high = std::max(open, close) + 10 + 8 * std::fabs(std::sin(i * 2.1));
        const double low = std::min(open, close) - 10 - 8 * std::fabs(std::cos(i * 1.7));
        bars.push_back(bar(open, high, low, close, kFirstBarDate + i * kDayMs));
    }
    HQKLineIndicators::compute(bars);
    return bars;
}

// The walk with the same MACD values on every bar, which sets the indicator area's range.
inline std::vector<std::shared_ptr<KLineDataItem>> walkBarsWithMACD(int count, double dif,
                                                                    double dea, double macd) {
    auto bars = walkBars(count);
    for (const auto& b : bars) {
        b->MACDKDJ->dif = dif;
        b->MACDKDJ->dea = dea;
        b->MACDKDJ->macd = macd;
    }
    return bars;
}

inline std::vector<std::shared_ptr<ReturnKLineData>> replyOf(
    std::vector<std::shared_ptr<KLineDataItem>> bars) {
    auto reply = std::make_shared<ReturnKLineData>();
    reply->klineDataItemsArray = std::move(bars);
    return {reply};
}

// Hands the bars to the period and rebuilds the window.
inline void showBars(ChartScene& scene, std::vector<std::shared_ptr<KLineDataItem>> bars) {
    scene.period->KLineDataArray = replyOf(std::move(bars));
    scene.view->KLineResetDrawLineDataSelf(scene.period->KLineDataArray);
}

inline std::shared_ptr<FenShiDataItem> fenShiMinute(int minuteOfDay, double price, double average,
                                                    int volume, double yesterdayClose,
                                                    int decimals = 2) {
    auto row = std::make_shared<FenShiDataItem>();
    row->fenShiTime = std::to_string(minuteOfDay / 60 * 100 + minuteOfDay % 60);
    row->price = price;
    row->ShowPrice = chartscale::priceText(price, decimals);
    row->averagePrice = average;
    row->ShowAverage = chartscale::priceText(average, decimals);
    row->xianShou = volume;
    row->yesterdayClose = yesterdayClose;
    return row;
}

// A time-sharing reply of one day whose minutes start at 09:00, with the
// status range as the series construction keeps it: prices from the first
// minute on, volumes from 0.
inline std::shared_ptr<CommodityFenShiDataItem> fenShiReply(
    ChartScene& scene, const std::vector<std::shared_ptr<FenShiDataItem>>& minutes,
    double yesterdayClose, double todayOpen) {
    auto reply = std::make_shared<CommodityFenShiDataItem>();
    reply->yesterdayClose = yesterdayClose;
    reply->todayOpen = todayOpen;
    auto day = std::make_shared<TradingDayNum>();
    day->fenShiDataItemArray = minutes;
    reply->tradingDayNumArray = {day};
    HQCalculationResult range;
    bool first = true;
    for (const auto& m : minutes) {
        range.highest = first ? m->price : std::max(range.highest, m->price);
        range.lowest = first ? m->price : std::min(range.lowest, m->price);
        range.xianShouHighest = std::max<double>(range.xianShouHighest, m->xianShou);
        range.xianShouLowest = std::min<double>(range.xianShouLowest, m->xianShou);
        first = false;
    }
    chartscale::makeSymmetricAboutClose(range, yesterdayClose);
    *scene.status->result = range;
    scene.status->FenShiDataArray = {reply};
    return reply;
}

// A walk of `count` minutes from 09:00 around yesterday's close.
inline std::vector<std::shared_ptr<FenShiDataItem>> walkMinutes(int count, double yesterdayClose) {
    std::vector<std::shared_ptr<FenShiDataItem>> minutes;
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        const double price = yesterdayClose + 30 * std::sin(i * 0.02) + 8 * std::sin(i * 0.3);
        sum += price;
        const int volume = 5 + static_cast<int>(120 * std::pow(std::fabs(std::sin(i * 0.05)), 6));
        minutes.push_back(fenShiMinute(9 * 60 + i, price, sum / (i + 1), volume, yesterdayClose));
    }
    return minutes;
}

inline void showFenShi(ChartScene& scene, const std::shared_ptr<CommodityFenShiDataItem>& reply) {
    scene.view->FenShiResetDrawDataWithCommodity({reply}, scene.commodity);
}

}  // namespace charttest
