#pragma once

#include "chart/HQDataConversion.h"

// Moving-average converter: one point per bar that has the chosen average
// (type 5, 10, 20 or 30).
class HQDataOfPMAConversion : public HQDataConversion {
public:
    ConversionOutput dataConversionToCoordinateType(
        int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
        const VariableAboutDevice& device) override;
};
