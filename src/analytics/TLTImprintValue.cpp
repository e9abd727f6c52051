#include "analytics/TLTImprintValue.h"

#include <utility>

TLTImprintValue::TLTImprintValue(std::optional<std::string> value, int64_t ts,
                                 std::optional<std::string> guid) {
    m_value.set(std::move(value));
    m_ts.set(ts);
    m_guid.set(std::move(guid));
}
