#include "chart/CurrentShowDataLayerInfo.h"

#include <cstdio>
#include <cstdlib>

#include "chart/ChartStyle.h"
#include "chart/ChartTime.h"
#include "platform/foundation/DateFormat.h"

namespace {

void setValue(CurrentDataItem& item, const std::string& value, const std::vector<Color>& colors,
              size_t index) {
    item.dataString = value;
    if (index < colors.size()) {
        item.dataColor = colors[index];
    }
}

float measuredWidth(const CurrentDataItem& item, const std::string& value) {
    if (!item.font) {
        return 0;
    }
    return chartstyle::textWidth(value, *item.font, item.titleFrame.height);
}

void placeDataAfterTitle(CurrentDataItem& item, float width) {
    item.dataFrame = Rect{item.titleFrame.x + item.titleFrame.width, item.titleFrame.y, width,
                          item.titleFrame.height};
}

}  // namespace

std::string CurrentShowDataLayerInfo::numToString(int32_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string CurrentShowDataLayerInfo::change(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%lf", value);
    return text;
}

std::string CurrentShowDataLayerInfo::minuteText(const std::string& fenShiTime) {
    const int t = std::atoi(fenShiTime.c_str());
    const std::string hours = std::to_string(t / 100);
    return (t < 1000 ? "0" : "") + hours + ":" + numToString(t % 100);
}

void CurrentShowDataLayerInfo::setMainDataByItem(const FenShiDataItem* row,
                                                 const std::vector<Color>& colors) {
    if (!row) {
        return;
    }
    setMainDataByDataArray({minuteText(row->fenShiTime), row->ShowPrice, row->ShowAverage,
                            row->zhangfu, row->showXianshou},
                           colors);
}

void CurrentShowDataLayerInfo::setMainDataByDataArray(const std::vector<std::string>& values,
                                                      const std::vector<Color>& colors) {
    if (values.empty() || values.size() != MainCurrentDataItemArray.size()) {
        return;
    }
    for (size_t i = 0; i < values.size(); ++i) {
        CurrentDataItem& item = *MainCurrentDataItemArray[i];
        setValue(item, values[i], colors, i);
        placeDataAfterTitle(item, measuredWidth(item, values[i]));
    }
}

void CurrentShowDataLayerInfo::setSecondaryOneDataByDataArray(
    const std::vector<std::string>& values, const std::vector<Color>& colors) {
    for (size_t i = 0; i < SecondaryOneCurrentDataItemArray.size() && i < values.size(); ++i) {
        setValue(*SecondaryOneCurrentDataItemArray[i], values[i], colors, i);
    }
}

void CurrentShowDataLayerInfo::setSecondaryOneKDJDataByDataArray(
    const std::vector<std::string>& values) {
    for (size_t i = 0; i < SecondaryOneCurrentDataKDJItemArray.size() && i < values.size(); ++i) {
        SecondaryOneCurrentDataKDJItemArray[i]->dataString = values[i];
    }
}

void CurrentShowDataLayerInfo::setSecondaryOneTimeDataByDataArray(
    const std::vector<int64_t>& dates) {
    const DateFormat format("yy/MM/dd/ HH:mm", charttime::exchangeZone());
    for (size_t i = 0; i < dates.size() && i < SecondaryOneCurrentDataTimeItemArray.size(); ++i) {
        SecondaryOneCurrentDataTimeItemArray[i]->title =
            format.format(static_cast<double>(dates[i] / 1000));
    }
}

void CurrentShowDataLayerInfo::setSecondaryTwoDataByDataArray(
    const std::vector<std::string>& values, const std::vector<Color>& colors) {
    auto& items = SecondaryTwoCurrentDataItemArray;
    for (size_t i = 0; i < items.size() && i < values.size(); ++i) {
        CurrentDataItem& item = *items[i];
        setValue(item, values[i], colors, i);
        const float width = measuredWidth(item, values[i]);
        if (i > 0 && items[i - 1]->titleFrame.y == item.titleFrame.y) {
            const Rect& previousUnit = items[i - 1]->unitFrame;
            item.titleFrame.x = previousUnit.x + previousUnit.width;
        }
        placeDataAfterTitle(item, width);
        item.unitFrame.x = item.dataFrame.x + item.dataFrame.width;
        item.unitFrame.y = item.dataFrame.y;
    }
}
