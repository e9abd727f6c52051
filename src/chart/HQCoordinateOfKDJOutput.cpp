#include "chart/HQCoordinateOfKDJOutput.h"

#include "chart/HQDataOfKDJConversion.h"

std::shared_ptr<HQDataConversion> HQCoordinateOfKDJOutput::factroyMothod() {
    return std::make_shared<HQDataOfKDJConversion>();
}
