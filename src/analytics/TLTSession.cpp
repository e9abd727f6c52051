#include "analytics/TLTSession.h"

#include <utility>

TLTSession::TLTSession(std::optional<std::string> id, int64_t start_time, int64_t end_time,
                       int64_t duration, std::optional<std::vector<TLTPage>> pages,
                       std::optional<std::vector<TLTLocation>> locations,
                       std::optional<TLTTraffic> traffic) {
    m_id.set(std::move(id));
    m_start_time.set(start_time);
    m_end_time.set(end_time);
    m_duration.set(duration);
    m_pages.set(std::move(pages));
    m_locations.set(std::move(locations));
    m_traffic.set(std::move(traffic));
}
