#pragma once

#include <functional>
#include <string>

class ExerciseJournal;
class ExerciseRandom;
class HQMarketChartManager;
class HQRefreshControl;
class ScreenDriver;
class SimProcess;
class VKJYMarketChartController;
class VKJYMarketUIViewController;
class View;

// The exerciser's rules and events of the quote screen. After every event, while the screen is
// on top: the title, the live quote, the chart and the side panel name one commodity; every
// visible view of the chart lies inside the chart and the window; at rest (no chart request
// out, the newest bar in view) the chart on show has its refresh timer running, and so has one
// whose series a lost session took; a cross-hair on show lies on its point of the line. Its
// events: opening a quote screen from the market list, turning wide and back, quick picks and
// period taps within their locks, a failed chart request, a refresh and then its session renewal
// answered 2003, a cross-hair and then a leap of the price, the exchange's clock over its
// midnight.
class QuoteScreenRules {
public:
    struct Hooks {
        std::function<VKJYMarketChartController*()> quoteScreen;
        std::function<VKJYMarketUIViewController*()> marketList;
        std::function<bool()> alertUp;
        std::function<void(const std::string&)> violation;
    };

    QuoteScreenRules(ScreenDriver& driver, SimProcess& exchange, ExerciseRandom& random,
                     ExerciseJournal& journal, Hooks hooks);

    static constexpr int64_t kMinuteMs = 60 * 1000;
    static constexpr int64_t kDayMs = 24 * 3600 * 1000;
    // From the exchange's time to its next midnight (it keeps UTC+8).
    static int64_t untilMidnight(int64_t exchangeNowMs);
    // The chart refresh will fire.
    static bool running(const HQRefreshControl* control);

    // The weight of this family of events on the screen now (0 when none can happen).
    int weight() const;
    void act();
    void check();

private:
    void openAQuoteScreen();
    void turn(VKJYMarketChartController& screen);
    void quickPicks(VKJYMarketChartController& screen);
    void periodTaps(VKJYMarketChartController& screen);
    void failAChartRequest(VKJYMarketChartController& screen);
    void refuseTheRenewal(VKJYMarketChartController& screen);
    void crossHairThenALeap(VKJYMarketChartController& screen);
    void clockOverMidnight();

    // What differs from one commodity named everywhere; empty when all agree.
    std::string commodityDisagreement(VKJYMarketChartController& screen) const;
    std::string viewOutside(HQMarketChartManager& chart) const;
    std::string crossHairOff(HQMarketChartManager& chart) const;
    bool atRest(HQMarketChartManager& chart) const;
    bool refreshing(HQMarketChartManager& chart) const;
    // The request of the series on show is on its way (a slow line is not a rest).
    bool requesting(HQMarketChartManager& chart) const;
    bool tap(View* view, const std::string& what);

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    ExerciseRandom& m_random;
    ExerciseJournal& m_journal;
    Hooks m_hooks;
};
