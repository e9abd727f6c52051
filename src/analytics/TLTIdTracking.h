#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTField.h"
#include "analytics/TLTIdJournal.h"
#include "analytics/TLTIdSnapshot.h"
#include "analytics/TLTMap.h"
#include "analytics/TLTRecord.h"

// Identity tracking of the device identifiers: a snapshot per domain and the changes seen.
// Wire struct "IdTracking"; one value and one "is set" flag per field. Plain value, any thread.
class TLTIdTracking : public TLTRecord<TLTIdTracking> {
public:
    static constexpr const char* kStructName = "IdTracking";
    static constexpr const char* kClassName = "TLTIdTracking";

    TLTIdTracking() = default;
    // Sets and flags every field.
    TLTIdTracking(std::optional<TLTMap<TLTIdSnapshot>> snapshots,
                  std::optional<std::vector<TLTIdJournal>> journals,
                  std::optional<std::string> checksum);

    const std::optional<TLTMap<TLTIdSnapshot>>& snapshots() const { return m_snapshots.value; }
    void setSnapshots(std::optional<TLTMap<TLTIdSnapshot>> value) {
        m_snapshots.set(std::move(value));
    }
    bool snapshotsIsSet() const { return m_snapshots.isSet; }
    void unsetSnapshots() { m_snapshots.unset(); }

    const std::optional<std::vector<TLTIdJournal>>& journals() const { return m_journals.value; }
    void setJournals(std::optional<std::vector<TLTIdJournal>> value) {
        m_journals.set(std::move(value));
    }
    bool journalsIsSet() const { return m_journals.isSet; }
    void unsetJournals() { m_journals.unset(); }

    const std::optional<std::string>& checksum() const { return m_checksum.value; }
    void setChecksum(std::optional<std::string> value) { m_checksum.set(std::move(value)); }
    bool checksumIsSet() const { return m_checksum.isSet; }
    void unsetChecksum() { m_checksum.unset(); }

    bool operator==(const TLTIdTracking&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("snapshots", 1, self.m_snapshots),
                          tltField("journals", 2, self.m_journals),
                          tltField("checksum", 3, self.m_checksum)};
    }

    TLTField<std::optional<TLTMap<TLTIdSnapshot>>> m_snapshots;
    TLTField<std::optional<std::vector<TLTIdJournal>>> m_journals;
    TLTField<std::optional<std::string>> m_checksum;
};
