#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// One change of a device identifier seen by the identity tracking.
// Wire struct "IdJournal"; one value and one "is set" flag per field. Plain value, any thread.
class TLTIdJournal : public TLTRecord<TLTIdJournal> {
public:
    static constexpr const char* kStructName = "IdJournal";
    static constexpr const char* kClassName = "TLTIdJournal";

    TLTIdJournal() = default;
    // Sets and flags every field.
    TLTIdJournal(std::optional<std::string> domain, std::optional<std::string> old_id,
                 std::optional<std::string> new_id, int64_t ts);

    const std::optional<std::string>& domain() const { return m_domain.value; }
    void setDomain(std::optional<std::string> value) { m_domain.set(std::move(value)); }
    bool domainIsSet() const { return m_domain.isSet; }
    void unsetDomain() { m_domain.unset(); }

    const std::optional<std::string>& old_id() const { return m_old_id.value; }
    void setOld_id(std::optional<std::string> value) { m_old_id.set(std::move(value)); }
    bool old_idIsSet() const { return m_old_id.isSet; }
    void unsetOld_id() { m_old_id.unset(); }

    const std::optional<std::string>& new_id() const { return m_new_id.value; }
    void setNew_id(std::optional<std::string> value) { m_new_id.set(std::move(value)); }
    bool new_idIsSet() const { return m_new_id.isSet; }
    void unsetNew_id() { m_new_id.unset(); }

    int64_t ts() const { return m_ts.value; }
    void setTs(int64_t value) { m_ts.set(value); }
    bool tsIsSet() const { return m_ts.isSet; }
    void unsetTs() { m_ts.unset(); }

    bool operator==(const TLTIdJournal&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("domain", 1, self.m_domain),
                          tltField("old_id", 2, self.m_old_id),
                          tltField("new_id", 3, self.m_new_id), tltField("ts", 4, self.m_ts)};
    }

    TLTField<std::optional<std::string>> m_domain;
    TLTField<std::optional<std::string>> m_old_id;
    TLTField<std::optional<std::string>> m_new_id;
    TLTField<int64_t> m_ts;
};
