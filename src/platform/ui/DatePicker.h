#pragma once

// A picker of a date (year, month, day columns) or a time (hour, minute columns) in a given
// zone, within optional earliest and latest dates. Tapping above or below the middle row of a
// column, or dragging it, steps that column; each change sends ValueChanged. Owned by its
// superview. Main thread only.

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/DateFormat.h"
#include "platform/ui/Control.h"

class DatePicker : public Control {
public:
    enum class Mode { Date, Time, DateAndTime };

    DatePicker();
    explicit DatePicker(const Rect& frame);

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    DateFormat::Zone timeZone() const { return m_zone; }
    void setTimeZone(DateFormat::Zone zone);
    // Seconds since 1970.
    double date() const { return m_date; }
    void setDate(double date, bool animated = false);
    std::optional<double> minimumDate() const { return m_minimum; }
    void setMinimumDate(std::optional<double> date);
    std::optional<double> maximumDate() const { return m_maximum; }
    void setMaximumDate(std::optional<double> date);

    // Steps one column as the wheel would; returns whether the date changed.
    bool step(int column, int delta);
    int numberOfColumns() const;
    // The texts a column shows: above, at and below the selection.
    std::vector<std::string> columnTexts(int column) const;
    Rect columnRect(int column) const;

    void draw(GraphicsContext& context, const Rect& rect) override;
    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;

    static constexpr double kRowHeight = 36;

private:
    enum class Unit { Year, Month, Day, Hour, Minute };
    std::vector<Unit> units() const;
    double shifted(Unit unit, double date, int delta) const;
    std::string text(Unit unit, double date) const;
    double clamped(double date) const;
    int columnAt(Point p) const;

    Mode m_mode = Mode::Date;
    DateFormat::Zone m_zone;
    double m_date;
    std::optional<double> m_minimum;
    std::optional<double> m_maximum;
    Point m_touchStart;
    double m_dragged = 0;
    bool m_dragging = false;
};
