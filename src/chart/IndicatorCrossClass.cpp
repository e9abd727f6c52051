#include "chart/IndicatorCrossClass.h"

#include "chart/ChartStyle.h"
#include "chart/ChartTime.h"
#include "chart/CurrentShowDataLayerInfo.h"
#include "platform/foundation/DateFormat.h"
#include "quote/QuoteRecords.h"

namespace {

// Dates below this are not real bar times, so the box shows no time of day.
constexpr int64_t kFirstRealBarDate = 100000000;

}  // namespace

std::string IndicatorCrossClass::numToString(int32_t value) {
    return CurrentShowDataLayerInfo::numToString(value);
}

std::string IndicatorCrossClass::change(double value) {
    return CurrentShowDataLayerInfo::change(value);
}

void IndicatorCrossClass::setDataToIndicatorCrossItemArrayFromItem(
    const FenShiDataItem* row, const std::vector<Color>& colors) {
    if (!row) {
        return;
    }
    layOutValues({CurrentShowDataLayerInfo::minuteText(row->fenShiTime), row->ShowPrice,
                  row->ShowAverage, row->zhangfu, row->showXianshou},
                 colors);
}

void IndicatorCrossClass::setDataToIndicatorCrossItemArrayFromItem(
    const KLineDataItem* row, const std::vector<Color>& colors) {
    if (!row) {
        return;
    }
    const double seconds = static_cast<double>(row->date / 1000);
    const bool showsTime = row->date >= kFirstRealBarDate;
    std::vector<Color> withTimeColor = colors;
    if (!withTimeColor.empty()) {
        withTimeColor.push_back(chartstyle::white());
    }
    if (showsTime && !IndicatorCrossItemArray.empty()) {
        IndicatorCrossItemArray.front()->font = chartstyle::arial(7);
    }
    const DateFormat::Zone zone = charttime::exchangeZone();
    layOutValues({DateFormat("yy/MM/dd", zone).format(seconds), row->showOpen, row->showHighest,
                  row->showLowest, row->showClose, row->zhangfu,
                  showsTime ? DateFormat("HH:mm", zone).format(seconds) : std::string(" ")},
                 withTimeColor);
}

void IndicatorCrossClass::layOutValues(const std::vector<std::string>& values,
                                       const std::vector<Color>& colors) {
    auto& items = IndicatorCrossItemArray;
    for (size_t i = 0; i < values.size() && i < items.size(); ++i) {
        IndicatorCrossItem& item = *items[i];
        item.data = values[i];
        if (i < colors.size()) {
            item.dataColor = colors[i];
        }
        const float width =
            font ? chartstyle::textWidth(values[i], *font, item.titleFrame.height) : 0;
        if (i == 0 || items[i - 1]->titleFrame.y != item.titleFrame.y) {
            continue;
        }
        const Rect& previousData = items[i - 1]->dataFrame;
        item.titleFrame.x = previousData.x + previousData.width + item.WidthBefore;
        item.dataFrame = Rect{item.titleFrame.x + item.titleFrame.width, item.titleFrame.y, width,
                              item.titleFrame.height};
    }
}
