#include "chart/HQBackGroundView.h"

#include <utility>
#include <vector>

#include "chart/ChartPaint.h"
#include "chart/ChartStyle.h"
#include "chart/VariableAboutDevice.h"
#include "platform/graphics/GraphicsContext.h"

namespace {

using Segments = std::vector<std::pair<Point, Point>>;

constexpr double kDrawTextSize = 20;

chartpaint::LineStyle gridLine(double width, bool dashed) {
    return {chartstyle::rgb(74, 74, 74), width, dashed, false};
}

Segments across(double y, double width) {
    return {{Point{0, y}, Point{width, y}}};
}

}  // namespace

HQBackGroundView::HQBackGroundView(const Rect& frame,
                                   std::shared_ptr<VariableAboutDevice> variableInfo)
    : View(frame), m_variableInfo(std::move(variableInfo)) {
    if (m_variableInfo && m_variableInfo->backgroundColor()) {
        setBackgroundColor(*m_variableInfo->backgroundColor());
    }
    setTag(kTag);
    // The grid is drawn over a cleared surface; the background colour stays beneath it.
    setDrawsInOwnLayer(true);
    // The grid changes only with the layout; a redraw of the chart shows the layer again.
    setKeepsDrawing(true);
    setNeedsDisplay();
}

void HQBackGroundView::setVariableInfo(std::shared_ptr<VariableAboutDevice> variableInfo) {
    m_variableInfo = std::move(variableInfo);
    setNeedsDisplay();
}

void HQBackGroundView::setIsKDJ(bool isKDJ) {
    m_isKDJ = isKDJ;
    setNeedsDisplay();
}

void HQBackGroundView::draw(GraphicsContext& context, const Rect& rect) {
    context.clearRect(rect);
    m_drawn = steps();
    for (const Step& step : *m_drawn) {
        if (const auto* strokes = std::get_if<Strokes>(&step)) {
            chartpaint::strokeSegments(context, strokes->segments, strokes->style);
            continue;
        }
        const Label& label = std::get<Label>(step);
        context.save();
        context.setFillColor(chartstyle::white());
        context.drawText(label.title, label.frame, label.font);
        context.restore();
    }
}

bool HQBackGroundView::drawingIsCurrent() const {
    return m_drawn && *m_drawn == steps();
}

std::vector<HQBackGroundView::Step> HQBackGroundView::steps() const {
    std::vector<Step> steps;
    if (!m_variableInfo) {
        return steps;
    }
    const double width = frame().width;
    const CoordinateSystemInfo main = m_variableInfo->coordinateSystemInfoOfMain()
                                          ? *m_variableInfo->coordinateSystemInfoOfMain()
                                          : CoordinateSystemInfo{};
    addMainGrid(steps, main, width);
    addTimeTicks(steps);
    const Point origin = main.originalPoint;
    Segments frameLines = across(origin.y, width);
    frameLines.push_back({Point{origin.x, main.firstDottedLineY}, origin});
    steps.push_back(Strokes{frameLines, gridLine(1, false)});
    addIndicatorGrid(steps, width);
    return steps;
}

void HQBackGroundView::addMainGrid(std::vector<Step>& steps, const CoordinateSystemInfo& main,
                                   double width) const {
    const int solid = main.activeLintCount - 1;
    Segments dotted;
    for (int i = 1; i < main.dottedLineNumber; ++i) {
        if (i != solid) {
            dotted.push_back(across(main.lineY(i), width).front());
        }
    }
    steps.push_back(Strokes{dotted, gridLine(0.5, true)});
    Segments solidLines = across(main.lineY(0), width);
    // A grid that names no active line (count 0) has no second solid line: there is no line -1.
    if (solid > 0 && solid < main.dottedLineNumber) {
        solidLines.push_back(across(main.lineY(solid), width).front());
    }
    steps.push_back(Strokes{solidLines, gridLine(1, false)});

    const float areaTop =
        m_variableInfo->drawRectOfMain() ? m_variableInfo->drawRectOfMain()->y : 0;
    const double priceBottom = areaTop + main.dottedLineNumber * main.dottedLineInterval;
    Segments separators = across(priceBottom, width);
    separators.push_back(
        across(priceBottom + (main.originalPoint.y - priceBottom) * 0.5, width).front());
    steps.push_back(Strokes{separators, gridLine(1, false)});
}

void HQBackGroundView::addTimeTicks(std::vector<Step>& steps) const {
    const chartpaint::LineStyle tick{chartstyle::rgb(80, 80, 80), 0.5, false, false};
    for (const auto& info : m_variableInfo->TimeCoordinateDrawInfoArray()) {
        if (!info) {
            continue;
        }
        steps.push_back(Strokes{{{Point{info->pointX, info->pointY},
                                  Point{info->pointX, info->pointY + info->LineHeight}}},
                                tick});
        steps.push_back(
            Label{info->title, info->titleFrame, info->titleFont.value_or(chartstyle::arial(9))});
    }
}

void HQBackGroundView::addIndicatorGrid(std::vector<Step>& steps, double width) const {
    const CoordinateSystemInfo secondary =
        m_variableInfo->coordinateSystemInfoOfSecondaryOne()
            ? *m_variableInfo->coordinateSystemInfoOfSecondaryOne()
            : CoordinateSystemInfo{};
    if (m_variableInfo->drawRectOfSecondaryOne()) {
        if (m_isKDJ) {
            Segments dotted;
            for (int i = 1; i < secondary.dottedLineNumber; ++i) {
                dotted.push_back(across(secondary.lineY(i), width).front());
            }
            steps.push_back(Strokes{dotted, gridLine(0.5, true)});
        }
        if (secondary.activeLintCount != -1) {
            steps.push_back(Strokes{across(secondary.lineY(0), width), gridLine(1, false)});
        }
    }
    const Point origin = secondary.originalPoint;
    Segments frameLines = across(origin.y, width);
    frameLines.push_back({Point{origin.x, secondary.firstDottedLineY}, origin});
    steps.push_back(Strokes{frameLines, gridLine(1, false)});
}

void HQBackGroundView::drawText(GraphicsContext& context, const std::string& text, float x,
                                float y) const {
    const Font font = chartstyle::arial(kDrawTextSize);
    context.save();
    // Upright text whose baseline lies 20 points below (x, y).
    context.drawText(text, Point{x, y + kDrawTextSize - font.ascender()}, font);
    context.restore();
}
