#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// Time zone, language, country, carrier, display name and network kind of an upload.
// Wire struct "MiscInfo"; one value and one "is set" flag per field. Plain value, any thread.
class TLTMiscInfo : public TLTRecord<TLTMiscInfo> {
public:
    static constexpr const char* kStructName = "MiscInfo";
    static constexpr const char* kClassName = "TLTMiscInfo";

    TLTMiscInfo() = default;
    // Sets and flags every field.
    TLTMiscInfo(int32_t time_zone, std::optional<std::string> language,
                std::optional<std::string> country, double latitude, double longitude,
                std::optional<std::string> carrier, int32_t latency,
                std::optional<std::string> display_name, int32_t access_type,
                std::optional<std::string> access_subtype);

    int32_t time_zone() const { return m_time_zone.value; }
    void setTime_zone(int32_t value) { m_time_zone.set(value); }
    bool time_zoneIsSet() const { return m_time_zone.isSet; }
    void unsetTime_zone() { m_time_zone.unset(); }

    const std::optional<std::string>& language() const { return m_language.value; }
    void setLanguage(std::optional<std::string> value) { m_language.set(std::move(value)); }
    bool languageIsSet() const { return m_language.isSet; }
    void unsetLanguage() { m_language.unset(); }

    const std::optional<std::string>& country() const { return m_country.value; }
    void setCountry(std::optional<std::string> value) { m_country.set(std::move(value)); }
    bool countryIsSet() const { return m_country.isSet; }
    void unsetCountry() { m_country.unset(); }

    double latitude() const { return m_latitude.value; }
    void setLatitude(double value) { m_latitude.set(value); }
    bool latitudeIsSet() const { return m_latitude.isSet; }
    void unsetLatitude() { m_latitude.unset(); }

    double longitude() const { return m_longitude.value; }
    void setLongitude(double value) { m_longitude.set(value); }
    bool longitudeIsSet() const { return m_longitude.isSet; }
    void unsetLongitude() { m_longitude.unset(); }

    const std::optional<std::string>& carrier() const { return m_carrier.value; }
    void setCarrier(std::optional<std::string> value) { m_carrier.set(std::move(value)); }
    bool carrierIsSet() const { return m_carrier.isSet; }
    void unsetCarrier() { m_carrier.unset(); }

    int32_t latency() const { return m_latency.value; }
    void setLatency(int32_t value) { m_latency.set(value); }
    bool latencyIsSet() const { return m_latency.isSet; }
    void unsetLatency() { m_latency.unset(); }

    const std::optional<std::string>& display_name() const { return m_display_name.value; }
    void setDisplay_name(std::optional<std::string> value) { m_display_name.set(std::move(value)); }
    bool display_nameIsSet() const { return m_display_name.isSet; }
    void unsetDisplay_name() { m_display_name.unset(); }

    int32_t access_type() const { return m_access_type.value; }
    void setAccess_type(int32_t value) { m_access_type.set(value); }
    bool access_typeIsSet() const { return m_access_type.isSet; }
    void unsetAccess_type() { m_access_type.unset(); }

    const std::optional<std::string>& access_subtype() const { return m_access_subtype.value; }
    void setAccess_subtype(std::optional<std::string> value) {
        m_access_subtype.set(std::move(value));
    }
    bool access_subtypeIsSet() const { return m_access_subtype.isSet; }
    void unsetAccess_subtype() { m_access_subtype.unset(); }

    bool operator==(const TLTMiscInfo&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("time_zone", 1, self.m_time_zone),
                          tltField("language", 2, self.m_language),
                          tltField("country", 3, self.m_country),
                          tltField("latitude", 4, self.m_latitude),
                          tltField("longitude", 5, self.m_longitude),
                          tltField("carrier", 6, self.m_carrier),
                          tltField("latency", 7, self.m_latency),
                          tltField("display_name", 8, self.m_display_name),
                          tltField("access_type", 9, self.m_access_type),
                          tltField("access_subtype", 10, self.m_access_subtype)};
    }

    TLTField<int32_t> m_time_zone;
    TLTField<std::optional<std::string>> m_language;
    TLTField<std::optional<std::string>> m_country;
    TLTField<double> m_latitude;
    TLTField<double> m_longitude;
    TLTField<std::optional<std::string>> m_carrier;
    TLTField<int32_t> m_latency;
    TLTField<std::optional<std::string>> m_display_name;
    TLTField<int32_t> m_access_type;
    TLTField<std::optional<std::string>> m_access_subtype;
};
