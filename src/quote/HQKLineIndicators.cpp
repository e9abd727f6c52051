#include "quote/HQKLineIndicators.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::array<size_t, 4> kAveragePeriods = {5, 10, 20, 30};
constexpr double kShortEma = 12;
constexpr double kLongEma = 26;
constexpr double kSignalEma = 9;
constexpr size_t kRsvBars = 9;
constexpr double kKdjSeed = 50;

std::shared_ptr<PMADataItem>& averageSlot(PMAGroupItem& group, size_t which) {
    switch (which) {
        case 0:
            return group.PMA5Data;
        case 1:
            return group.PMA10Data;
        case 2:
            return group.PMA20Data;
        default:
            return group.PMA30Data;
    }
}

double ema(double previous, double value, double period) {
    return (2 * value + (period - 1) * previous) / (period + 1);
}

void movingAverages(const std::vector<std::shared_ptr<KLineDataItem>>& bars) {
    std::array<double, kAveragePeriods.size()> sums{};
    for (size_t i = 0; i < bars.size(); ++i) {
        KLineDataItem& bar = *bars[i];
        if (!bar.PMAGroup) {
            bar.PMAGroup = std::make_shared<PMAGroupItem>();
        }
        for (size_t a = 0; a < kAveragePeriods.size(); ++a) {
            const size_t n = kAveragePeriods[a];
            sums[a] += bar.close;
            if (i >= n) {
                sums[a] -= bars[i - n]->close;
            }
            auto& slot = averageSlot(*bar.PMAGroup, a);
            if (i + 1 < n) {
                slot.reset();
                continue;
            }
            if (!slot) {
                slot = std::make_shared<PMADataItem>();
            }
            slot->value = sums[a] / static_cast<double>(n);
        }
    }
}
}  // namespace

void HQKLineIndicators::compute(const std::vector<std::shared_ptr<KLineDataItem>>& bars) {
    movingAverages(bars);
    double shortEma = 0;
    double longEma = 0;
    double dea = 0;
    double k = kKdjSeed;
    double d = kKdjSeed;
    for (size_t i = 0; i < bars.size(); ++i) {
        KLineDataItem& bar = *bars[i];
        const double close = bar.close;
        shortEma = i == 0 ? close : ema(shortEma, close, kShortEma);
        longEma = i == 0 ? close : ema(longEma, close, kLongEma);
        const double dif = shortEma - longEma;
        dea = i == 0 ? dif : ema(dea, dif, kSignalEma);

        const size_t first = i + 1 >= kRsvBars ? i + 1 - kRsvBars : 0;
        double high = bars[first]->highest;
        double low = bars[first]->lowest;
        for (size_t j = first + 1; j <= i; ++j) {
            high = std::max<double>(high, bars[j]->highest);
            low = std::min<double>(low, bars[j]->lowest);
        }
        const double rsv = high == low ? 50.0 : (close - low) / (high - low) * 100.0;
        k = (2 * k + rsv) / 3;
        d = (2 * d + k) / 3;

        if (!bar.MACDKDJ) {
            bar.MACDKDJ = std::make_shared<MACDKDJGroupItem>();
        }
        MACDKDJGroupItem& values = *bar.MACDKDJ;
        values.dif = dif;
        values.dea = dea;
        values.macd = 2 * (dif - dea);
        values.KValue = k;
        values.DValue = d;
        values.JValue = 3 * k - 2 * d;
    }
}
