#include "analytics/TLTPropertyValue.h"

#include <utility>

TLTPropertyValue::TLTPropertyValue(std::optional<std::string> string_value, int64_t long_value) {
    m_string_value.set(std::move(string_value));
    m_long_value.set(long_value);
}
