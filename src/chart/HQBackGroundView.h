#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "chart/ChartPaint.h"
#include "platform/graphics/Font.h"
#include "platform/ui/View.h"

class VariableAboutDevice;
struct CoordinateSystemInfo;

// The lowest layer of a chart view: the static grid of the main and indicator
// areas, their frame lines and the time-axis ticks with their labels, all
// from the layout object it shares with the chart view. It keeps its drawing
// while the grid it would draw stays the same. Owned by the chart view; main
// thread only.
class HQBackGroundView : public View {
public:
    static constexpr int kTag = 8000;

    HQBackGroundView(const Rect& frame, std::shared_ptr<VariableAboutDevice> variableInfo);

    const std::shared_ptr<VariableAboutDevice>& variableInfo() const { return m_variableInfo; }
    void setVariableInfo(std::shared_ptr<VariableAboutDevice> variableInfo);
    bool isKDJ() const { return m_isKDJ; }
    // The KDJ scale adds dotted lines to the indicator area.
    void setIsKDJ(bool isKDJ);

    void draw(GraphicsContext& context, const Rect& rect) override;
    bool drawingIsCurrent() const override;
    // Arial 20 at (x, y + 20), upright.
    void drawText(GraphicsContext& context, const std::string& text, float x, float y) const;

private:
    using Segments = std::vector<std::pair<Point, Point>>;
    // The steps of one pass, in order: segments stroked in one style, or a label.
    struct Strokes {
        Segments segments;
        chartpaint::LineStyle style;
        bool operator==(const Strokes&) const = default;
    };
    struct Label {
        std::string title;
        Rect frame;
        Font font;
        bool operator==(const Label&) const = default;
    };
    using Step = std::variant<Strokes, Label>;

    // What a pass draws now, from the layout.
    std::vector<Step> steps() const;
    void addMainGrid(std::vector<Step>& steps, const CoordinateSystemInfo& main,
                     double width) const;
    void addTimeTicks(std::vector<Step>& steps) const;
    void addIndicatorGrid(std::vector<Step>& steps, double width) const;

    std::shared_ptr<VariableAboutDevice> m_variableInfo;
    bool m_isKDJ = false;
    std::optional<std::vector<Step>> m_drawn;
};
