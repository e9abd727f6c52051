#include "analytics/TallyStatInternal.h"

#include <filesystem>

#include "analytics/TLANFiles.h"
#include "analytics/TLANJournal.h"
#include "analytics/TLANUtil.h"
#include "analytics/TLANWorker.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatCrash.h"
#include "analytics/TallyStatEnvelope.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatPageView.h"
#include "analytics/TallyStatSession.h"
#include "analytics/TallyStatThrift.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"

namespace {

constexpr const char* kIdfvZero = "00000000-0000-0000-0000-000000000000";

template <class T>
void archiveList(PropertyList& body, const char* key, const TLANRecordList<T>& list) {
    std::vector<std::shared_ptr<T>> records = list.snapshot();
    if (!records.empty()) {
        body.set(key, KeyedArchiver::archivedData(records));
    }
}

template <class T>
bool holdsLike(const std::vector<std::shared_ptr<T>>& known, const T& record) {
    return std::any_of(known.begin(), known.end(), [&](const std::shared_ptr<T>& other) {
        return other->isEqualToEvent(record) && other->session_id == record.session_id;
    });
}

// Adds the records not already in the list: the journal may repeat what the cache file holds,
// and the file what an upload under way still lists.
template <class T>
void mergeUnique(TLANRecordList<T>& list, const std::vector<std::shared_ptr<T>>& records) {
    std::vector<std::shared_ptr<T>> known = list.snapshot();
    std::vector<std::shared_ptr<T>> added;
    for (const auto& record : records) {
        if (!holdsLike(known, *record)) {
            known.push_back(record);
            added.push_back(record);
        }
    }
    list.append(added);
}

template <class T>
void unarchiveList(const PropertyList& body, const char* key, TLANRecordList<T>& list) {
    std::optional<Bytes> data = body[key].asData();
    if (!data || data->size() < TallyStatInternal::kMinArchiveBytes) {
        return;
    }
    mergeUnique(list, KeyedUnarchiver::unarchiveObjects<T>(*data));
}

template <class T>
TLANJsonValue attributeList(const TLANRecordList<T>& list) {
    TLANJsonValue items = TLANJsonValue::array();
    for (const auto& record : list.snapshot()) {
        items.append(record->attributes());
    }
    return items;
}

void setIfNotEmpty(TLANJsonValue& json, const char* key, const std::string& value) {
    if (!value.empty()) {
        json.set(key, value);
    }
}

// The newest open record under the key, taken off its list.
template <class T>
std::shared_ptr<T> popFront(std::map<std::string, std::deque<std::shared_ptr<T>>>& begins,
                            const std::string& key) {
    auto found = begins.find(key);
    if (found == begins.end() || found->second.empty()) {
        return nullptr;
    }
    std::shared_ptr<T> record = found->second.front();
    found->second.pop_front();
    return record;
}

}  // namespace

TallyStatInternal::TallyStatInternal() : m_sessionID(TLANUtil::sessionId()) {
    const auto journal = [](const TLANBaseEvent& record, const std::function<void()>& list) {
        TLANJournal::append(record, list);
    };
    launches.setRecorder(journal);
    terminates.setRecorder(journal);
    events.setRecorder(journal);
    ekv.setRecorder(journal);
    errors.setRecorder(journal);
    tmpContainer.setRecorder(journal);
}

TallyStatInternal& TallyStatInternal::sharedInstance() {
    static TallyStatInternal* instance = new TallyStatInternal();
    return *instance;
}

void TallyStatInternal::pushEventBegin(const std::string& key, std::shared_ptr<TLANEvent> record) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_eventBeginTimes[key].push_front(std::move(record));
}

std::shared_ptr<TLANEvent> TallyStatInternal::popEventBegin(const std::string& key) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    return popFront(m_eventBeginTimes, key);
}

void TallyStatInternal::pushEkvBegin(const std::string& key, std::shared_ptr<TLANEkv> record) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_ekvBeginTimes[key].push_front(std::move(record));
}

std::shared_ptr<TLANEkv> TallyStatInternal::popEkvBegin(const std::string& key) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    return popFront(m_ekvBeginTimes, key);
}

double TallyStatInternal::lastLaunchTime() const {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    return m_lastLaunchTime;
}

void TallyStatInternal::setLastLaunchTime(double seconds) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_lastLaunchTime = seconds;
}

std::string TallyStatInternal::sessionID() const {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    return m_sessionID;
}

void TallyStatInternal::setSessionID(const std::string& sessionID) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_sessionID = sessionID;
}

