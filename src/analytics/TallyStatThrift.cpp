#include "analytics/TallyStatThrift.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <utility>

#include "analytics/TLANUtil.h"
#include "analytics/TLTResponse.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatEnvelope.h"
#include "analytics/TallyStatInternal.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"

namespace {

constexpr const char* kIdTrackingKey = "tlIDTracking";
constexpr const char* kImprintKey = "tlImprint";
constexpr const char* kActivateKey = "tlActivateMsg";
constexpr const char* kIdfvZero = "00000000-0000-0000-0000-000000000000";

struct Domain {
    const char* name;
    std::function<std::string()> identifier;
};

const std::vector<Domain>& domains() {
    static const std::vector<Domain> all = {
        {"mc", [] { return TLANUtil::deviceMacAddressString(); }},
        {"idfa", [] { return TLANUtil::idfa(); }},
        {"idfv",
         [] {
             std::string idfv = TLANUtil::idfv();
             return idfv == kIdfvZero ? std::string() : idfv;
         }},
        {"oid", [] { return TLANUtil::sharedUDIDString(); }}};
    return all;
}

std::string counterKey(const std::string& domain) {
    return Text::format("um%@VersionNum", domain);
}

int64_t nowSeconds() {
    return static_cast<int64_t>(Timer::now());
}

int64_t milliseconds(double seconds) {
    return static_cast<int64_t>(seconds * 1000.0);
}

template <class R>
std::optional<R> storedRecord(const char* key) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.contains(key)) {
        return std::nullopt;
    }
    R record;
    if (!record.readBytes(defaults.dataForKey(key))) {
        return std::nullopt;
    }
    return record;
}

template <class R>
void storeRecord(const R& record, const char* key) {
    std::optional<std::vector<uint8_t>> bytes = record.toBytes();
    if (!bytes) {
        return;
    }
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setData(*bytes, key);
    defaults.synchronize();
}

TLTIdJournal journal(const std::string& domain, const std::optional<std::string>& oldId,
                     const std::string& newId, int64_t ts) {
    TLTIdJournal entry;
    entry.setDomain(domain);
    if (oldId) {
        entry.setOld_id(oldId);
    }
    entry.setNew_id(newId);
    entry.setTs(ts);
    return entry;
}

TLTIdSnapshot snapshot(const std::string& identity, int32_t version, int64_t ts) {
    TLTIdSnapshot entry;
    entry.setIdentity(identity);
    entry.setVersion(version);
    entry.setTs(ts);
    return entry;
}

// The last message of the session, or a new one at the end of the list.
TLTInstantMsg& messageFor(std::vector<TLTInstantMsg>& messages, const std::string& sessionId) {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
        if (it->id() == sessionId) {
            return *it;
        }
    }
    TLTInstantMsg message;
    message.setId(sessionId);
    messages.push_back(message);
    return messages.back();
}

void appendEvent(TLTInstantMsg& message, const TLTEvent& event) {
    std::vector<TLTEvent> list = message.events().value_or(std::vector<TLTEvent>{});
    list.push_back(event);
    message.setEvents(list);
}

TLTEvent wireEvent(const TLANEvent& record) {
    TLTEvent event;
    event.setName(record.event_id);
    TLTPropertyValue label;
    label.setString_value(record.label);
    event.setProperties(TLTMap<TLTPropertyValue>{{record.event_id, label}});
    event.setDuration(record.du);
    event.setAcc(record.acc);
    event.setTs(milliseconds(record.ts));
    return event;
}

TLTEvent wireEvent(const TLANEkv& record) {
    TLTEvent event;
    event.setName(record.id);
    TLTMap<TLTPropertyValue> properties;
    for (const auto& [key, value] : record.values.entries()) {
        TLTPropertyValue property;
        if (value.isString()) {
            property.setString_value(*value.asString());
        } else if (value.isNumber()) {
            property.setLong_value(value.toInteger());
        }
        properties.set(key, property);
    }
    event.setProperties(properties);
    event.setDuration(record.du);
    event.setTs(milliseconds(record.ts));
    return event;
}

}  // namespace

TallyStatThrift::TallyStatThrift() {
    buildLogEntry();
    buildActivateMsg();
    buildIdTracking();
}

TallyStatThrift*& TallyStatThrift::instanceSlot() {
    // Never destroyed at exit: uploads may still be running on other threads.
    static TallyStatThrift* instance = nullptr;
    return instance;
}

std::mutex& TallyStatThrift::instanceMutex() {
    static std::mutex mutex;
    return mutex;
}

