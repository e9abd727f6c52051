#include "chart/HQCoordinateOfKLineOutput.h"

#include "chart/HQDataOfKLineConversion.h"

std::shared_ptr<HQDataConversion> HQCoordinateOfKLineOutput::factroyMothod() {
    return std::make_shared<HQDataOfKLineConversion>();
}
