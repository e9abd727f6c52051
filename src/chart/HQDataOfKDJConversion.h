#pragma once

#include "chart/HQDataConversion.h"

// KDJ converter: each visible bar becomes its K, D and J points on the fixed
// 0..100 scale of the indicator area.
class HQDataOfKDJConversion : public HQDataConversion {
public:
    ConversionOutput dataConversionToCoordinateType(
        int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
        const VariableAboutDevice& device) override;

    // Clamps a value to 0..100.
    static double changeValue(double value);
};