void TallyStatThrift::resetToUnstarted() {
    std::lock_guard<std::mutex> guard(instanceMutex());
    delete std::exchange(instanceSlot(), nullptr);
}

TallyStatThrift& TallyStatThrift::sharedInstance() {
    std::lock_guard<std::mutex> guard(instanceMutex());
    TallyStatThrift*& instance = instanceSlot();
    if (instance == nullptr) {
        // The entry reads the settings and identity of the started library.
        instance = new TallyStatThrift();
    }
    return *instance;
}

void TallyStatThrift::buildLogEntry() {
    TLTDeviceInfo device;
    device.setDevice_id(TLANUtil::sharedUDIDString());
    device.setMac_address(TLANUtil::deviceMacAddressString());
    device.setModel(TLANUtil::deviceModelString());
    device.setOs(TLANUtil::osString());
    device.setOs_version(TLANUtil::osVersionString());
    device.setResolution(TLTResolution(TLANUtil::resolutionHeight(), TLANUtil::resolutionWidth()));

    TallyStatApp& settings = TallyStatApp::sharedInstance();
    TLTAppInfo app;
    app.setKey(settings.appid());
    app.setVersion(TLANUtil::appVersionString());
    app.setPackage_name(TLANUtil::appPackageNameString());
    app.setSdk_type(1);
    app.setSdk_version(TLANUtil::sdkVersionString());
    app.setChannel(settings.channel());

    TLTMiscInfo misc;
    misc.setTime_zone(TLANUtil::timezone());
    misc.setLanguage(TLANUtil::languageString());
    misc.setCountry(TLANUtil::countryString());
    misc.setCarrier(TLANUtil::carrierString());
    misc.setDisplay_name(TLANUtil::appDisplayNameString());
    const std::string access = TLANUtil::accessString();
    misc.setAccess_type(access == "WiFi" ? 2 : access == "CellNetwork" ? 1 : 0);

    m_entry.setApp_info(app);
    m_entry.setDevice_info(device);
    m_entry.setMisc_info(misc);
}

void TallyStatThrift::buildActivateMsg() {
    if (UserDefaults::standardUserDefaults().contains(kActivateKey)) {
        return;
    }
    TLTActivateMsg message;
    message.setTs(milliseconds(Timer::now()));
    m_entry.setActivate_msg(message);
}

void TallyStatThrift::setActivateMsgFlag() {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    if (!m_entry.activate_msg()) {
        return;
    }
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.contains(kActivateKey)) {
        defaults.setInteger(m_entry.activate_msg()->ts(), kActivateKey);
        defaults.synchronize();
    }
    m_entry.unsetActivate_msg();
}

TLTIdTracking TallyStatThrift::writeIdTracking() {
    TLTIdTracking tracking;
    TLTMap<TLTIdSnapshot> snapshots;
    std::vector<TLTIdJournal> journals;
    const int64_t now = nowSeconds();
    for (const Domain& domain : domains()) {
        const std::string identifier = domain.identifier();
        if (identifier.empty()) {
            continue;
        }
        snapshots.set(domain.name, snapshot(identifier, 1, now));
        journals.push_back(journal(domain.name, std::nullopt, identifier, now));
    }
    tracking.setSnapshots(snapshots);
    tracking.setJournals(journals);
    tracking.setChecksum("checksum");
    storeRecord(tracking, kIdTrackingKey);
    return tracking;
}

void TallyStatThrift::buildIdTracking() {
    std::optional<TLTIdTracking> stored = storedRecord<TLTIdTracking>(kIdTrackingKey);
    if (!stored) {
        m_entry.setId_tracking(writeIdTracking());
        return;
    }
    TLTIdTracking tracking = *stored;
    std::vector<TLTIdJournal> journals;
    TLTMap<TLTIdSnapshot> snapshots = tracking.snapshots().value_or(TLTMap<TLTIdSnapshot>{});
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    for (const Domain& domain : domains()) {
        int64_t changes = defaults.integerForKey(counterKey(domain.name));
        if (changes == 0) {
            changes = 1;
        }
        if (changes > kMaxIdentityChanges) {
            continue;
        }
        const std::string current = domain.identifier();
        if (current.empty()) {
            continue;
        }
        const int64_t now = nowSeconds();
        TLTIdSnapshot* known = snapshots.find(domain.name);
        if (known == nullptr) {
            snapshots.set(domain.name, snapshot(current, static_cast<int32_t>(changes), now));
            journals.push_back(journal(domain.name, std::nullopt, current, now));
            continue;
        }
        if (known->identity() == current) {
            continue;
        }
        journals.push_back(journal(domain.name, known->identity(), current, now));
        known->setIdentity(current);
        known->setVersion(known->version() + 1);
        known->setTs(now);
        defaults.setInteger(changes + 1, counterKey(domain.name));
    }
    defaults.synchronize();
    tracking.setSnapshots(snapshots);
    tracking.setJournals(journals);
    tracking.setChecksum("checksum");
    m_entry.setId_tracking(tracking);
}

