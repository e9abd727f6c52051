#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"

class ExerciseRandom;
class HQDrawManager;
class ScreenDriver;
class VKJYMarketChartController;
class VKJYMarketUIViewController;

// The exerciser's rule of the time-sharing chart on a day with a gap (a commodity's midday
// break): after a tap on the chart, and after the cross-hair is slid on from there, the header
// shows the minute under the finger, the chart placing each minute by its time of day; over the
// gap, the record nearest in time. Its event opens the quote screen of the commodity that rests
// at midday (红木 on the simulated exchange) from the market list (going back to it from another
// quote screen), shows its time-sharing chart and taps it, half the time about the gap. What the
// event did is judged after it.
class GapDayCrossHair {
public:
    struct Hooks {
        std::function<VKJYMarketChartController*()> quoteScreen;
        std::function<VKJYMarketUIViewController*()> marketList;
        std::function<bool()> alertUp;
        std::function<void()> back;
        std::function<void(const std::string&)> journal;
        std::function<void(const std::string&)> violation;
    };

    GapDayCrossHair(ScreenDriver& driver, Hooks hooks);

    int weight() const;
    void act(ExerciseRandom& random);
    void check();

private:
    // Where the finger left the chart, in the chart's own points.
    struct Finger {
        WeakLink<HQDrawManager> chart;
        double x = 0;
    };

    // The quote screen of the commodity that rests, opened when another is on show.
    VKJYMarketChartController* restingOnShow();
    bool openTheRestingCommodity(VKJYMarketUIViewController& list);
    void tapTheDay(VKJYMarketChartController& screen, ExerciseRandom& random);
    HQDrawManager* timeSharingOnShow(VKJYMarketChartController& screen);
    // A point over the day, half the time about its widest gap; empty when the day has none.
    std::optional<double> fingerX(const HQDrawManager& chart, ExerciseRandom& random) const;
    bool tapAt(HQDrawManager& chart, double x, double y);
    // "HH:mm" of the time the chart places at x.
    std::string minuteAt(const HQDrawManager& chart, double x) const;
    std::string headerMinute(const HQDrawManager& chart) const;

    ScreenDriver& m_driver;
    Hooks m_hooks;
    std::optional<Finger> m_finger;
};
