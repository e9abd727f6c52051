#include "analytics/TLTIdSnapshot.h"

#include <utility>

TLTIdSnapshot::TLTIdSnapshot(std::optional<std::string> identity, int64_t ts, int32_t version) {
    m_identity.set(std::move(identity));
    m_ts.set(ts);
    m_version.set(version);
}
