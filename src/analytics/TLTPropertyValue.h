#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// One attribute value of an event: a text or a number.
// Wire struct "PropertyValue"; one value and one "is set" flag per field. Plain value, any thread.
class TLTPropertyValue : public TLTRecord<TLTPropertyValue> {
public:
    static constexpr const char* kStructName = "PropertyValue";
    static constexpr const char* kClassName = "TLTPropertyValue";

    TLTPropertyValue() = default;
    // Sets and flags every field.
    TLTPropertyValue(std::optional<std::string> string_value, int64_t long_value);

    const std::optional<std::string>& string_value() const { return m_string_value.value; }
    void setString_value(std::optional<std::string> value) { m_string_value.set(std::move(value)); }
    bool string_valueIsSet() const { return m_string_value.isSet; }
    void unsetString_value() { m_string_value.unset(); }

    int64_t long_value() const { return m_long_value.value; }
    void setLong_value(int64_t value) { m_long_value.set(value); }
    bool long_valueIsSet() const { return m_long_value.isSet; }
    void unsetLong_value() { m_long_value.unset(); }

    bool operator==(const TLTPropertyValue&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("string_value", 1, self.m_string_value),
                          tltField("long_value", 2, self.m_long_value)};
    }

    TLTField<std::optional<std::string>> m_string_value;
    TLTField<int64_t> m_long_value;
};
