#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// One named value of a server imprint.
// Wire struct "ImprintValue"; one value and one "is set" flag per field. Plain value, any thread.
class TLTImprintValue : public TLTRecord<TLTImprintValue> {
public:
    static constexpr const char* kStructName = "ImprintValue";
    static constexpr const char* kClassName = "TLTImprintValue";

    TLTImprintValue() = default;
    // Sets and flags every field.
    TLTImprintValue(std::optional<std::string> value, int64_t ts, std::optional<std::string> guid);

    const std::optional<std::string>& value() const { return m_value.value; }
    void setValue(std::optional<std::string> value) { m_value.set(std::move(value)); }
    bool valueIsSet() const { return m_value.isSet; }
    void unsetValue() { m_value.unset(); }

    int64_t ts() const { return m_ts.value; }
    void setTs(int64_t value) { m_ts.set(value); }
    bool tsIsSet() const { return m_ts.isSet; }
    void unsetTs() { m_ts.unset(); }

    const std::optional<std::string>& guid() const { return m_guid.value; }
    void setGuid(std::optional<std::string> value) { m_guid.set(std::move(value)); }
    bool guidIsSet() const { return m_guid.isSet; }
    void unsetGuid() { m_guid.unset(); }

    bool operator==(const TLTImprintValue&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("value", 1, self.m_value), tltField("ts", 2, self.m_ts),
                          tltField("guid", 3, self.m_guid)};
    }

    TLTField<std::optional<std::string>> m_value;
    TLTField<int64_t> m_ts;
    TLTField<std::optional<std::string>> m_guid;
};
