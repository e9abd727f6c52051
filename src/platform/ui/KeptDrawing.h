#pragma once

// The layer a view drew into, kept with the bounds and scale it was drawn for, so that the
// renderer can show it again (View::setKeepsDrawing). Owned by the view; main thread.

#include <QImage>
#include <QRect>
#include <vector>

#include "platform/graphics/Geometry.h"

struct KeptDrawing {
    QImage layer;
    Rect bounds;
    double scale = 1;
    // Rectangles of the layer holding every pixel it painted; the rest is transparent.
    std::vector<QRect> painted;
};
