#include "chart/HQDataOfFenShiConversion.h"

#include <cmath>

#include "chart/ChartTime.h"
#include "chart/VariableAboutDevice.h"

namespace {

constexpr size_t kMinuteTextLength = 4;

// "930" -> "0930": the minute text is read as "HHmm".
void padMinuteText(std::string& text) {
    if (!text.empty() && text.size() < kMinuteTextLength) {
        text.insert(0, kMinuteTextLength - text.size(), '0');
    }
}

std::shared_ptr<HQPoint> point(float x, float y, double value) {
    auto p = std::make_shared<HQPoint>();
    p->x = x;
    p->y = y;
    p->Value = value;
    return p;
}

}  // namespace

ConversionOutput HQDataOfFenShiConversion::dataConversionToCoordinateType(
    int, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
    const VariableAboutDevice& device) {
    const auto* rows = std::get_if<FenShiRows>(&data);
    if (!rows) {
        return std::monostate{};
    }
    const HQCalculationResult r = range ? *range : HQCalculationResult{};
    const DrawRect area = device.drawRectOfMain() ? *device.drawRectOfMain() : DrawRect{};
    const CoordinateSystemInfo system = device.coordinateSystemInfoOfMain()
                                            ? *device.coordinateSystemInfoOfMain()
                                            : CoordinateSystemInfo{};
    const double top = system.firstDottedLineY;
    const double priceBottom = area.y + system.dottedLineNumber * system.dottedLineInterval;
    const double height = priceBottom - top;
    const double volumeBottom = system.originalPoint.y;
    // With one volume in the whole day the scale is empty; such bars stay flat.
    const float volumeScale =
        static_cast<float>((r.xianShouHighest - r.xianShouLowest) / (volumeBottom - priceBottom));
    const bool volumeScaled = volumeScale != 0 && std::isfinite(volumeScale);
    const int start = charttime::tradingStartMinutes().value_or(0);

    std::vector<std::shared_ptr<FenShiDrawDataItem>> items;
    items.reserve(rows->size());
    for (const auto& row : *rows) {
        auto item = std::make_shared<FenShiDrawDataItem>();
        items.push_back(item);
        if (!row) {
            continue;
        }
        padMinuteText(row->fenShiTime);
        const float x = area.x + area.width * charttime::minutesSinceStart(row->fenShiTime, start) /
                                     static_cast<float>(charttime::kMinutesPerDay);
        const double price = std::max(row->price, 0.0);
        const double average = std::max(row->averagePrice, 0.0);
        item->fenshiPoint = point(x, valueY(price, r, priceBottom, height), price);
        item->junjiaPoint = point(x, valueY(average, r, priceBottom, height), average);
        if (r.xianShouHighest == 0) {
            continue;
        }
        const float volumeY =
            volumeScaled ? static_cast<float>(priceBottom +
                                              (r.xianShouHighest - row->xianShou) / volumeScale)
                         : static_cast<float>(volumeBottom);
        item->chengJiaoLiangPoint = point(x, volumeY, row->xianShou);
        item->chengJiaoLiangPoint->bottomY = static_cast<float>(volumeBottom);
    }
    return items;
}