void TallyStatThrift::saveIdTracking() {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    if (!m_entry.id_tracking() || !m_entry.id_tracking()->snapshots() ||
        m_entry.id_tracking()->snapshots()->empty()) {
        return;
    }
    TLTIdTracking tracking = *m_entry.id_tracking();
    tracking.setJournals(std::vector<TLTIdJournal>{});
    m_entry.setId_tracking(tracking);
    storeRecord(tracking, kIdTrackingKey);
}

std::string TallyStatThrift::generateImprintChecksum(const TLTImprint& imprint) {
    std::vector<std::string> names;
    if (imprint.property()) {
        for (const auto& entry : *imprint.property()) {
            names.push_back(entry.first);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return Text::compareCaseInsensitive(a, b) < 0;
    });
    std::string text;
    for (const std::string& name : names) {
        const TLTImprintValue& value = *imprint.property()->find(name);
        text += Text::format("%@%@%qi%@", name, value.value(), value.ts(), value.guid());
    }
    text += Text::format("%d", imprint.version());
    std::string digest = TLANUtil::md5(text);
    std::transform(digest.begin(), digest.end(), digest.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return digest;
}

bool TallyStatThrift::validateImprintChecksum(const std::optional<TLTImprint>& imprint) {
    if (!imprint || !imprint->property()) {
        return false;
    }
    return imprint->checksum() == generateImprintChecksum(*imprint);
}

void TallyStatThrift::buildImprint() {
    std::optional<TLTImprint> stored = storedRecord<TLTImprint>(kImprintKey);
    if (stored && validateImprintChecksum(stored)) {
        m_entry.setImprint(stored);
    }
}

void TallyStatThrift::updateImprint(const TLTImprint& imprint) {
    TLTImprint merged = storedRecord<TLTImprint>(kImprintKey).value_or(TLTImprint{});
    TLTMap<TLTImprintValue> properties = merged.property().value_or(TLTMap<TLTImprintValue>{});
    if (imprint.property()) {
        for (const auto& [name, value] : *imprint.property()) {
            properties.set(name, value);
        }
    }
    merged.setProperty(properties);
    merged.setVersion(imprint.version());
    merged.setChecksum(generateImprintChecksum(merged));
    storeRecord(merged, kImprintKey);
}

bool TallyStatThrift::isResponseOK(const Bytes& response) {
    TLTResponse answer;
    // A response cut short counts as a failure even when its code was read.
    if (!answer.readBytes(response) || answer.resp_code() != 1) {
        return false;
    }
    if (answer.imprint() && validateImprintChecksum(answer.imprint())) {
        updateImprint(*answer.imprint());
    }
    return true;
}

void TallyStatThrift::buildClientStats() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    TLTClientStats stats;
    if (defaults.contains("tlSuccessfulRequests")) {
        stats.setSuccessful_requests(
            static_cast<int32_t>(defaults.integerForKey("tlSuccessfulRequests")));
    }
    if (defaults.contains("tlFailedRequests")) {
        stats.setFailed_requests(static_cast<int32_t>(defaults.integerForKey("tlFailedRequests")));
    }
    if (defaults.contains("tlLastRequestSpentMS")) {
        stats.setLast_request_spent_ms(
            static_cast<int32_t>(defaults.integerForKey("tlLastRequestSpentMS")));
    }
    m_entry.setClient_stats(stats);
}

TLTSession TallyStatThrift::buildSessionFrom(TLANTerminate& terminate) {
    terminate.sendingFlag = true;
    TLTSession session;
    session.setId(terminate.session_id);
    session.setEnd_time(milliseconds(terminate.ts));
    session.setStart_time(milliseconds(terminate.ts - terminate.duration));
    session.setDuration(milliseconds(terminate.duration));
    if (!terminate.pageViews.empty()) {
        std::vector<TLTPage> pages;
        for (const auto& [name, seconds] : terminate.pageViews) {
            TLTPage page;
            page.setPage_name(name);
            page.setDuration(static_cast<int64_t>(seconds) * 1000);
            pages.push_back(page);
        }
        session.setPages(pages);
    }
    if (terminate.hasGPSInfo()) {
        TLTLocation location;
        location.setLat(terminate.latitude);
        location.setLng(terminate.longitude);
        location.setTs(terminate.gps_time);  // the record keeps it in milliseconds
        session.setLocations(std::vector<TLTLocation>{location});
    }
    return session;
}

