#include "analytics/TallyStatEnvelope.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "analytics/TLANFiles.h"
#include "analytics/TLANJournal.h"
#include "analytics/TLANUtil.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatThrift.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"

namespace {

constexpr const char* kSignatureKey = "tlSignature";
constexpr const char* kSerialKey = "tlSerialNum";

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Seconds since the file was made; the change time stands in where no birth time is kept.
std::optional<double> fileAgeSeconds(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    const double made = static_cast<double>(status.st_mtim.tv_sec) +
                        static_cast<double>(status.st_mtim.tv_nsec) / 1e9;
    return Timer::now() - made;
}

}  // namespace

TallyStatEnvelope::TallyStatEnvelope() : m_address(TallyStatApp::sharedInstance().appid()) {
    m_identityMD5 = TLANUtil::md5DataWithData([] {
        const std::string text = TLANUtil::idfv() + TLANUtil::sharedUDIDString();
        return Bytes(text.begin(), text.end());
    }());
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (defaults.contains(kSignatureKey)) {
        m_signature = defaults.dataForKey(kSignatureKey);
    }
    m_enveloper.setVersion(std::string(kVersion));
    m_enveloper.setAddress(m_address);
}

TallyStatEnvelope& TallyStatEnvelope::sharedInstance() {
    static TallyStatEnvelope* instance = new TallyStatEnvelope();
    return *instance;
}

std::string TallyStatEnvelope::envelopeFile() {
    return Paths::join(Paths::caches(),
                       Text::format(".%@_tally_envelope.log", TLANUtil::appPackageNameString()));
}

std::optional<Bytes> TallyStatEnvelope::loadEnvelopeData() {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    // Only the process that keeps the folder's files sends: an envelope kept there may be
    // another's upload under way.
    if (!TLANJournal::ownsFolder()) {
        return std::nullopt;
    }
    const std::string path = envelopeFile();
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) {
        std::optional<Bytes> kept = AtomicFile::read(path);
        std::optional<double> age = fileAgeSeconds(path);
        TLEnvelope envelope;
        if (kept && age &&
            (kept->size() >= kMaxKeptBytes || static_cast<int64_t>(*age) >= kMaxKeptSeconds)) {
            TallyStatInternal::updateSerialNum(1);
            removeEnvelope();
            return std::nullopt;
        }
        if (kept && age && envelope.readBytes(*kept)) {
            return kept;
        }
        // A kept file that cannot be read or is no envelope would block every later upload. A
        // new one goes only in its place: a kill would otherwise find the old one kept.
        tallyLog("the kept envelope is unreadable and is dropped");
        m_envelopeData.reset();
        if (!TLANFiles::remove(TLANFiles::Point::Envelope, path)) {
            return std::nullopt;
        }
    }
    std::optional<Bytes> entity = TallyStatThrift::sharedInstance().entityData();
    m_timestamp = static_cast<int32_t>(Timer::now());
    std::optional<Bytes> bytes = toDataWithEntity(entity);
    // The records it carries are marked on disk, and the envelope kept, before it can leave:
    // after a crash each is in the kept envelope, sent again as it is, or in the cache file
    // unmarked, never in both. Unless both are written, nothing leaves and the records wait.
    if (bytes && !(TallyStatInternal::sharedInstance().writeCacheFile() && saveEnvelopeFile())) {
        tallyLog("the envelope could not be kept: the upload waits");
        m_envelopeData.reset();
        return std::nullopt;
    }
    return bytes;
}

std::optional<Bytes> TallyStatEnvelope::toDataWithEntity(const std::optional<Bytes>& entity) {
    if (!entity) {
        return std::nullopt;
    }
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    buildSerialNum();
    m_entityMD5 = TLANUtil::md5DataWithData(*entity);
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    std::optional<Bytes> stored;
    if (defaults.contains(kSignatureKey)) {
        stored = defaults.dataForKey(kSignatureKey);
    }
    buildGUIDWithSignature(stored);
    m_address = TallyStatApp::sharedInstance().appid();
    m_enveloper.setAddress(m_address);
    m_enveloper.setSerial_num(m_serialNum);
    m_enveloper.setEntity(*entity);
    m_enveloper.setGuid(hex(m_guid));
    m_enveloper.setLength(m_length);
    m_enveloper.setTs_secs(m_timestamp);
    m_enveloper.setSignature(hex(m_signature));
    generateChecksum();
    m_enveloper.setChecksum(m_checksum);
    std::optional<std::vector<uint8_t>> bytes = m_enveloper.toBytes();
    if (!bytes) {
        return std::nullopt;
    }
    m_envelopeData = *bytes;
    return m_envelopeData;
}

