#pragma once

#include <functional>
#include <string>
#include <vector>

class ExerciseRandom;
class ScreenDriver;
class SimProcess;
class VKJYMarketChartController;

// Exerciser events that put the exchange's day turn (its clock over its midnight) at a chosen
// moment of the quote screen's chart: while a session renewal, a failing refresh (spoiled,
// refused 2003 or answered after the client gave up), a pick of another commodity, a period
// change or a session loss is under way. The requests of that moment wait at the exchange until
// its clock has turned, then are answered. QuoteScreenRules judges what follows.
class DayTurnRaces {
public:
    struct Hooks {
        std::function<VKJYMarketChartController*()> quoteScreen;
        std::function<bool()> alertUp;
        std::function<void(const std::string&)> journal;
    };

    DayTurnRaces(ScreenDriver& driver, SimProcess& exchange, Hooks hooks);

    int weight() const;
    void act(ExerciseRandom& random);

private:
    void duringARenewal(int server, bool kLine, bool refused);
    void duringAFailure(int server, bool kLine, ExerciseRandom& random);
    void duringAPick(int server, ExerciseRandom& random);
    void duringAPeriodChange(int server, ExerciseRandom& random);
    void duringASessionLoss(int server, bool kLine);
    // Holds the protocols, does `start`, waits until one of them is held, turns the day, does
    // `turned` and releases them.
    void turnWhileHeld(int server, const std::vector<int>& protocols,
                       const std::function<void()>& start, const std::function<void()>& turned);
    void toTheEve();
    void overMidnight();
    void post(const std::string& path);

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hooks m_hooks;
};
