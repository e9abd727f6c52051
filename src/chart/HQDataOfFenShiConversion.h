#pragma once

#include "chart/HQDataConversion.h"

// Time-sharing converter: each minute becomes its price, average-price and
// volume points; x follows the minute's time since the start of trading.
class HQDataOfFenShiConversion : public HQDataConversion {
public:
    ConversionOutput dataConversionToCoordinateType(
        int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
        const VariableAboutDevice& device) override;
};
