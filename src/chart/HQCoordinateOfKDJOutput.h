#pragma once

#include "chart/HQCoordinateOutputFactroy.h"

// Makes KDJ converters.
class HQCoordinateOfKDJOutput : public HQCoordinateOutputFactroy {
public:
    std::shared_ptr<HQDataConversion> factroyMothod() override;
};
