#include "chart/HQDataOfMACDConversion.h"

#include "chart/VariableAboutDevice.h"
#include "quote/QuoteRecords.h"

ConversionOutput HQDataOfMACDConversion::dataConversionToCoordinateType(
    int, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
    const VariableAboutDevice& device) {
    const auto* bars = std::get_if<KLineBars>(&data);
    if (!bars) {
        return std::monostate{};
    }
    std::vector<std::shared_ptr<MACDDrawDataItem>> items;
    if (!firstBarHasIndicators(*bars)) {
        setCoordinateArray(items);
        return items;
    }
    const HQCalculationResult r = range ? *range : HQCalculationResult{};
    const double height =
        device.drawRectOfSecondaryOne() ? device.drawRectOfSecondaryOne()->height : 0;
    const auto& system = device.coordinateSystemInfoOfSecondaryOne();
    const double bottom = system ? system->originalPoint.y : 0;
    const auto point = [&](double value) {
        auto p = std::make_shared<HQPoint>();
        p->Value = value;
        p->y = valueY(value, r, bottom, height);
        return p;
    };
    for (const auto& bar : *bars) {
        const MACDKDJGroupItem& values = indicatorsOf(bar);
        auto item = std::make_shared<MACDDrawDataItem>();
        item->MACDPoint = point(values.macd);
        item->DifPoint = point(values.dif);
        item->DeaPoint = point(values.dea);
        item->ZeroPoint = point(0);
        items.push_back(std::move(item));
    }
    setCoordinateArray(items);
    return items;
}
