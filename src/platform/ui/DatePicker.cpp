#include "platform/ui/DatePicker.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/WeakLink.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Touch.h"

namespace {
constexpr double kDragSlop = 8;
}

DatePicker::DatePicker() : DatePicker(Rect{0, 0, 320, 216}) {}

DatePicker::DatePicker(const Rect& frame) : Control(frame), m_date(DateFormat::now()) {
    setBackgroundColor(Color::whiteColor());
    setClipsToBounds(true);
}

void DatePicker::setMode(Mode mode) {
    m_mode = mode;
    setNeedsDisplay();
}

void DatePicker::setTimeZone(DateFormat::Zone zone) {
    m_zone = zone;
    setNeedsDisplay();
}

void DatePicker::setDate(double date, bool) {
    m_date = clamped(date);
    setNeedsDisplay();
}

void DatePicker::setMinimumDate(std::optional<double> date) {
    m_minimum = date;
    m_date = clamped(m_date);
    setNeedsDisplay();
}

void DatePicker::setMaximumDate(std::optional<double> date) {
    m_maximum = date;
    m_date = clamped(m_date);
    setNeedsDisplay();
}

double DatePicker::clamped(double date) const {
    if (m_maximum && date > *m_maximum) {
        date = *m_maximum;
    }
    if (m_minimum && date < *m_minimum) {
        date = *m_minimum;
    }
    return date;
}

std::vector<DatePicker::Unit> DatePicker::units() const {
    switch (m_mode) {
        case Mode::Date:
            return {Unit::Year, Unit::Month, Unit::Day};
        case Mode::Time:
            return {Unit::Hour, Unit::Minute};
        case Mode::DateAndTime:
            return {Unit::Month, Unit::Day, Unit::Hour, Unit::Minute};
    }
    return {};
}

int DatePicker::numberOfColumns() const {
    return static_cast<int>(units().size());
}

double DatePicker::shifted(Unit unit, double date, int delta) const {
    switch (unit) {
        case Unit::Year:
            return DateFormat::addingMonths(date, 12 * delta, m_zone);
        case Unit::Month:
            return DateFormat::addingMonths(date, delta, m_zone);
        case Unit::Day:
            return DateFormat::addingDays(date, delta, m_zone);
        case Unit::Hour:
            return date + 3600.0 * delta;
        case Unit::Minute:
            return date + 60.0 * delta;
    }
    return date;
}

std::string DatePicker::text(Unit unit, double date) const {
    switch (unit) {
        case Unit::Year:
            return DateFormat("yyyy", m_zone).format(date) + "年";
        case Unit::Month:
            return DateFormat("M", m_zone).format(date) + "月";
        case Unit::Day:
            return DateFormat("d", m_zone).format(date) + "日";
        case Unit::Hour:
            return DateFormat("HH", m_zone).format(date);
        case Unit::Minute:
            return DateFormat("mm", m_zone).format(date);
    }
    return {};
}

std::vector<std::string> DatePicker::columnTexts(int column) const {
    auto all = units();
    if (column < 0 || column >= static_cast<int>(all.size())) {
        return {};
    }
    Unit unit = all[static_cast<std::size_t>(column)];
    return {text(unit, shifted(unit, m_date, -1)), text(unit, m_date),
            text(unit, shifted(unit, m_date, 1))};
}

bool DatePicker::step(int column, int delta) {
    auto all = units();
    if (column < 0 || column >= static_cast<int>(all.size()) || delta == 0) {
        return false;
    }
    // A step past the limits springs back to the limit, as the wheel does.
    double next = clamped(shifted(all[static_cast<std::size_t>(column)], m_date, delta));
    if (next == m_date) {
        return false;
    }
    m_date = next;
    setNeedsDisplay();
    sendActions(ValueChanged);
    return true;
}

Rect DatePicker::columnRect(int column) const {
    Rect b = bounds();
    double width = b.width / std::max(1, numberOfColumns());
    return {b.x + width * column, b.y, width, b.height};
}

int DatePicker::columnAt(Point p) const {
    for (int c = 0; c < numberOfColumns(); ++c) {
        if (columnRect(c).contains(p)) {
            return c;
        }
    }
    return -1;
}

void DatePicker::draw(GraphicsContext& context, const Rect&) {
    Rect b = bounds();
    double middle = b.midY() - kRowHeight / 2;
    context.setFillColor(Color::white(0.5, 0.15));
    context.fillRect({b.x, middle, b.width, kRowHeight});
    for (int c = 0; c < numberOfColumns(); ++c) {
        Rect col = columnRect(c);
        auto texts = columnTexts(c);
        for (int row = -1; row <= 1; ++row) {
            bool current = row == 0;
            context.setFillColor(current ? Color::blackColor() : Color::white(0.55));
            Font font = current ? Font::boldSystem(20) : Font::system(17);
            double y = middle + row * kRowHeight + (kRowHeight - font.lineHeight()) / 2;
            context.drawText(texts[static_cast<std::size_t>(row + 1)],
                             {col.x, y, col.width, font.lineHeight()}, font, LineBreakMode::Clip,
                             TextAlignment::Center);
        }
    }
}

void DatePicker::touchesBegan(const TouchSet& touches, const Event&) {
    m_touchStart = touches.front()->locationInView(this);
    m_dragged = 0;
    m_dragging = false;
}

void DatePicker::touchesMoved(const TouchSet& touches, const Event&) {
    Point p = touches.front()->locationInView(this);
    double dy = p.y - m_touchStart.y;
    if (!m_dragging && std::fabs(dy) < kDragSlop) {
        return;
    }
    m_dragging = true;
    // Dragging down brings earlier values into the middle.
    int steps = static_cast<int>((dy - m_dragged) / kRowHeight);
    if (steps != 0) {
        m_dragged += steps * kRowHeight;
        step(columnAt(m_touchStart), -steps);
    }
}

void DatePicker::touchesEnded(const TouchSet& touches, const Event&) {
    if (m_dragging) {
        return;
    }
    Point p = touches.front()->locationInView(this);
    double middle = bounds().midY();
    if (std::fabs(p.y - middle) <= kRowHeight / 2) {
        return;
    }
    step(columnAt(p), p.y < middle ? -1 : 1);
}
