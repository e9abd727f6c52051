#include "chart/HQDataConversion.h"

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
