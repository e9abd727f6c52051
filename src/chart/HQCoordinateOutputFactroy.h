#pragma once

#include <memory>

#include "chart/HQDataConversion.h"

// Base of the factories from which a chart view gets a fresh converter of
// the matching kind; main thread only.
class HQCoordinateOutputFactroy {
public:
    virtual ~HQCoordinateOutputFactroy() = default;
    virtual std::shared_ptr<HQDataConversion> factroyMothod() = 0;
};
