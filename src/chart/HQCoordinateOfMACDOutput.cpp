#include "chart/HQCoordinateOfMACDOutput.h"

#include "chart/HQDataOfMACDConversion.h"

std::shared_ptr<HQDataConversion> HQCoordinateOfMACDOutput::factroyMothod() {
    return std::make_shared<HQDataOfMACDConversion>();
}
