#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// The current value of one identifier domain of the identity tracking.
// Wire struct "IdSnapshot"; one value and one "is set" flag per field. Plain value, any thread.
class TLTIdSnapshot : public TLTRecord<TLTIdSnapshot> {
public:
    static constexpr const char* kStructName = "IdSnapshot";
    static constexpr const char* kClassName = "TLTIdSnapshot";

    TLTIdSnapshot() = default;
    // Sets and flags every field.
    TLTIdSnapshot(std::optional<std::string> identity, int64_t ts, int32_t version);

    const std::optional<std::string>& identity() const { return m_identity.value; }
    void setIdentity(std::optional<std::string> value) { m_identity.set(std::move(value)); }
    bool identityIsSet() const { return m_identity.isSet; }
    void unsetIdentity() { m_identity.unset(); }

    int64_t ts() const { return m_ts.value; }
    void setTs(int64_t value) { m_ts.set(value); }
    bool tsIsSet() const { return m_ts.isSet; }
    void unsetTs() { m_ts.unset(); }

    int32_t version() const { return m_version.value; }
    void setVersion(int32_t value) { m_version.set(value); }
    bool versionIsSet() const { return m_version.isSet; }
    void unsetVersion() { m_version.unset(); }

    bool operator==(const TLTIdSnapshot&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("identity", 1, self.m_identity), tltField("ts", 2, self.m_ts),
                          tltField("version", 3, self.m_version)};
    }

    TLTField<std::optional<std::string>> m_identity;
    TLTField<int64_t> m_ts;
    TLTField<int32_t> m_version;
};
