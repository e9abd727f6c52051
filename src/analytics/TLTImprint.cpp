#include "analytics/TLTImprint.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "analytics/TLANAscii.h"
#include "analytics/TLANUtil.h"
#include "platform/foundation/Text.h"

TLTImprint::TLTImprint(std::optional<TLTMap<TLTImprintValue>> property, int32_t version,
                       std::optional<std::string> checksum) {
    m_property.set(std::move(property));
    m_version.set(version);
    m_checksum.set(std::move(checksum));
}

std::string TLTImprint::generatedChecksum() const {
    std::vector<const TLTMap<TLTImprintValue>::Entry*> entries;
    if (m_property.value) {
        for (const auto& entry : *m_property.value) {
            entries.push_back(&entry);
        }
    }
    std::sort(entries.begin(), entries.end(), [](const auto* a, const auto* b) {
        int order = Text::compareCaseInsensitive(a->first, b->first);
        return order != 0 ? order < 0 : a->first < b->first;
    });
    std::string text;
    for (const auto* entry : entries) {
        const TLTImprintValue& value = entry->second;
        text += Text::format("%@%@%qi%@", entry->first, value.value(), value.ts(), value.guid());
    }
    text += Text::format("%d", version());
    std::string checksum = TLANUtil::md5(text);
    for (char& c : checksum) {
        c = TLANAscii::isLetter(c) ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return checksum;
}

bool TLTImprint::hasValidChecksum() const {
    return m_property.value.has_value() && m_checksum.value == generatedChecksum();
}
