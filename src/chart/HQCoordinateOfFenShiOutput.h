#pragma once

#include "chart/HQCoordinateOutputFactroy.h"

// Makes FenShi converters.
class HQCoordinateOfFenShiOutput : public HQCoordinateOutputFactroy {
public:
    std::shared_ptr<HQDataConversion> factroyMothod() override;
};