std::string TallyStatInternal::lastSessionId() const {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    return m_lastSessionId;
}

void TallyStatInternal::setLastSessionId(const std::string& sessionID) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_lastSessionId = sessionID;
}

std::optional<PropertyList> TallyStatInternal::errorSupportInfo() const {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    return m_errorSupportInfo;
}

std::string TallyStatInternal::json() const {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    return m_json;
}

void TallyStatInternal::setWrapperType(const std::string& type) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_wrapperType = type;
}

void TallyStatInternal::setWrapperVersion(const std::string& version) {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_wrapperVersion = version;
}

void TallyStatInternal::beginPerformJob() {
    TallyStatJob& job = TallyStatJob::sharedInstance();
    std::lock_guard<std::recursive_mutex> guard(job.lock());
    job.setJobRunning(true);
    if (hasJob()) {
        commitJob();
    } else {
        job.setJobRunning(false);
    }
}

void TallyStatInternal::commitJob() {
    TallyStatJob& job = TallyStatJob::sharedInstance();
    std::lock_guard<std::recursive_mutex> guard(job.lock());
    if (TallyStatApp::sharedInstance().logEnabled()) {
        updateJson();
    }
    // No save comes between the marks of a new envelope reaching the cache file and the
    // envelope file (instance lock before envelope lock).
    std::lock_guard<std::recursive_mutex> saving(m_lock);
    std::optional<Bytes> body = setupPostData();
    if (!body || body->size() < kMinArchiveBytes) {
        job.setJobRunning(false);
        return;
    }
    tallyLog("(Request  Applog) content=%@", json());
    m_sendLogQueue.addOperation(
        [worker = std::make_shared<TLANWorker>(std::move(*body))] { worker->main(); });
}

std::optional<Bytes> TallyStatInternal::setupPostData() {
    return TallyStatEnvelope::sharedInstance().loadEnvelopeData();
}

bool TallyStatInternal::hasJob() const {
    return !launches.empty() || !terminates.empty() || !events.empty() || !ekv.empty() ||
           !errors.empty();
}

void TallyStatInternal::markJobDone() {
    updateSerialNum(1);
    TallyStatThrift::sharedInstance().saveIdTracking();
    setLastPostDate();
    removeSentData();
}

void TallyStatInternal::removeSentData() {
    bool left = false;
    {
        // The sent records leave the cache file before the envelope file: a crash in between
        // repeats the same envelope, never its records in a new one. While the file still
        // holds them, the envelope stays and the next job sends it again as it is.
        std::lock_guard<std::recursive_mutex> saving(m_lock);
        removeMarkedRecords();
        left = writeCacheFile();
    }
    if (left) {
        removeEnvelopeData();
    }
    removeJSONData();
}

void TallyStatInternal::removeEnvelopeData() {
    TallyStatEnvelope::sharedInstance().removeEnvelope();
}

void TallyStatInternal::removeMarkedRecords() {
    // A record listed as well as parked (recorded as the first launch began) goes from both,
    // parked first: left parked, the journal would keep it and a launch would list it again.
    tmpContainer.removeMarked();
    launches.removeMarked();
    terminates.removeMarked();
    events.removeMarked();
    ekv.removeMarked();
    errors.removeMarked();
}

void TallyStatInternal::removeJSONData() {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_json.clear();
}

void TallyStatInternal::removeInstanceData() {
    launches.clear();
    terminates.clear();
    events.clear();
    errors.clear();
    ekv.clear();
    removeOpenEvents();
}

void TallyStatInternal::removeOpenEvents() {
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_eventBeginTimes.clear();
}

void TallyStatInternal::clearData() {
    // The records stay listed: the cache file mirrors the lists, and any later write from lists
    // emptied here would delete what only the file still held.
    removeJSONData();
}

void TallyStatInternal::resetToUnstarted() {
    TLANJournal::releaseFolder();
    removeJSONData();
    removeInstanceData();
    tmpContainer.clear();
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_ekvBeginTimes.clear();
    m_lastLaunchTime = 0;
    m_sessionID.clear();
    m_lastSessionId.clear();
    m_errorSupportInfo.reset();
    m_wrapperType.clear();
    m_wrapperVersion.clear();
}

std::string TallyStatInternal::cacheFilePath() {
    return Paths::join(Paths::caches(),
                       Text::format(".%@_tallyCache.plist", TLANUtil::appPackageNameString()));
}

