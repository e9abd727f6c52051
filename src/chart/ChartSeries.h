#pragma once

#include <memory>
#include <string>
#include <vector>

struct CommodityFenShiDataItem;
struct FenShiDataItem;
struct FenShiRecordNum;
struct KLineDataItem;
struct PeriodStatusInfo;
struct ReturnKLineData;
struct commodityStatusItem;

// How the chart manager builds the series it draws from quote replies: the
// K-line merge, the moving averages, the time-sharing points with the day's
// range, and the day fold of replies that carry two trading days. Pure
// functions over the chart records; main thread, or the history download's
// task for the moving averages.
namespace chartseries {

using KLineReplies = std::vector<std::shared_ptr<ReturnKLineData>>;
using FenShiReplies = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;

// Moving averages of 5, 10, 20 and 30 closes (a negative close counts 0) for
// the bars from `start` on; a value already present stays.
void computeAverages(const std::vector<std::shared_ptr<KLineDataItem>>& bars, size_t start);

enum class KLineMerge {
    Replaced,  // the reply is the period's series now
    Appended,  // the reply's bars replaced the held ones from its first date on
    Empty,     // nothing to merge
};

// A first or full reply replaces the held series; an incremental one drops the
// held bars dated at or after its first bar and appends its bars, the rule the
// K-line store applies, so that what is drawn is what is stored.
KLineMerge mergeKLineReply(PeriodStatusInfo& period, const KLineReplies& replies,
                           const std::string& requestType);

// Day 0 takes day 1's date and appends day 1's records when there are two days.
void foldDays(CommodityFenShiDataItem& item);

std::shared_ptr<FenShiDataItem> pointOf(const CommodityFenShiDataItem& reply,
                                        const FenShiRecordNum& record, int decimals);

enum class FenShiMerge {
    NoDay,       // the reply holds no trading day
    FirstLoad,   // the reply became the held series
    FullRedraw,  // merged; the range changed or several points came
    NewestOnly,  // merged; only the newest point needs drawing
};

// Makes the reply's points, widens the status item's range by them and makes
// it symmetric about yesterday's close, then keeps the reply (first load) or
// merges its points into the held day when they continue it; the points converted for drawing
// are dropped, to be converted again. Minutes count from the start of trading (minutes after the
// exchange's midnight): when the exchange's trading day turns, in the reply or between the held
// day and the reply, the new day alone is kept, from its first minute, with a range of its own.
FenShiMerge mergeFenShiReply(commodityStatusItem& status, const FenShiReplies& replies,
                             int decimals, int tradingStart = 0);

}  // namespace chartseries
