#include "platform/ui/ActivityIndicator.h"

#include <cmath>
#include <numbers>

#include "platform/foundation/Timer.h"
#include "platform/graphics/GraphicsContext.h"

namespace {
constexpr int kSpokes = 12;
constexpr double kTurnsPerSecond = 1;

Color colorFor(ActivityIndicator::Style style) {
    return style == ActivityIndicator::Style::Gray ? Color::grayColor() : Color::whiteColor();
}
}  // namespace

ActivityIndicator::ActivityIndicator(Style style) : m_style(style), m_color(colorFor(style)) {
    setUserInteractionEnabled(false);
    Size size = sizeThatFits({});
    setFrame({0, 0, size.width, size.height});
    setHidden(true);
}

ActivityIndicator::~ActivityIndicator() = default;

void ActivityIndicator::setStyle(Style style) {
    m_style = style;
    m_color = colorFor(style);
    setNeedsDisplay();
}

void ActivityIndicator::startAnimating() {
    m_animating = true;
    setHidden(false);
    if (!m_spin) {
        // Each step asks for a repaint, so a shown screen sees the wheel turn.
        m_spin = Timer::scheduledTimer(1.0 / kSpokes, true, [this]() { setNeedsDisplay(); });
    }
}

void ActivityIndicator::stopAnimating() {
    m_animating = false;
    m_spin.reset();
    if (m_hidesWhenStopped) {
        setHidden(true);
    }
}

void ActivityIndicator::setHidesWhenStopped(bool hides) {
    m_hidesWhenStopped = hides;
    setHidden(hides && !m_animating);
}

void ActivityIndicator::setColor(const Color& color) {
    m_color = color;
    setNeedsDisplay();
}

Size ActivityIndicator::sizeThatFits(Size) const {
    return m_style == Style::WhiteLarge ? Size{37, 37} : Size{20, 20};
}

void ActivityIndicator::draw(GraphicsContext& context, const Rect&) {
    Rect b = bounds();
    double radius = std::min(b.width, b.height) / 2;
    // The brightest spoke walks round with time, so a repainted screen shows it spinning.
    int lead = m_animating
                   ? static_cast<int>(std::fmod(Timer::now() * kTurnsPerSecond, 1.0) * kSpokes)
                   : 0;
    context.setLineWidth(std::max(2.0, radius / 5));
    for (int i = 0; i < kSpokes; ++i) {
        double angle = 2 * std::numbers::pi * i / kSpokes - std::numbers::pi / 2;
        int age = (lead - i + kSpokes) % kSpokes;
        context.setStrokeColor(m_color.withAlpha(m_color.alpha() * (1.0 - 0.7 * age / kSpokes)));
        Point c = b.center();
        context.strokeLine(
            {c.x + std::cos(angle) * radius * 0.45, c.y + std::sin(angle) * radius * 0.45},
            {c.x + std::cos(angle) * radius * 0.95, c.y + std::sin(angle) * radius * 0.95});
    }
}