void TallyStatInternal::loadCache() {
    // What another process keeps in its folder is not left behind.
    if (!TLANJournal::ownsFolder()) {
        return;
    }
    // An upload ending meanwhile rewrites the file from memory: it waits for the merge.
    std::lock_guard<std::recursive_mutex> saving(m_lock);
    PropertyList cache = loadCacheFile();
    const PropertyList& body = cache["body"];
    if (body.size() > 0) {
        unarchiveBody(body);
    }
    restoreJournal();
    addPendingCrash();
    endCrashedSession();
    // The file read above is gone: write back what is now in memory, so a crash before the next
    // save loses none of it.
    writeCacheFile();
}

void TallyStatInternal::listParkedRecords() {
    // In one step for a save (which holds the journal lock): a save in between would find the
    // records neither parked nor listed and drop their frames. The frames stay until a save
    // writes the records into the file.
    std::lock_guard<std::mutex> journal(TLANJournal::lock());
    for (const auto& parked : tmpContainer.takeAll()) {
        if (auto event = std::dynamic_pointer_cast<TLANEvent>(parked)) {
            events.appendIfAbsent(event);
        } else if (auto keyValue = std::dynamic_pointer_cast<TLANEkv>(parked)) {
            ekv.appendIfAbsent(keyValue);
        }
    }
}

void TallyStatInternal::addPendingCrash() {
    // Moved aside before it is read: a crash file this process's own crash writes meanwhile is
    // never deleted unread. A file a killed launch left aside goes before the newer one; at most
    // those two, should a taken file fail to go.
    for (int taken = 0; taken < 2 && TallyStatCrash::takePendingCrash(); ++taken) {
        // Journaled before its file goes; a kill in between leaves both, and the next launch
        // finds the record already restored from the journal.
        std::shared_ptr<TLANError> crash = TallyStatCrash::takenCrash();
        if (crash && !holdsLike(errors.snapshot(), *crash)) {
            errors.add(crash);
        }
        // A file that stays would be read again by the next round, and by the next launch.
        if (!TLANJournal::holdsEveryRecord() || !TallyStatCrash::removeTakenCrash()) {
            return;
        }
    }
}

void TallyStatInternal::restoreJournal() {
    TLANJournal::Entries journal = TLANJournal::read();
    mergeUnique(launches, journal.launches);
    mergeUnique(terminates, journal.terminates);
    mergeUnique(events, journal.events);
    mergeUnique(ekv, journal.ekv);
    if (sameVersionAsLastCrash()) {
        mergeUnique(errors, journal.errors);
    }
}

void TallyStatInternal::endCrashedSession() {
    std::optional<TLANJournal::OpenSession> open = TLANJournal::openSession();
    TallyStatPageView& pages = TallyStatPageView::sharedInstance();
    std::vector<TallyStatPageView::PageView> pageViews =
        pages.recoverJournaled(open ? open->sessionId : std::string());
    if (!open) {
        return;
    }
    // The marker goes last, once the session's end is journaled and its page views have left
    // the page-view log: a kill before leaves it to the next launch, which finds the session
    // ended already. Without the marker the next launch would take those views as waiting and
    // send them again.
    for (const auto& record : terminates.snapshot()) {
        if (record->session_id == open->sessionId) {
            forgetEndedSession();
            return;
        }
    }
    // The session ended with its last record (or the crash) at the latest.
    double end = open->launchTime;
    const auto later = [&](const auto& list) {
        for (const auto& record : list.snapshot()) {
            if (record->session_id == open->sessionId) {
                end = std::max(end, record->ts);
            }
        }
    };
    later(events);
    later(ekv);
    later(errors);
    auto record = std::make_shared<TLANTerminate>();
    record->session_id = open->sessionId;
    record->ts = end;
    record->date = DateFormat("yyyy-MM-dd").format(end);
    record->time = DateFormat("HH:mm:ss").format(end);
    record->duration = TallyStatSession::cappedDuration(end - open->launchTime);
    record->pageViews = std::move(pageViews);
    terminates.add(record);
    forgetEndedSession();
}

void TallyStatInternal::forgetEndedSession() {
    // Until the end is on disk, the marker and the page views in the log still stand for it.
    if (TLANJournal::holdsEveryRecord() && TallyStatPageView::sharedInstance().journalWaiting()) {
        TLANJournal::endSession();
    }
}

bool TallyStatInternal::sameVersionAsLastCrash() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    return defaults.contains("TLAppVersion") &&
           Text::equalsCaseInsensitive(TLANUtil::appVersionString(),
                                       defaults.stringForKey("TLAppVersion"));
}

