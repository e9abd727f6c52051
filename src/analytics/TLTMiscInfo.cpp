#include "analytics/TLTMiscInfo.h"

#include <utility>

TLTMiscInfo::TLTMiscInfo(int32_t time_zone, std::optional<std::string> language,
                         std::optional<std::string> country, double latitude, double longitude,
                         std::optional<std::string> carrier, int32_t latency,
                         std::optional<std::string> display_name, int32_t access_type,
                         std::optional<std::string> access_subtype) {
    m_time_zone.set(time_zone);
    m_language.set(std::move(language));
    m_country.set(std::move(country));
    m_latitude.set(latitude);
    m_longitude.set(longitude);
    m_carrier.set(std::move(carrier));
    m_latency.set(latency);
    m_display_name.set(std::move(display_name));
    m_access_type.set(access_type);
    m_access_subtype.set(std::move(access_subtype));
}
