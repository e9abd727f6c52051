#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// The upload body: the compressed log entry with its key, signature, serial number, time, length,
// GUID and checksum. Wire struct "TLEnvelope"; one value and one "is set" flag per field. Plain
// value, any thread.
class TLEnvelope : public TLTRecord<TLEnvelope> {
public:
    static constexpr const char* kStructName = "TLEnvelope";
    static constexpr const char* kClassName = "TLEnvelope";

    TLEnvelope() = default;
    // Sets and flags every field.
    TLEnvelope(std::optional<std::string> version, std::optional<std::string> address,
               std::optional<std::string> signature, int32_t serial_num, int32_t ts_secs,
               int32_t length, std::optional<std::vector<uint8_t>> entity,
               std::optional<std::string> guid, std::optional<std::string> checksum);

    const std::optional<std::string>& version() const { return m_version.value; }
    void setVersion(std::optional<std::string> value) { m_version.set(std::move(value)); }
    bool versionIsSet() const { return m_version.isSet; }
    void unsetVersion() { m_version.unset(); }

    const std::optional<std::string>& address() const { return m_address.value; }
    void setAddress(std::optional<std::string> value) { m_address.set(std::move(value)); }
    bool addressIsSet() const { return m_address.isSet; }
    void unsetAddress() { m_address.unset(); }

    const std::optional<std::string>& signature() const { return m_signature.value; }
    void setSignature(std::optional<std::string> value) { m_signature.set(std::move(value)); }
    bool signatureIsSet() const { return m_signature.isSet; }
    void unsetSignature() { m_signature.unset(); }

    int32_t serial_num() const { return m_serial_num.value; }
    void setSerial_num(int32_t value) { m_serial_num.set(value); }
    bool serial_numIsSet() const { return m_serial_num.isSet; }
    void unsetSerial_num() { m_serial_num.unset(); }

    int32_t ts_secs() const { return m_ts_secs.value; }
    void setTs_secs(int32_t value) { m_ts_secs.set(value); }
    bool ts_secsIsSet() const { return m_ts_secs.isSet; }
    void unsetTs_secs() { m_ts_secs.unset(); }

    int32_t length() const { return m_length.value; }
    void setLength(int32_t value) { m_length.set(value); }
    bool lengthIsSet() const { return m_length.isSet; }
    void unsetLength() { m_length.unset(); }

    const std::optional<std::vector<uint8_t>>& entity() const { return m_entity.value; }
    void setEntity(std::optional<std::vector<uint8_t>> value) { m_entity.set(std::move(value)); }
    bool entityIsSet() const { return m_entity.isSet; }
    void unsetEntity() { m_entity.unset(); }

    const std::optional<std::string>& guid() const { return m_guid.value; }
    void setGuid(std::optional<std::string> value) { m_guid.set(std::move(value)); }
    bool guidIsSet() const { return m_guid.isSet; }
    void unsetGuid() { m_guid.unset(); }

    const std::optional<std::string>& checksum() const { return m_checksum.value; }
    void setChecksum(std::optional<std::string> value) { m_checksum.set(std::move(value)); }
    bool checksumIsSet() const { return m_checksum.isSet; }
    void unsetChecksum() { m_checksum.unset(); }

    bool operator==(const TLEnvelope&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("version", 1, self.m_version),
                          tltField("address", 2, self.m_address),
                          tltField("signature", 3, self.m_signature),
                          tltField("serial_num", 4, self.m_serial_num),
                          tltField("ts_secs", 5, self.m_ts_secs),
                          tltField("length", 6, self.m_length),
                          tltField("entity", 7, self.m_entity),
                          tltField("guid", 8, self.m_guid),
                          tltField("checksum", 9, self.m_checksum)};
    }

    TLTField<std::optional<std::string>> m_version;
    TLTField<std::optional<std::string>> m_address;
    TLTField<std::optional<std::string>> m_signature;
    TLTField<int32_t> m_serial_num;
    TLTField<int32_t> m_ts_secs;
    TLTField<int32_t> m_length;
    TLTField<std::optional<std::vector<uint8_t>>> m_entity;
    TLTField<std::optional<std::string>> m_guid;
    TLTField<std::optional<std::string>> m_checksum;
};