void TallyStatInternal::unarchiveBody(const PropertyList& body) {
    unarchiveList(body, "launch", launches);
    unarchiveList(body, "terminate", terminates);
    unarchiveList(body, "event", events);
    unarchiveList(body, "ekv", ekv);
    if (!UserDefaults::standardUserDefaults().contains("TLAppVersion")) {
        errors.clear();
        return;
    }
    if (sameVersionAsLastCrash()) {
        unarchiveList(body, "error", errors);
    }
}

PropertyList TallyStatInternal::loadCacheFile() {
    const std::string path = cacheFilePath();
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        return PropertyList::dictionary();
    }
    // Left in place: the load ends by replacing it with everything merged, so a crash in
    // between loses none of it.
    std::optional<PropertyList> cache = PropertyList::readFile(path);
    return cache && cache->isDictionary() ? *cache : PropertyList::dictionary();
}

void TallyStatInternal::saveCacheAndClean(bool clean) {
    if (!hasJob()) {
        return;
    }
    m_saveQueue.addOperation([this, clean] { saveAndClean(clean); });
}

void TallyStatInternal::saveAndClean(bool clean) {
    if (!hasJob()) {
        return;
    }
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        saveCacheFile();
    }
    if (clean) {
        clearData();
    }
}

void TallyStatInternal::saveCacheFile() {
    writeCacheFile();
    TallyStatEnvelope::sharedInstance().saveEnvelopeFile();
}

bool TallyStatInternal::writeCacheFile() {
    if (!TLANJournal::ownsFolder()) {
        return false;
    }
    const std::string path = cacheFilePath();
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // A record recorded while this runs waits to be listed and journaled until the journal is
    // replaced.
    std::lock_guard<std::mutex> journal(TLANJournal::lock());
    std::optional<PropertyList> archive = archiveObjectsWithHeader(false);
    // Written also when the application is being killed: the process ends right after, and
    // what is not in the file is lost.
    const bool kept = archive
                          ? TLANFiles::replace(TLANFiles::Point::CacheFile, path, archive->toXml())
                          : TLANFiles::remove(TLANFiles::Point::CacheFile, path);
    // Parked records are not in the file: the journal keeps covering them. Unless the file was
    // written, the journal keeps covering every record since the last save.
    return kept && TLANJournal::replace(tmpContainer.snapshot());
}

std::optional<PropertyList> TallyStatInternal::archiveObjectsWithHeader(bool withHeader) const {
    PropertyList body = PropertyList::dictionary();
    archiveList(body, "launch", launches);
    archiveList(body, "terminate", terminates);
    archiveList(body, "event", events);
    archiveList(body, "error", errors);
    archiveList(body, "ekv", ekv);
    if (body.size() == 0) {
        return std::nullopt;
    }
    PropertyList result = PropertyList::dictionary();
    result.set("body", body);
    if (withHeader) {
        std::optional<std::string> text = TLANUtil::JSONFragment(header());
        result.set("header", text.value_or(""));
    }
    return result;
}

void TallyStatInternal::updateSerialNum(int64_t increment) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setInteger(defaults.integerForKey("tlSerialNum") + increment, "tlSerialNum");
    defaults.synchronize();
}

void TallyStatInternal::setLastPostDate() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setString(TLANUtil::dateString(), "lastPostDate");
    defaults.setDouble(Timer::now(), "lastPostInterval");
    defaults.synchronize();
}

void TallyStatInternal::incrementRequest(bool success, int64_t usedMs) {
    incrementRequestNumber(success);
    logLastRequestTime(usedMs);
}

void TallyStatInternal::incrementRequestNumber(bool success) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    const char* key = success ? "tlSuccessfulRequests" : "tlFailedRequests";
    defaults.setInteger(defaults.integerForKey(key) + 1, key);
    defaults.synchronize();
}

void TallyStatInternal::logLastRequestTime(int64_t usedMs) {
    if (usedMs < 1) {
        return;
    }
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setInteger(usedMs, "tlLastRequestSpentMS");
    defaults.synchronize();
}

