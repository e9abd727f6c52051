#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTError.h"
#include "analytics/TLTEvent.h"
#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// The events and errors of one session id.
// Wire struct "InstantMsg"; one value and one "is set" flag per field. Plain value, any thread.
class TLTInstantMsg : public TLTRecord<TLTInstantMsg> {
public:
    static constexpr const char* kStructName = "InstantMsg";
    static constexpr const char* kClassName = "TLTInstantMsg";

    TLTInstantMsg() = default;
    // Sets and flags every field.
    TLTInstantMsg(std::optional<std::string> id, std::optional<std::vector<TLTError>> errors,
                  std::optional<std::vector<TLTEvent>> events);

    const std::optional<std::string>& id() const { return m_id.value; }
    void setId(std::optional<std::string> value) { m_id.set(std::move(value)); }
    bool idIsSet() const { return m_id.isSet; }
    void unsetId() { m_id.unset(); }

    const std::optional<std::vector<TLTError>>& errors() const { return m_errors.value; }
    void setErrors(std::optional<std::vector<TLTError>> value) { m_errors.set(std::move(value)); }
    bool errorsIsSet() const { return m_errors.isSet; }
    void unsetErrors() { m_errors.unset(); }

    const std::optional<std::vector<TLTEvent>>& events() const { return m_events.value; }
    void setEvents(std::optional<std::vector<TLTEvent>> value) { m_events.set(std::move(value)); }
    bool eventsIsSet() const { return m_events.isSet; }
    void unsetEvents() { m_events.unset(); }

    bool operator==(const TLTInstantMsg&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("id", 1, self.m_id), tltField("errors", 2, self.m_errors),
                          tltField("events", 3, self.m_events)};
    }

    TLTField<std::optional<std::string>> m_id;
    TLTField<std::optional<std::vector<TLTError>>> m_errors;
    TLTField<std::optional<std::vector<TLTEvent>>> m_events;
};
