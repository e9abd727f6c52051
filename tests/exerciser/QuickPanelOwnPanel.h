#pragma once

#include <functional>
#include <string>

class ExerciseRandom;
class PXFastTradeViewController;
class ScreenDriver;
class VKJYMarketChartController;
class VKJYMarketUIViewController;
class View;
struct commodityInfo;

// A quick panel trades only a commodity of the logged-in account's own panel: after every event,
// an open panel over a quote screen trades a code the shown commodity names, and that commodity
// lies in the market and panel of the account's exchange and environment. Its events, while
// logged in: the market tab shown, a quote screen opened from any of its sections, and "速摘"
// or "速转" tapped on it; a refusal that the commodity is not the account's must be true. One owner
// (the exerciser); main thread.
class QuickPanelOwnPanel {
public:
    struct Hooks {
        std::function<VKJYMarketChartController*()> quoteScreen;
        std::function<VKJYMarketUIViewController*()> marketList;
        std::function<bool(View*, const std::string&)> tap;
        std::function<void(const std::string&)> journal;
        std::function<void()> showMarketTab;
        std::function<void(const std::string&)> violation;
    };

    QuickPanelOwnPanel(ScreenDriver& driver, Hooks hooks);

    int weight() const;
    void act(ExerciseRandom& random);
    void check();
    // The quick panel slid in over the quote screen, if any.
    static PXFastTradeViewController* shownPanel(VKJYMarketChartController* screen);
    // Whether the logged-in account trades the commodity: its market and panel are the account's
    // and a trading code of the account is named by its quote code.
    static bool accountTrades(const commodityInfo& commodity);

private:
    void openFromAnySection(ExerciseRandom& random);
    void tapAnEntry(VKJYMarketChartController& screen, ExerciseRandom& random);
    static std::string describe(const commodityInfo& commodity);

    ScreenDriver& m_driver;
    Hooks m_hooks;
};
