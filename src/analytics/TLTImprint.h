#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTImprintValue.h"
#include "analytics/TLTMap.h"
#include "analytics/TLTRecord.h"

// Named values the analytics service hands to the client, sealed by a checksum.
// Wire struct "Imprint"; one value and one "is set" flag per field. Plain value, any thread.
class TLTImprint : public TLTRecord<TLTImprint> {
public:
    static constexpr const char* kStructName = "Imprint";
    static constexpr const char* kClassName = "TLTImprint";

    TLTImprint() = default;
    // Sets and flags every field.
    TLTImprint(std::optional<TLTMap<TLTImprintValue>> property, int32_t version,
               std::optional<std::string> checksum);

    const std::optional<TLTMap<TLTImprintValue>>& property() const { return m_property.value; }
    void setProperty(std::optional<TLTMap<TLTImprintValue>> value) {
        m_property.set(std::move(value));
    }
    bool propertyIsSet() const { return m_property.isSet; }
    void unsetProperty() { m_property.unset(); }

    int32_t version() const { return m_version.value; }
    void setVersion(int32_t value) { m_version.set(value); }
    bool versionIsSet() const { return m_version.isSet; }
    void unsetVersion() { m_version.unset(); }

    const std::optional<std::string>& checksum() const { return m_checksum.value; }
    void setChecksum(std::optional<std::string> value) { m_checksum.set(std::move(value)); }
    bool checksumIsSet() const { return m_checksum.isSet; }
    void unsetChecksum() { m_checksum.unset(); }

    // 32 lower-case hexadecimal digits of the MD5 of every property (name, value, time stamp,
    // GUID; names in case-insensitive order) followed by the version.
    std::string generatedChecksum() const;
    // A property map is present and the checksum equals the generated one exactly.
    bool hasValidChecksum() const;

    bool operator==(const TLTImprint&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("property", 1, self.m_property),
                          tltField("version", 2, self.m_version),
                          tltField("checksum", 3, self.m_checksum)};
    }

    TLTField<std::optional<TLTMap<TLTImprintValue>>> m_property;
    TLTField<int32_t> m_version;
    TLTField<std::optional<std::string>> m_checksum;
};
