#pragma once

#include "chart/HQDataConversion.h"

// MACD converter: each visible bar becomes its histogram, DIF, DEA and zero
// points in the indicator area.
class HQDataOfMACDConversion : public HQDataConversion {
public:
    ConversionOutput dataConversionToCoordinateType(
        int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
        const VariableAboutDevice& device) override;
};
