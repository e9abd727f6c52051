#pragma once

#include "chart/HQDataConversion.h"

// K-line converter: each visible bar becomes its body, wick and moving-average
// points at its column.
class HQDataOfKLineConversion : public HQDataConversion {
public:
    ConversionOutput dataConversionToCoordinateType(
        int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
        const VariableAboutDevice& device) override;
};
