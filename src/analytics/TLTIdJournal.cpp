#include "analytics/TLTIdJournal.h"

#include <utility>

TLTIdJournal::TLTIdJournal(std::optional<std::string> domain, std::optional<std::string> old_id,
                           std::optional<std::string> new_id, int64_t ts) {
    m_domain.set(std::move(domain));
    m_old_id.set(std::move(old_id));
    m_new_id.set(std::move(new_id));
    m_ts.set(ts);
}
