#pragma once

// The simulator's notion of now, in ms since 1970. Real-time mode runs from a start instant on the
// paced clock (PacedTime): with the wall clock, or faster and standing still while a request is
// worked on when a test runs time faster (setTimeScale); manual mode stands still until
// advance(). Any thread.

#include <atomic>
#include <cstdint>

class SimClock {
public:
    SimClock(int64_t startMs, bool manual);

    int64_t nowMs() const;
    void advance(int64_t ms) { m_offsetMs += ms; }
    bool manual() const { return m_manual; }

    // Real time, the lines' delays and the wait for a request on a new connection all run
    // `scale` times as fast as the wall clock, as the client's clock does under a test that runs
    // time faster; 1 is real time. Set before the exchange starts.
    static void setTimeScale(double scale);
    static double timeScale();

    // Local midnight, in ms since 1970, of the day holding `ms`, in a zone utcOffsetMinutes
    // east of UTC.
    static int64_t dayStart(int64_t ms, int utcOffsetMinutes);
    // Milliseconds since 1970 of a UTC civil date and time.
    static int64_t civilToMs(int year, int month, int day, int hour = 0, int minute = 0);
    // Division rounding toward minus infinity, for times before a period's start.
    static int64_t floorDiv(int64_t a, int64_t b);
    // Civil date of a count of days since 1970.
    static void daysToCivil(int64_t days, int& year, int& month, int& day);

private:
    int64_t m_startMs;
    bool m_manual;
    double m_started;  // on the paced clock
    std::atomic<int64_t> m_offsetMs{0};
};
