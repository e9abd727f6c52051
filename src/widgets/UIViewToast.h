#pragma once

#include <memory>
#include <string>

#include "platform/ui/View.h"

class Label;
class Timer;

// A short message over a view: a dark rounded box at the bottom centre of the view that goes
// away by itself after 3 seconds. Owned by the view it is shown on. Main thread only.
class UIViewToast : public View {
public:
    static constexpr double kDurationSeconds = 3.0;

    // Shows the message over `view`; the returned toast is owned by `view`.
    static UIViewToast* makeToast(View& view, const std::string& message);

    const std::string& message() const;
    // At the bottom centre of `view`; again when the view changed its size (a screen turned).
    void placeAtBottomOf(const View& view);

private:
    explicit UIViewToast(const std::string& message);

    Label* m_label = nullptr;
    std::unique_ptr<Timer> m_timer;
};
