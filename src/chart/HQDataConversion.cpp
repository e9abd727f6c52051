#include "chart/HQDataConversion.h"

#include "quote/QuoteRecords.h"

ConversionOutput HQDataConversion::dataConversionToCoordinateType(
    int, const ConversionData&, const std::shared_ptr<HQCalculationResult>&,
    const VariableAboutDevice&) {
    return std::monostate{};
}

float HQDataConversion::valueY(double value, const HQCalculationResult& range, double bottom,
                               double height) {
    const double span = range.highest - range.lowest;
    if (span == 0) {
        return static_cast<float>(bottom - height / 2);
    }
    return static_cast<float>(bottom - height * (value - range.lowest) / span);
}

bool HQDataConversion::firstBarHasIndicators(const KLineBars& bars) {
    return !bars.empty() && bars.front() && bars.front()->MACDKDJ;
}

const MACDKDJGroupItem& HQDataConversion::indicatorsOf(const std::shared_ptr<KLineDataItem>& bar) {
    static const MACDKDJGroupItem none;
    return bar && bar->MACDKDJ ? *bar->MACDKDJ : none;
}
