#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// One position fix.
// Wire struct "Location"; one value and one "is set" flag per field. Plain value, any thread.
class TLTLocation : public TLTRecord<TLTLocation> {
public:
    static constexpr const char* kStructName = "Location";
    static constexpr const char* kClassName = "TLTLocation";

    TLTLocation() = default;
    // Sets and flags every field.
    TLTLocation(double lat, double lng, int64_t ts);

    double lat() const { return m_lat.value; }
    void setLat(double value) { m_lat.set(value); }
    bool latIsSet() const { return m_lat.isSet; }
    void unsetLat() { m_lat.unset(); }

    double lng() const { return m_lng.value; }
    void setLng(double value) { m_lng.set(value); }
    bool lngIsSet() const { return m_lng.isSet; }
    void unsetLng() { m_lng.unset(); }

    int64_t ts() const { return m_ts.value; }
    void setTs(int64_t value) { m_ts.set(value); }
    bool tsIsSet() const { return m_ts.isSet; }
    void unsetTs() { m_ts.unset(); }

    bool operator==(const TLTLocation&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("lat", 1, self.m_lat), tltField("lng", 2, self.m_lng),
                          tltField("ts", 3, self.m_ts)};
    }

    TLTField<double> m_lat;
    TLTField<double> m_lng;
    TLTField<int64_t> m_ts;
};
