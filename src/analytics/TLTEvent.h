#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTMap.h"
#include "analytics/TLTPropertyValue.h"
#include "analytics/TLTRecord.h"

// One custom event with its attributes.
// Wire struct "Event"; one value and one "is set" flag per field. Plain value, any thread.
class TLTEvent : public TLTRecord<TLTEvent> {
public:
    static constexpr const char* kStructName = "Event";
    static constexpr const char* kClassName = "TLTEvent";

    TLTEvent() = default;
    // Sets and flags every field.
    TLTEvent(std::optional<std::string> name, std::optional<TLTMap<TLTPropertyValue>> properties,
             int64_t duration, int32_t acc, int64_t ts);

    const std::optional<std::string>& name() const { return m_name.value; }
    void setName(std::optional<std::string> value) { m_name.set(std::move(value)); }
    bool nameIsSet() const { return m_name.isSet; }
    void unsetName() { m_name.unset(); }

    const std::optional<TLTMap<TLTPropertyValue>>& properties() const { return m_properties.value; }
    void setProperties(std::optional<TLTMap<TLTPropertyValue>> value) {
        m_properties.set(std::move(value));
    }
    bool propertiesIsSet() const { return m_properties.isSet; }
    void unsetProperties() { m_properties.unset(); }

    int64_t duration() const { return m_duration.value; }
    void setDuration(int64_t value) { m_duration.set(value); }
    bool durationIsSet() const { return m_duration.isSet; }
    void unsetDuration() { m_duration.unset(); }

    int32_t acc() const { return m_acc.value; }
    void setAcc(int32_t value) { m_acc.set(value); }
    bool accIsSet() const { return m_acc.isSet; }
    void unsetAcc() { m_acc.unset(); }

    int64_t ts() const { return m_ts.value; }
    void setTs(int64_t value) { m_ts.set(value); }
    bool tsIsSet() const { return m_ts.isSet; }
    void unsetTs() { m_ts.unset(); }

    bool operator==(const TLTEvent&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("name", 1, self.m_name),
                          tltField("properties", 2, self.m_properties),
                          tltField("duration", 3, self.m_duration), tltField("acc", 4, self.m_acc),
                          tltField("ts", 5, self.m_ts)};
    }

    TLTField<std::optional<std::string>> m_name;
    TLTField<std::optional<TLTMap<TLTPropertyValue>>> m_properties;
    TLTField<int64_t> m_duration;
    TLTField<int32_t> m_acc;
    TLTField<int64_t> m_ts;
};
