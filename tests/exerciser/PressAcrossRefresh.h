#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"

class Control;
class ExerciseRandom;
class Screen;
class ScreenDriver;
class VKJYMarketChartController;
class View;
class Window;
struct commodityInfo;

// A refresh never takes away what is under a finger, for the exerciser. Its event, on a screen
// with a list on show (the trade home, the market list, a query or report list): a finger held
// 80-200 ms on an enabled button, one of a list more often than not, while a price refresh lands
// in the middle of the press (the notice the trading timers post after each) and the lists' own
// ticks are free to land. Its rule: just before the finger lifts, the button that took the touch
// is still there, under the finger and tracking it, so the lift acts; unless the refresh turned
// it off or hid it, or the quote screen on show turned to another commodity meanwhile (a pick the
// chart's commodity lock held, taken when the lock opens). Owned by the exerciser; main thread.
class PressAcrossRefresh {
public:
    struct Hands {
        ScreenDriver& driver;
        Screen& screen;
        // The quote screen on top, or null.
        std::function<VKJYMarketChartController*()> quoteScreen;
        // The exerciser's bookkeeping of a touch about to act on `hit`.
        std::function<void(View*)> beforeActing;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    explicit PressAcrossRefresh(Hands hands);

    // 0 when no list, or no enabled button, is on show.
    int weight() const;
    void act(ExerciseRandom& random);
    // Holds `pressed` at its middle for `seconds`, the refresh landing after `refreshAt`, and
    // tells a violation when the lift would not act.
    void press(Control* pressed, double seconds, double refreshAt);

private:
    // The enabled buttons a touch at their middle reaches; those inside a visible list first.
    std::vector<Control*> buttons(bool inLists) const;
    // Why the press will not act, or empty when the lift will act (or the button was turned off).
    std::string lost(Control* pressed, const Window* window, Point at) const;
    // The commodity of the quote screen on top, or null.
    const commodityInfo* commodityOnShow() const;

    Hands m;
};
