#pragma once

#include "chart/HQValueClass.h"

// A vertical value range: prices, and for the time-sharing chart volumes.
// Plain record shared by std::shared_ptr; main thread only.
struct HQCalculationResult : HQValueClass {
    double highest = 0;
    double lowest = 0;
    double xianShouHighest = 0;
    double xianShouLowest = 0;
};
