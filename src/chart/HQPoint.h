#pragma once

#include "chart/HQValueClass.h"

// One plotted point: screen position, the value it stands for and, for bars,
// the y of the bar's base. Made by the converters, read by the drawing.
struct HQPoint : HQValueClass {
    float x = 0;
    float y = 0;
    double Value = 0;
    float bottomY = 0;
};
