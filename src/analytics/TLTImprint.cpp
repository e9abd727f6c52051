#include "analytics/TLTImprint.h"

#include <utility>

TLTImprint::TLTImprint(std::optional<TLTMap<TLTImprintValue>> property, int32_t version,
                       std::optional<std::string> checksum) {
    m_property.set(std::move(property));
    m_version.set(version);
    m_checksum.set(std::move(checksum));
}
