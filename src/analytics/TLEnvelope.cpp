#include "analytics/TLEnvelope.h"

#include <utility>

TLEnvelope::TLEnvelope(std::optional<std::string> version, std::optional<std::string> address,
                       std::optional<std::string> signature, int32_t serial_num, int32_t ts_secs,
                       int32_t length, std::optional<std::vector<uint8_t>> entity,
                       std::optional<std::string> guid, std::optional<std::string> checksum) {
    m_version.set(std::move(version));
    m_address.set(std::move(address));
    m_signature.set(std::move(signature));
    m_serial_num.set(serial_num);
    m_ts_secs.set(ts_secs);
    m_length.set(length);
    m_entity.set(std::move(entity));
    m_guid.set(std::move(guid));
    m_checksum.set(std::move(checksum));
}
