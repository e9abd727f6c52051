#pragma once

#include "chart/HQCoordinateOutputFactroy.h"

// Makes PMA converters.
class HQCoordinateOfPMAOutput : public HQCoordinateOutputFactroy {
public:
    std::shared_ptr<HQDataConversion> factroyMothod() override;
};
