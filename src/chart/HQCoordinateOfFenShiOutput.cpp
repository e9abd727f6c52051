#include "chart/HQCoordinateOfFenShiOutput.h"

#include "chart/HQDataOfFenShiConversion.h"

std::shared_ptr<HQDataConversion> HQCoordinateOfFenShiOutput::factroyMothod() {
    return std::make_shared<HQDataOfFenShiConversion>();
}
