#pragma once

#include "chart/HQCoordinateOutputFactroy.h"

// Makes KLine converters.
class HQCoordinateOfKLineOutput : public HQCoordinateOutputFactroy {
public:
    std::shared_ptr<HQDataConversion> factroyMothod() override;
};
