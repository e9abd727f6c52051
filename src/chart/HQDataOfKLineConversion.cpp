#include "chart/HQDataOfKLineConversion.h"

#include "chart/VariableAboutDevice.h"
#include "quote/QuoteRecords.h"

ConversionOutput HQDataOfKLineConversion::dataConversionToCoordinateType(
    int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
    const VariableAboutDevice& device) {
    const auto* bars = std::get_if<KLineBars>(&data);
    if (type != 0 || !bars) {
        return std::monostate{};
    }
    setValueRange(range);
    const HQCalculationResult r = range ? *range : HQCalculationResult{};
    const AboutDrawInfo columns =
        device.drawInfoOfMain() ? *device.drawInfoOfMain() : AboutDrawInfo{};
    const CoordinateSystemInfo system = device.coordinateSystemInfoOfMain()
                                            ? *device.coordinateSystemInfoOfMain()
                                            : CoordinateSystemInfo{};
    const double bottom = system.originalPoint.y;
    const double height = bottom - system.firstDottedLineY;
    // An empty range puts every value, negative ones too, in the middle.
    const bool emptyRange = r.highest == r.lowest;
    const auto y = [&](double value) {
        return value < 0 && !emptyRange ? static_cast<float>(bottom)
                                        : valueY(value, r, bottom, height);
    };
    const float c = columns.ColumnInterval;
    const float body = c - 1.5f;

    std::vector<std::shared_ptr<KLineDrawDataItem>> items;
    items.reserve(bars->size());
    for (size_t i = 0; i < bars->size(); ++i) {
        static const KLineDataItem noBar;
        const KLineDataItem& bar = (*bars)[i] ? *(*bars)[i] : noBar;
        auto item = std::make_shared<KLineDrawDataItem>();
        const float x0 = static_cast<float>(i) * c + columns.firstPointX;
        item->openPiont = Point{x0, y(bar.open)};
        item->highestPiont = Point{x0 + body / 2, y(bar.highest)};
        item->lowestPiont = Point{x0 + body / 2, y(bar.lowest)};
        item->closePiont = Point{x0 + body + 0.5f, y(bar.close)};
        if (bar.PMAGroup) {
            const PMAGroupItem& averages = *bar.PMAGroup;
            const std::pair<const std::shared_ptr<PMADataItem>*, std::shared_ptr<HQPoint>*>
                lines[] = {{&averages.PMA5Data, &item->PMA5Point},
                           {&averages.PMA10Data, &item->PMA10Point},
                           {&averages.PMA20Data, &item->PMA20Point},
                           {&averages.PMA30Data, &item->PMA30Point}};
            for (const auto& [average, target] : lines) {
                if (!*average) {
                    continue;
                }
                *target = std::make_shared<HQPoint>();
                (*target)->Value = (*average)->value;
                (*target)->x = item->highestPiont.x;
                (*target)->y = y((*average)->value);
            }
        }
        item->date = bar.date;
        item->klineData = (*bars)[i];
        items.push_back(std::move(item));
    }
    setCoordinateArray(items);
    return items;
}
