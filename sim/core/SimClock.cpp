#include "sim/core/SimClock.h"

#include "platform/pace/PacedTime.h"

namespace {
constexpr int64_t kDayMs = 86400000;

int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}
}  // namespace

int64_t SimClock::floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

SimClock::SimClock(int64_t startMs, bool manual)
    : m_startMs(startMs), m_manual(manual), m_started(PacedTime::seconds()) {}

int64_t SimClock::nowMs() const {
    int64_t elapsed = 0;
    if (!m_manual) {
        elapsed = static_cast<int64_t>((PacedTime::seconds() - m_started) * 1000);
    }
    return m_startMs + elapsed + m_offsetMs.load();
}

void SimClock::setTimeScale(double scale) {
    PacedTime::setScale(scale);
}

double SimClock::timeScale() {
    return PacedTime::scale();
}

int64_t SimClock::dayStart(int64_t ms, int utcOffsetMinutes) {
    const int64_t offset = static_cast<int64_t>(utcOffsetMinutes) * 60000;
    return floorDiv(ms + offset, kDayMs) * kDayMs - offset;
}

int64_t SimClock::civilToMs(int year, int month, int day, int hour, int minute) {
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * kDayMs +
           (static_cast<int64_t>(hour) * 60 + minute) * 60000;
}

void SimClock::daysToCivil(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}
