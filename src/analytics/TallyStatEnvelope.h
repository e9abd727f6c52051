#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "analytics/TLEnvelope.h"
#include "platform/foundation/Bytes.h"

// Wraps the compressed log entry into the upload envelope (key, install signature, serial
// number, time, length, GUID, checksum) and keeps it in the envelope file, so an upload that
// did not reach the service is repeated with the very same bytes until it is accepted, refused,
// or too old or too large to repeat. One shared instance for the process; any thread (its lock
// is taken after the job lock).
class TallyStatEnvelope {
public:
    static constexpr const char* kVersion = "V1.0";
    static constexpr size_t kMaxKeptBytes = 0x40000;
    static constexpr int64_t kMaxKeptSeconds = 1209601;
    static constexpr size_t kDigestBytes = 16;
    static constexpr size_t kGuidBytes = 32;

    static TallyStatEnvelope& sharedInstance();

    // The bytes to upload: the kept file's, or a new envelope's; nothing when none can be made.
    std::optional<Bytes> loadEnvelopeData();
    std::optional<Bytes> toDataWithEntity(const std::optional<Bytes>& entity);
    // Keeps the last envelope built in the file, unless one is kept already; whether one is.
    bool saveEnvelopeFile();
    // Deletes the file and forgets the bytes.
    void removeEnvelope();
    static std::string envelopeFile();

    void setLength(int32_t length);
    int32_t length() const;
    int32_t serialNum() const;
    int32_t timestamp() const;
    std::string checksum() const;
    Bytes guid() const;
    Bytes signature() const;
    Bytes identityMD5() const;
    Bytes entityMD5() const;
    std::optional<Bytes> envelopeData() const;

    // The GUID for the current digests and time, from a signature or from none.
    Bytes buildGUIDWithSignature(const std::optional<Bytes>& signature);
    Bytes mergeEntityAndIdentity() const;
    bool verifyChecksum() const;
    bool verifyTimestamp() const;
    // Fixes the build time (tests build envelopes for a known second).
    void setTimestamp(int32_t timestamp);

private:
    TallyStatEnvelope();
    void buildSerialNum();
    void generateChecksum();
    static std::string hex(const Bytes& bytes);

    mutable std::recursive_mutex m_mutex;
    std::string m_address;
    Bytes m_identityMD5;
    Bytes m_entityMD5;
    Bytes m_signature;
    Bytes m_guid;
    std::string m_checksum;
    int32_t m_timestamp = 0;
    int32_t m_serialNum = 0;
    int32_t m_length = 0;
    TLEnvelope m_enveloper;
    std::optional<Bytes> m_envelopeData;
};
