#include "analytics/TLTEvent.h"

#include <utility>

TLTEvent::TLTEvent(std::optional<std::string> name,
                   std::optional<TLTMap<TLTPropertyValue>> properties, int64_t duration,
                   int32_t acc, int64_t ts) {
    m_name.set(std::move(name));
    m_properties.set(std::move(properties));
    m_duration.set(duration);
    m_acc.set(acc);
    m_ts.set(ts);
}
