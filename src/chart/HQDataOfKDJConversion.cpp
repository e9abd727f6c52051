#include "chart/HQDataOfKDJConversion.h"

#include <algorithm>
#include <cmath>

#include "chart/VariableAboutDevice.h"
#include "quote/QuoteRecords.h"

namespace {

constexpr double kKDJTop = 100;

}  // namespace

double HQDataOfKDJConversion::changeValue(double value) {
    return std::clamp(value, 0.0, kKDJTop);
}

ConversionOutput HQDataOfKDJConversion::dataConversionToCoordinateType(
    int, const ConversionData& data, const std::shared_ptr<HQCalculationResult>&,
    const VariableAboutDevice& device) {
    const auto* bars = std::get_if<KLineBars>(&data);
    if (!bars) {
        return std::monostate{};
    }
    std::vector<std::shared_ptr<KDJDrawDataItem>> items;
    if (!firstBarHasIndicators(*bars)) {
        setCoordinateArray(items);
        return items;
    }
    const auto& system = device.coordinateSystemInfoOfSecondaryOne();
    const double bottom = std::trunc(system ? system->originalPoint.y : 0);
    const double top =
        std::trunc(device.drawRectOfSecondaryOne() ? device.drawRectOfSecondaryOne()->y : 0);
    const double height = bottom - top;
    const auto point = [&](double value) {
        auto p = std::make_shared<HQPoint>();
        p->Value = changeValue(value);
        p->y = static_cast<float>(bottom - height * p->Value / kKDJTop);
        return p;
    };
    for (const auto& bar : *bars) {
        const MACDKDJGroupItem& values = indicatorsOf(bar);
        auto item = std::make_shared<KDJDrawDataItem>();
        item->KPoint = point(values.KValue);
        item->DPoint = point(values.DValue);
        item->JPoint = point(values.JValue);
        items.push_back(std::move(item));
    }
    setCoordinateArray(items);
    return items;
}
