#pragma once

// The date panel of the query screens with a range of days: a grey strip with the "隐藏" button
// above a date-only picker that runs in GMT (the screens hold days as wall-clock instants, see
// PXTradeQueryDay) and refuses days after its latest. Parked just below the screen; raised
// over the form's lower part while a day is edited. The picker hangs 50 points below the strip;
// it takes touches there too. Owned by its screen's view; main thread.

#include <functional>

#include "platform/ui/View.h"

class DatePicker;

class PXTradeDatePanel : public View {
public:
    static constexpr double kHeight = 194;

    // A parked panel whose picker shows latest and allows no later day; hide runs on "隐藏".
    PXTradeDatePanel(double latest, std::function<void()> hide);

    DatePicker* datePicker() const { return m_datePicker; }
    // Slides the panel up over 0.2 s with the picker turning to date.
    void raise(double date);
    // Slides it back below the screen over 0.2 s.
    void park();

    bool pointInside(Point p) const override;

private:
    void slideTo(double y);

    DatePicker* m_datePicker = nullptr;
};
