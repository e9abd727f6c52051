#include "chart/ChartSeries.h"

#include <algorithm>

#include "chart/ChartDrawingRecords.h"
#include "chart/ChartScale.h"
#include "chart/ChartStateRecords.h"
#include "chart/ChartTime.h"
#include "quote/QuoteRecords.h"

namespace chartseries {

namespace {

constexpr const char* kRequestNew = "klineRequestNew";

struct AverageSlot {
    size_t length;
    std::shared_ptr<PMADataItem> PMAGroupItem::*slot;
};

constexpr AverageSlot kAverages[] = {{5, &PMAGroupItem::PMA5Data},
                                     {10, &PMAGroupItem::PMA10Data},
                                     {20, &PMAGroupItem::PMA20Data},
                                     {30, &PMAGroupItem::PMA30Data}};

bool holdsBars(const PeriodStatusInfo& period) {
    return !period.KLineDataArray.empty() && period.KLineDataArray.front() &&
           !period.KLineDataArray.front()->klineDataItemsArray.empty();
}

std::shared_ptr<TradingDayNum> firstDay(const CommodityFenShiDataItem& item) {
    return item.tradingDayNumArray.empty() ? nullptr : item.tradingDayNumArray.front();
}

// Widens the range by one point; true when the price range changed. A fresh range takes its
// prices from the point; its volumes count from 0, so the quietest minute still draws a bar.
bool widen(HQCalculationResult& range, bool fresh, const FenShiDataItem& point) {
    const double volume = point.xianShou;
    bool changed = fresh;
    if (fresh) {
        range.highest = range.lowest = point.price;
    }
    if (point.price > range.highest) {
        range.highest = point.price;
        changed = true;
    }
    if (point.price < range.lowest) {
        range.lowest = point.price;
        changed = true;
    }
    range.xianShouHighest = std::max(range.xianShouHighest, volume);
    range.xianShouLowest = std::min(range.xianShouLowest, volume);
    return changed;
}

// The first record of the newest trading day: the last that lies before the one before it, counted
// from the start of trading; 0 while the minutes keep moving on (a session over midnight does).
size_t newestDayStart(const std::vector<std::shared_ptr<FenShiRecordNum>>& records, int start) {
    size_t first = 0;
    int before = -1;
    for (size_t i = 0; i < records.size(); ++i) {
        const int at = records[i] ? charttime::minutesSinceStart(records[i]->fenShiTime, start) : 0;
        if (at < before) {
            first = i;
        }
        before = at;
    }
    return first;
}

}  // namespace

void computeAverages(const std::vector<std::shared_ptr<KLineDataItem>>& bars, size_t start) {
    for (size_t i = start; i < bars.size(); ++i) {
        KLineDataItem& bar = *bars[i];
        if (!bar.PMAGroup) {
            bar.PMAGroup = std::make_shared<PMAGroupItem>();
        }
        for (const AverageSlot& average : kAverages) {
            auto& value = (*bar.PMAGroup).*average.slot;
            if (i + 1 < average.length || value) {
                continue;
            }
            double sum = 0;
            for (size_t j = i + 1 - average.length; j <= i; ++j) {
                sum += std::max(static_cast<double>(bars[j]->close), 0.0);
            }
            value = std::make_shared<PMADataItem>();
            value->value = sum / static_cast<double>(average.length);
        }
    }
}

KLineMerge mergeKLineReply(PeriodStatusInfo& period, const KLineReplies& replies,
                           const std::string& requestType) {
    if (replies.empty() || !replies.front()) {
        return KLineMerge::Empty;
    }
    const auto& fetched = replies.front()->klineDataItemsArray;
    if (requestType != kRequestNew || !holdsBars(period)) {
        if (fetched.empty()) {
            return KLineMerge::Empty;
        }
        period.KLineDataArray = replies;
        return KLineMerge::Replaced;
    }
    if (fetched.empty()) {
        return KLineMerge::Empty;
    }
    auto& held = period.KLineDataArray.front()->klineDataItemsArray;
    const int64_t from = fetched.front()->date;
    held.erase(std::remove_if(held.begin(), held.end(),
                              [from](const auto& bar) { return !bar || bar->date >= from; }),
               held.end());
    held.insert(held.end(), fetched.begin(), fetched.end());
    return KLineMerge::Appended;
}

void foldDays(CommodityFenShiDataItem& item) {
    auto& days = item.tradingDayNumArray;
    if (days.size() < 2 || !days[0] || !days[1]) {
        return;
    }
    days[0]->tradingDay = days[1]->tradingDay;
    days[0]->fenShiRecordNumArray.insert(days[0]->fenShiRecordNumArray.end(),
                                         days[1]->fenShiRecordNumArray.begin(),
                                         days[1]->fenShiRecordNumArray.end());
}

std::shared_ptr<FenShiDataItem> pointOf(const CommodityFenShiDataItem& reply,
                                        const FenShiRecordNum& record, int decimals) {
    auto point = std::make_shared<FenShiDataItem>();
    point->commodityTag = static_cast<uint16_t>(reply.commodityID);
    const auto day = firstDay(reply);
    point->date = day ? std::atoi(day->tradingDay.c_str()) : 0;
    point->price = record.leastPrice;
    point->fenShiTime = record.fenShiTime;
    point->averagePrice = record.averagePrice;
    point->xianShou = record.xianShou;
    point->yesterdayClose = reply.yesterdayClose;
    point->ShowPrice = chartscale::priceText(record.leastPrice, decimals);
    point->ShowAverage = chartscale::priceText(record.averagePrice, decimals);
    return point;
}

FenShiMerge mergeFenShiReply(commodityStatusItem& status, const FenShiReplies& replies,
                             int decimals, int tradingStart) {
    const auto reply = replies.empty() ? nullptr : replies.front();
    const auto day = reply ? firstDay(*reply) : nullptr;
    if (!day) {
        return FenShiMerge::NoDay;
    }
    const auto held = status.FenShiDataArray.empty() ? nullptr : status.FenShiDataArray.front();
    const auto heldDay = held ? firstDay(*held) : nullptr;
    // When the exchange's day turns, the new day is drawn from its own first minute, over a range
    // of its own: yesterday's minutes would sit right of today's.
    auto& records = day->fenShiRecordNumArray;
    const size_t turn = newestDayStart(records, tradingStart);
    records.erase(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(turn));
    bool dayTurned = turn > 0;
    if (heldDay && !heldDay->fenShiDataItemArray.empty() && !records.empty() && records.front() &&
        heldDay->tradingDay != day->tradingDay) {
        dayTurned =
            dayTurned || charttime::minutesSinceStart(records.front()->fenShiTime, tradingStart) <
                             charttime::minutesSinceStart(
                                 heldDay->fenShiDataItemArray.back()->fenShiTime, tradingStart);
    }
    if (dayTurned) {
        status.result.reset();
    }
    day->fenShiDataItemArray.clear();
    bool rangeChanged = false;
    for (const auto& record : day->fenShiRecordNumArray) {
        auto point = pointOf(*reply, *record, decimals);
        const bool fresh = !status.result;
        if (fresh) {
            status.result = std::make_shared<HQCalculationResult>();
        }
        rangeChanged = widen(*status.result, fresh, *point) || rangeChanged;
        day->fenShiDataItemArray.push_back(std::move(point));
    }
    if (status.result) {
        chartscale::makeSymmetricAboutClose(*status.result, reply->yesterdayClose);
    }
    // Points converted before are stale: an update of the newest minute keeps their count.
    status.NormalFenShiData.clear();
    status.WidthFenShiData.clear();
    if (!heldDay || heldDay->fenShiRecordNumArray.empty() || dayTurned) {
        status.FenShiDataArray = replies;
        return dayTurned ? FenShiMerge::FullRedraw : FenShiMerge::FirstLoad;
    }
    held->highestPrice = reply->highestPrice;
    held->highestPriceTime = reply->highestPriceTime;
    held->lowestPrice = reply->lowestPrice;
    held->lowestPriceTime = reply->lowestPriceTime;
    auto& points = heldDay->fenShiDataItemArray;
    const auto& fresh = day->fenShiDataItemArray;
    if (!points.empty() && !fresh.empty() &&
        points.back()->fenShiTime == fresh.front()->fenShiTime) {
        points.pop_back();
        heldDay->tradingDay = day->tradingDay;
        points.insert(points.end(), fresh.begin(), fresh.end());
    }
    return rangeChanged || fresh.size() > 1 ? FenShiMerge::FullRedraw : FenShiMerge::NewestOnly;
}

}  // namespace chartseries
