#include "analytics/TallyStatLocation.h"

#include "analytics/TallyLog.h"
#include "platform/foundation/Timer.h"

TallyStatLocation& TallyStatLocation::sharedInstance() {
    static TallyStatLocation instance;
    return instance;
}

void TallyStatLocation::setLatitude(double latitude, double longitude) {
    if (latitude == 0 || longitude == 0) {
        tallyLog("Latitude or longitude may be wrong.");
        return;
    }
    TallyStatLocation& location = sharedInstance();
    std::lock_guard<std::mutex> guard(location.m_mutex);
    location.m_fix = Fix{latitude, longitude, Timer::now()};
}

TallyStatLocation::Fix TallyStatLocation::fix() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_fix;
}

TallyStatLocation::Fix TallyStatLocation::take() {
    std::lock_guard<std::mutex> guard(m_mutex);
    Fix taken = m_fix;
    m_fix = Fix{};
    return taken;
}