void TallyStatInternal::updateJson() {
    TLANJsonValue body = TLANJsonValue::dictionary();
    if (!launches.empty()) {
        body.set("launch", attributeList(launches));
    }
    if (!terminates.empty()) {
        body.set("terminate", attributeList(terminates));
    }
    if (!events.empty()) {
        body.set("event", attributeList(events));
    }
    if (!errors.empty()) {
        body.set("error", attributeList(errors));
    }
    if (!ekv.empty()) {
        TLANJsonValue ekvGroups = buildEkv();
        if (!ekvGroups.entries().empty()) {
            body.set("ekv", TLANJsonValue::Array{ekvGroups});
        }
        TLANJsonValue gkvGroups = buildGkv();
        if (!gkvGroups.entries().empty()) {
            body.set("gkv", TLANJsonValue::Array{gkvGroups});
        }
    }
    if (body.entries().empty()) {
        return;
    }
    TLANJsonValue whole = TLANJsonValue::dictionary();
    whole.set("header", header());
    whole.set("body", body);
    std::optional<std::string> text = TLANUtil::JSONFragment(whole);
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    m_json = text.value_or("");
}

TLANJsonValue TallyStatInternal::header() const {
    TallyStatApp& app = TallyStatApp::sharedInstance();
    TLANJsonValue json = TLANJsonValue::dictionary();
    json.set("appkey", app.appid());
    json.set("channel", app.channel());
    json.set("sdk_type", TLANUtil::sdkTypeString());
    json.set("os", TLANUtil::osString());
    json.set("os_version", TLANUtil::osVersionString());
    json.set("sdk_version", TLANUtil::sdkVersionString());
    json.set("app_version", TLANUtil::appVersionString());
    json.set("sv", TLANUtil::appShortVersionString());
    json.set("device_model", TLANUtil::deviceModelString());
    setIfNotEmpty(json, "mc", TLANUtil::deviceMacAddressString());
    json.set("device_id", TLANUtil::sharedUDIDString());
    setIfNotEmpty(json, "idfa", TLANUtil::idfa());
    const std::string idfv = TLANUtil::idfv();
    setIfNotEmpty(json, "idfv", idfv == kIdfvZero ? "" : idfv);
    json.set("resolution", TLANUtil::resolutionString());
    json.set("access", TLANUtil::accessString());
    json.set("carrier", TLANUtil::carrierString());
    json.set("country", TLANUtil::countryString());
    json.set("timezone", TLANUtil::timezoneString());
    json.set("language", TLANUtil::languageString());
    json.set("package_name", TLANUtil::appPackageNameString());
    json.set("display_name", TLANUtil::appDisplayNameString());
    std::lock_guard<std::mutex> guard(m_fieldsMutex);
    setIfNotEmpty(json, "wrapper_type", m_wrapperType);
    setIfNotEmpty(json, "wrapper_version", m_wrapperVersion);
    return json;
}

TLANJsonValue TallyStatInternal::buildKeyValueGroups(const std::string& type) const {
    TLANJsonValue groups = TLANJsonValue::dictionary();
    for (const auto& record : ekv.snapshot()) {
        if (record->type != type) {
            continue;
        }
        TLANJsonValue group = groups[record->session_id];
        if (group.isNull()) {
            group = TLANJsonValue::array();
        }
        group.append(record->attributes());
        groups.set(record->session_id, group);
    }
    return groups;
}

TLANJsonValue TallyStatInternal::buildEkv() const {
    return buildKeyValueGroups("ekv");
}

TLANJsonValue TallyStatInternal::buildGkv() const {
    return buildKeyValueGroups("gkv");
}

void TallyStatInternal::error(const std::string& text) {
    TallyStatInternal& cache = sharedInstance();
    std::optional<PropertyList> info = cache.errorSupportInfo();
    if (!info) {
        tallyLog("Read binary image info failed!");
        return;
    }
    auto record = std::make_shared<TLANError>();
    record->context = Text::format(
        "%@\n\ndSYM UUID: %@\nCPU Type: %@\nSlide Address: %@\nBinary Image: %@\nBase Address: "
        "%@\n",
        text, (*info)["binary_uuid"].toString(), (*info)["cpu_arch"].toString(),
        (*info)["slide_address"].toString(), (*info)["image_name"].toString(),
        (*info)["image_base_address"].toString());
    tallyLog("%@", record->context);
    cache.errors.add(record);
    TallyStatApp::sharedInstance().setAppCrashed(true);
    TallyStatSession::stopSession("");
}

void TallyStatInternal::updateErrorSupportInfo(const std::optional<PropertyList>& info) {
    if (!info) {
        return;
    }
    TallyStatInternal& cache = sharedInstance();
    std::lock_guard<std::mutex> guard(cache.m_fieldsMutex);
    cache.m_errorSupportInfo = info;
}
