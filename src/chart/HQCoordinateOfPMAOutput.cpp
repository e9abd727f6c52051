#include "chart/HQCoordinateOfPMAOutput.h"

#include "chart/HQDataOfPMAConversion.h"

std::shared_ptr<HQDataConversion> HQCoordinateOfPMAOutput::factroyMothod() {
    return std::make_shared<HQDataOfPMAConversion>();
}
