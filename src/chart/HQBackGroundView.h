#pragma once

#include <memory>
#include <string>

#include "platform/ui/View.h"

class VariableAboutDevice;
struct CoordinateSystemInfo;

// The lowest layer of a chart view: the static grid of the main and indicator
// areas, their frame lines and the time-axis ticks with their labels, all
// from the layout object it shares with the chart view. Owned by the chart
// view; main thread only.
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
    // Arial 20 at (x, y + 20), upright.
    void drawText(GraphicsContext& context, const std::string& text, float x, float y) const;

private:
    void drawMainGrid(GraphicsContext& context, const CoordinateSystemInfo& main,
                      double width) const;
    void drawTimeTicks(GraphicsContext& context) const;
    void drawIndicatorGrid(GraphicsContext& context, double width) const;

    std::shared_ptr<VariableAboutDevice> m_variableInfo;
    bool m_isKDJ = false;
};
