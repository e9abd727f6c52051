#include "analytics/TLTIdTracking.h"

#include <utility>

TLTIdTracking::TLTIdTracking(std::optional<TLTMap<TLTIdSnapshot>> snapshots,
                             std::optional<std::vector<TLTIdJournal>> journals,
                             std::optional<std::string> checksum) {
    m_snapshots.set(std::move(snapshots));
    m_journals.set(std::move(journals));
    m_checksum.set(std::move(checksum));
}
