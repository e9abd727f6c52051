#pragma once

#include "chart/HQCoordinateOutputFactroy.h"

// Makes MACD converters.
class HQCoordinateOfMACDOutput : public HQCoordinateOutputFactroy {
public:
    std::shared_ptr<HQDataConversion> factroyMothod() override;
};
