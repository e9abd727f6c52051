#pragma once

#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/TextLayout.h"

class GraphicsContext;

// Drawing steps the chart layers share. Each sets every attribute it relies
// on and leaves the context as it found it. Main thread, inside a drawing pass.
namespace chartpaint {

struct LineStyle {
    Color color;
    double width = 1;
    bool dashed = false;  // 2 on, 2 off from phase 0
    bool antialias = true;

    bool operator==(const LineStyle&) const = default;
};

void strokeLine(GraphicsContext& context, Point from, Point to, const LineStyle& style);
// One path through the points in order; fewer than one point draws nothing.
void strokePolyline(GraphicsContext& context, const std::vector<Point>& points,
                    const LineStyle& style);
// Several separate segments stroked as one path.
void strokeSegments(GraphicsContext& context, const std::vector<std::pair<Point, Point>>& segments,
                    const LineStyle& style);

// The platform's alignment of a stored alignment code: 0 left, 1 centre, 2 right.
TextAlignment textAlignment(int code);

}  // namespace chartpaint
