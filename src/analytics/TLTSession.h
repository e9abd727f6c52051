#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTField.h"
#include "analytics/TLTLocation.h"
#include "analytics/TLTPage.h"
#include "analytics/TLTRecord.h"
#include "analytics/TLTTraffic.h"

// One finished use of the application with its page views and location.
// Wire struct "Session"; one value and one "is set" flag per field. Plain value, any thread.
class TLTSession : public TLTRecord<TLTSession> {
public:
    static constexpr const char* kStructName = "Session";
    static constexpr const char* kClassName = "TLTSession";

    TLTSession() = default;
    // Sets and flags every field.
    TLTSession(std::optional<std::string> id, int64_t start_time, int64_t end_time,
               int64_t duration, std::optional<std::vector<TLTPage>> pages,
               std::optional<std::vector<TLTLocation>> locations,
               std::optional<TLTTraffic> traffic);

    const std::optional<std::string>& id() const { return m_id.value; }
    void setId(std::optional<std::string> value) { m_id.set(std::move(value)); }
    bool idIsSet() const { return m_id.isSet; }
    void unsetId() { m_id.unset(); }

    int64_t start_time() const { return m_start_time.value; }
    void setStart_time(int64_t value) { m_start_time.set(value); }
    bool start_timeIsSet() const { return m_start_time.isSet; }
    void unsetStart_time() { m_start_time.unset(); }

    int64_t end_time() const { return m_end_time.value; }
    void setEnd_time(int64_t value) { m_end_time.set(value); }
    bool end_timeIsSet() const { return m_end_time.isSet; }
    void unsetEnd_time() { m_end_time.unset(); }

    int64_t duration() const { return m_duration.value; }
    void setDuration(int64_t value) { m_duration.set(value); }
    bool durationIsSet() const { return m_duration.isSet; }
    void unsetDuration() { m_duration.unset(); }

    const std::optional<std::vector<TLTPage>>& pages() const { return m_pages.value; }
    void setPages(std::optional<std::vector<TLTPage>> value) { m_pages.set(std::move(value)); }
    bool pagesIsSet() const { return m_pages.isSet; }
    void unsetPages() { m_pages.unset(); }

    const std::optional<std::vector<TLTLocation>>& locations() const { return m_locations.value; }
    void setLocations(std::optional<std::vector<TLTLocation>> value) {
        m_locations.set(std::move(value));
    }
    bool locationsIsSet() const { return m_locations.isSet; }
    void unsetLocations() { m_locations.unset(); }

    const std::optional<TLTTraffic>& traffic() const { return m_traffic.value; }
    void setTraffic(std::optional<TLTTraffic> value) { m_traffic.set(std::move(value)); }
    bool trafficIsSet() const { return m_traffic.isSet; }
    void unsetTraffic() { m_traffic.unset(); }

    bool operator==(const TLTSession&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("id", 1, self.m_id),
                          tltField("start_time", 2, self.m_start_time),
                          tltField("end_time", 3, self.m_end_time),
                          tltField("duration", 4, self.m_duration),
                          tltField("pages", 5, self.m_pages),
                          tltField("locations", 6, self.m_locations),
                          tltField("traffic", 7, self.m_traffic)};
    }

    TLTField<std::optional<std::string>> m_id;
    TLTField<int64_t> m_start_time;
    TLTField<int64_t> m_end_time;
    TLTField<int64_t> m_duration;
    TLTField<std::optional<std::vector<TLTPage>>> m_pages;
    TLTField<std::optional<std::vector<TLTLocation>>> m_locations;
    TLTField<std::optional<TLTTraffic>> m_traffic;
};
