#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// One page view inside a session.
// Wire struct "Page"; one value and one "is set" flag per field. Plain value, any thread.
class TLTPage : public TLTRecord<TLTPage> {
public:
    static constexpr const char* kStructName = "Page";
    static constexpr const char* kClassName = "TLTPage";

    TLTPage() = default;
    // Sets and flags every field.
    TLTPage(std::optional<std::string> page_name, int64_t duration);

    const std::optional<std::string>& page_name() const { return m_page_name.value; }
    void setPage_name(std::optional<std::string> value) { m_page_name.set(std::move(value)); }
    bool page_nameIsSet() const { return m_page_name.isSet; }
    void unsetPage_name() { m_page_name.unset(); }

    int64_t duration() const { return m_duration.value; }
    void setDuration(int64_t value) { m_duration.set(value); }
    bool durationIsSet() const { return m_duration.isSet; }
    void unsetDuration() { m_duration.unset(); }

    bool operator==(const TLTPage&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("page_name", 1, self.m_page_name),
                          tltField("duration", 2, self.m_duration)};
    }

    TLTField<std::optional<std::string>> m_page_name;
    TLTField<int64_t> m_duration;
};
