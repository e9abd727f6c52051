#include "chart/ChartPaint.h"

#include "platform/graphics/GraphicsContext.h"

namespace chartpaint {

namespace {

const std::vector<double> kDash = {2, 2};

void applyStyle(GraphicsContext& context, const LineStyle& style) {
    context.setShouldAntialias(style.antialias);
    context.setLineWidth(style.width);
    context.setStrokeColor(style.color);
    context.setLineDash(0, style.dashed ? kDash : std::vector<double>{});
}

}  // namespace

void strokeLine(GraphicsContext& context, Point from, Point to, const LineStyle& style) {
    strokeSegments(context, {{from, to}}, style);
}

void strokePolyline(GraphicsContext& context, const std::vector<Point>& points,
                    const LineStyle& style) {
    if (points.empty()) {
        return;
    }
    context.save();
    applyStyle(context, style);
    context.beginPath();
    context.moveTo(points.front());
    for (size_t i = 1; i < points.size(); ++i) {
        context.addLineTo(points[i]);
    }
    context.strokePath();
    context.restore();
}

void strokeSegments(GraphicsContext& context, const std::vector<std::pair<Point, Point>>& segments,
                    const LineStyle& style) {
    if (segments.empty()) {
        return;
    }
    context.save();
    applyStyle(context, style);
    context.beginPath();
    for (const auto& [from, to] : segments) {
        context.moveTo(from);
        context.addLineTo(to);
    }
    context.strokePath();
    context.restore();
}

TextAlignment textAlignment(int code) {
    switch (code) {
        case 1:
            return TextAlignment::Center;
        case 2:
            return TextAlignment::Right;
        default:
            return TextAlignment::Left;
    }
}

}  // namespace chartpaint
