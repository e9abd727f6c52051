#include "shell/VKJYActivityOverlayView.h"

#include <cmath>

#include "platform/foundation/Timer.h"
#include "platform/graphics/GraphicsContext.h"

namespace {
constexpr int kSpokes = 12;
constexpr double kStepSeconds = 1.0 / kSpokes;
constexpr double kInnerRadius = 10;
constexpr double kOuterRadius = 20;
}  // namespace

VKJYActivityOverlayView::VKJYActivityOverlayView(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::rgb(0, 0, 0, 0.5));
}

VKJYActivityOverlayView::~VKJYActivityOverlayView() = default;

void VKJYActivityOverlayView::didMoveToWindow() {
    if (!window()) {
        m_timer.reset();
        return;
    }
    m_timer = Timer::scheduledTimer(kStepSeconds, true, [this] {
        m_step = (m_step + 1) % kSpokes;
        setNeedsDisplay();
    });
}

void VKJYActivityOverlayView::draw(GraphicsContext& context, const Rect& rect) {
    View::draw(context, rect);
    const Rect b = bounds();
    const Point c{b.width / 2, b.height / 2};
    context.setFillColor(Color::rgb(0, 0, 0, 0.6));
    context.beginPath();
    context.addRect(Rect(c.x - kBoxSize / 2, c.y - kBoxSize / 2, kBoxSize, kBoxSize));
    context.fillPath();
    context.setLineWidth(4);
    for (int i = 0; i < kSpokes; ++i) {
        const double angle = 2 * M_PI * i / kSpokes;
        // The spoke at the current step is brightest; the others fade behind it.
        const int age = (m_step - i + kSpokes) % kSpokes;
        context.setStrokeColor(Color::white(1, 1.0 - age * 0.07));
        context.strokeLine({c.x + kInnerRadius * std::cos(angle), c.y + kInnerRadius * std::sin(angle)},
                           {c.x + kOuterRadius * std::cos(angle), c.y + kOuterRadius * std::sin(angle)});
    }
}
