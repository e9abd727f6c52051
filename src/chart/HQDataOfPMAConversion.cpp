#include "chart/HQDataOfPMAConversion.h"

#include "chart/VariableAboutDevice.h"
#include "quote/QuoteRecords.h"

namespace {

const std::shared_ptr<PMADataItem>* chosenAverage(const PMAGroupItem& group, int type) {
    switch (type) {
        case 5:
            return &group.PMA5Data;
        case 10:
            return &group.PMA10Data;
        case 20:
            return &group.PMA20Data;
        case 30:
            return &group.PMA30Data;
        default:
            return nullptr;
    }
}

}  // namespace

ConversionOutput HQDataOfPMAConversion::dataConversionToCoordinateType(
    int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
    const VariableAboutDevice& device) {
    setType(type);
    setValueRange(range);
    const auto* bars = std::get_if<KLineBars>(&data);
    if (!bars || bars->empty()) {
        return std::monostate{};
    }
    const HQCalculationResult r = range ? *range : HQCalculationResult{};
    const auto& system = device.coordinateSystemInfoOfMain();
    const double bottom = system ? system->originalPoint.y : 0;
    const double height =
        device.drawRectOfSecondaryOne() ? device.drawRectOfSecondaryOne()->height : 0;
    std::vector<std::shared_ptr<HQPoint>> points;
    const PMAGroupItem noGroup;
    if (chosenAverage(noGroup, type)) {
        for (const auto& bar : *bars) {
            const PMAGroupItem& group = bar && bar->PMAGroup ? *bar->PMAGroup : noGroup;
            const auto& average = *chosenAverage(group, type);
            if (!average) {
                continue;
            }
            auto p = std::make_shared<HQPoint>();
            p->Value = average->value;
            p->y = average->value < 0 ? static_cast<float>(bottom)
                                      : valueY(average->value, r, bottom, height);
            points.push_back(std::move(p));
        }
    }
    setCoordinateArray(points);
    return points;
}