void TallyStatThrift::buildSessions() {
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    std::vector<TLTSession> sessions;
    for (const auto& terminate : cache.terminates.snapshot()) {
        if (!take(*terminate)) {
            continue;
        }
        sessions.push_back(buildSessionFrom(*terminate));
        // Launch records are never sent: a session stands for them.
        cache.launches.clear();
    }
    m_entry.setSessions(sessions);
}

void TallyStatThrift::buildInstantMessages() {
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    std::vector<TLTInstantMsg> messages;
    for (const auto& record : cache.events.snapshot()) {
        if (!take(*record)) {
            continue;
        }
        appendEvent(messageFor(messages, record->session_id), wireEvent(*record));
    }
    for (const auto& record : cache.errors.snapshot()) {
        if (!take(*record)) {
            continue;
        }
        TLTError error;
        error.setTs(milliseconds(record->ts));
        error.setContext(record->context);
        TLTInstantMsg message;
        message.setId(record->session_id);
        message.setErrors(std::vector<TLTError>{error});
        messages.push_back(message);
    }
    for (const auto& record : cache.ekv.snapshot()) {
        if (!take(*record)) {
            continue;
        }
        appendEvent(messageFor(messages, record->session_id), wireEvent(*record));
    }
    m_entry.setInstant_msgs(messages);
}

void TallyStatThrift::buildSessionsAndInstantMessages() {
    buildSessions();
    buildInstantMessages();
}

bool TallyStatThrift::take(TLANBaseEvent& record) {
    record.sendingFlag = m_taken < m_recordLimit;
    m_taken += record.sendingFlag ? 1 : 0;
    return record.sendingFlag;
}

void TallyStatThrift::dropOversizedRecords() {
    tallyLog("a record too large to upload on its own is dropped");
    TallyStatInternal::sharedInstance().removeMarkedRecords();
}

std::optional<Bytes> TallyStatThrift::entryBytes(size_t limit) {
    m_recordLimit = limit;
    m_taken = 0;
    buildClientStats();
    buildSessionsAndInstantMessages();
    buildImprint();
    return m_entry.toBytes();
}

std::optional<Bytes> TallyStatThrift::fittingEntry(bool compressed) {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    size_t limit = std::numeric_limits<size_t>::max();
    while (true) {
        std::optional<Bytes> bytes = entryBytes(limit);
        std::optional<Bytes> out = bytes && compressed ? TLANUtil::deflatedData(*bytes) : bytes;
        if (!out) {
            return std::nullopt;
        }
        if (bytes->size() < kMaxEntryBytes && (!compressed || out->size() < kMaxEntityBytes)) {
            TallyStatEnvelope::sharedInstance().setLength(static_cast<int32_t>(bytes->size()));
            return out;
        }
        // Too large: send the first half of the records now and keep the rest for the next
        // upload (their marks are cleared).
        if (m_taken > 1) {
            limit = m_taken / 2;
            continue;
        }
        TallyStatInternal::updateSerialNum(1);
        if (m_taken == 0) {
            return std::nullopt;
        }
        // A single record too large on its own can never be sent: only it goes.
        dropOversizedRecords();
        if (!TallyStatInternal::sharedInstance().hasJob()) {
            return std::nullopt;
        }
        limit = std::numeric_limits<size_t>::max();
    }
}

std::optional<Bytes> TallyStatThrift::toData() {
    return fittingEntry(false);
}

std::optional<Bytes> TallyStatThrift::entityData() {
    return fittingEntry(true);
}

std::optional<TLTUALogEntry> TallyStatThrift::fromData(const Bytes& bytes) const {
    TLTUALogEntry entry;
    if (!entry.readBytes(bytes)) {
        return std::nullopt;
    }
    return entry;
}

TLTUALogEntry TallyStatThrift::logEntry() const {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    return m_entry;
}

std::string TallyStatThrift::description() const {
    return Text::format("<%@: _UALogEntry=%@>", "TallyStatThrift", logEntry().description());
}