void TallyStatEnvelope::buildSerialNum() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.contains(kSerialKey)) {
        defaults.setInteger(1, kSerialKey);
        defaults.synchronize();
    }
    m_serialNum = static_cast<int32_t>(defaults.integerForKey(kSerialKey));
}

Bytes TallyStatEnvelope::mergeEntityAndIdentity() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    Bytes merged(kGuidBytes, 0);
    for (size_t k = 0; k < kDigestBytes; ++k) {
        merged[2 * k] = k < m_entityMD5.size() ? m_entityMD5[k] : 0;
        merged[2 * k + 1] = k < m_identityMD5.size() ? m_identityMD5[k] : 0;
    }
    return merged;
}

Bytes TallyStatEnvelope::buildGUIDWithSignature(const std::optional<Bytes>& signature) {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    Bytes guid = mergeEntityAndIdentity();
    const bool usable = signature && signature->size() >= kGuidBytes;
    for (size_t index : {size_t{0}, size_t{1}, size_t{30}, size_t{31}}) {
        guid[index] = usable ? (*signature)[index] : 0;
    }
    const auto time = static_cast<uint32_t>(m_timestamp);
    for (size_t i = 0; i < kGuidBytes; ++i) {
        guid[i] ^= static_cast<uint8_t>(time >> (8 * (i % 4)));
    }
    m_guid = guid;
    if (usable) {
        m_signature = *signature;
        return m_guid;
    }
    m_signature = m_guid;
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.contains(kSignatureKey)) {
        defaults.setData(m_signature, kSignatureKey);
        defaults.synchronize();
    }
    return buildGUIDWithSignature(m_signature);
}

void TallyStatEnvelope::generateChecksum() {
    m_checksum = lower(TLANUtil::md5(Text::format("%@%d%d%d%@", hex(m_signature), m_serialNum,
                                                  m_timestamp, m_length, hex(m_guid))));
}

std::string TallyStatEnvelope::hex(const Bytes& bytes) {
    return TLANUtil::bytesToHexString(bytes.data(), static_cast<int64_t>(bytes.size()));
}

bool TallyStatEnvelope::saveEnvelopeFile() {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    const std::string path = envelopeFile();
    std::error_code ignored;
    if (!m_envelopeData || std::filesystem::exists(path, ignored)) {
        return true;
    }
    return TLANFiles::replace(TLANFiles::Point::Envelope, path, *m_envelopeData);
}

void TallyStatEnvelope::removeEnvelope() {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    TLANFiles::remove(TLANFiles::Point::Envelope, envelopeFile());
    m_envelopeData.reset();
}

bool TallyStatEnvelope::verifyChecksum() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    if (m_guid.size() != kGuidBytes) {
        return false;
    }
    const auto time = static_cast<uint32_t>(m_timestamp);
    for (size_t k = 2; k < 14; ++k) {
        const auto entity = static_cast<uint8_t>(m_guid[2 * k] ^ (time >> (8 * ((2 * k) % 4))));
        const auto identity =
            static_cast<uint8_t>(m_guid[2 * k + 1] ^ (time >> (8 * ((2 * k + 1) % 4))));
        if (k >= m_entityMD5.size() || entity != m_entityMD5[k] || identity != m_identityMD5[k]) {
            return false;
        }
    }
    return true;
}

bool TallyStatEnvelope::verifyTimestamp() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    if (m_guid.size() != kGuidBytes || m_signature.size() != kGuidBytes) {
        return false;
    }
    const uint32_t time = static_cast<uint32_t>(m_guid[0] ^ m_signature[0]) |
                          static_cast<uint32_t>(m_guid[1] ^ m_signature[1]) << 8 |
                          static_cast<uint32_t>(m_guid[30] ^ m_signature[30]) << 16 |
                          static_cast<uint32_t>(m_guid[31] ^ m_signature[31]) << 24;
    return time == static_cast<uint32_t>(m_timestamp) || (time == 0 && m_serialNum == 1);
}

void TallyStatEnvelope::setTimestamp(int32_t timestamp) {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    m_timestamp = timestamp;
}

void TallyStatEnvelope::setLength(int32_t length) {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    m_length = length;
}

int32_t TallyStatEnvelope::length() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_length;
}

int32_t TallyStatEnvelope::serialNum() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_serialNum;
}

int32_t TallyStatEnvelope::timestamp() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_timestamp;
}

std::string TallyStatEnvelope::checksum() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_checksum;
}

Bytes TallyStatEnvelope::guid() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_guid;
}

Bytes TallyStatEnvelope::signature() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_signature;
}

Bytes TallyStatEnvelope::identityMD5() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_identityMD5;
}

Bytes TallyStatEnvelope::entityMD5() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_entityMD5;
}

std::optional<Bytes> TallyStatEnvelope::envelopeData() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_envelopeData;
}
