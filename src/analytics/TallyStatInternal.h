#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "analytics/TLANJsonValue.h"
#include "analytics/TLANOperationQueue.h"
#include "analytics/TLANRecordList.h"
#include "analytics/TLANRecords.h"
#include "platform/foundation/Bytes.h"
#include "platform/foundation/PropertyList.h"

// The analytics record cache: every record not yet uploaded, the cache file they are written
// to when the application leaves the foreground (and the record journal that keeps them until
// then, TLANJournal), the upload commit (with TallyStatJob), the
// serial number and request statistics in the user defaults, crash texts as error records and
// the debug JSON text. One shared instance for the process, never destroyed. Any thread: lists
// lock themselves; the instance lock guards saving; the job lock guards commits (job lock,
// then instance lock, then envelope lock).
class TallyStatInternal {
public:
    static constexpr size_t kMinArchiveBytes = 11;

    static TallyStatInternal& sharedInstance();

    TLANOperationQueue& sendLogQueue() { return m_sendLogQueue; }
    TLANOperationQueue& otherQueue() { return m_otherQueue; }
    // Cache saves run here one at a time; the application waits for it before it ends.
    TLANOperationQueue& saveQueue() { return m_saveQueue; }

    TLANRecordList<TLANLaunch> launches;
    TLANRecordList<TLANTerminate> terminates;
    TLANRecordList<TLANEvent> events;
    TLANRecordList<TLANEkv> ekv;
    TLANRecordList<TLANError> errors;
    TLANRecordList<TLANBaseEvent> tmpContainer;

    // Open timed events, newest first under each begin key.
    void pushEventBegin(const std::string& key, std::shared_ptr<TLANEvent> record);
    std::shared_ptr<TLANEvent> popEventBegin(const std::string& key);
    void pushEkvBegin(const std::string& key, std::shared_ptr<TLANEkv> record);
    std::shared_ptr<TLANEkv> popEkvBegin(const std::string& key);

    double lastLaunchTime() const;
    void setLastLaunchTime(double seconds);
    std::string sessionID() const;
    void setSessionID(const std::string& sessionID);
    std::string lastSessionId() const;
    void setLastSessionId(const std::string& sessionID);
    std::optional<PropertyList> errorSupportInfo() const;
    std::string json() const;
    void setWrapperType(const std::string& type);
    void setWrapperVersion(const std::string& version);

    // The upload path.
    void beginPerformJob();
    void commitJob();
    std::optional<Bytes> setupPostData();
    bool hasJob() const;
    void markJobDone();
    void removeSentData();
    void removeEnvelopeData();
    void removeMarkedRecords();
    void removeJSONData();
    void removeInstanceData();
    // Forgets the open timed events (a new session cannot end them).
    void removeOpenEvents();
    void clearData();

    // Back to the state of a process that has not started the library, for rigs that start it
    // many times in one process; only while no launch, upload or request is running.
    void resetToUnstarted();

    // The cache file.
    static std::string cacheFilePath();
    // The records parked in the background join the lists (a record made before the first
    // launch was listed as well as parked: it counts once).
    void listParkedRecords();
    void loadCache();
    // The page views and the marker of a session whose terminate record is listed go, once
    // every record is on disk.
    static void forgetEndedSession();
    PropertyList loadCacheFile();
    void saveCacheAndClean(bool clean);
    void saveAndClean(bool clean);
    void saveCacheFile();
    // Writes every listed record (or deletes the file when there is none) and leaves just the
    // parked records in the record journal, as the file covers the rest. Whether both hold:
    // never while another process owns the folder.
    bool writeCacheFile();
    std::optional<PropertyList> archiveObjectsWithHeader(bool withHeader) const;

    // User-defaults counters.
    static void updateSerialNum(int64_t increment);
    static void setLastPostDate();
    static void incrementRequest(bool success, int64_t usedMs);
    static void incrementRequestNumber(bool success);
    static void logLastRequestTime(int64_t usedMs);

    // Debug JSON (built only while logging is on; never sent).
    void updateJson();
    TLANJsonValue header() const;
    TLANJsonValue buildEkv() const;
    TLANJsonValue buildGkv() const;

    // A crash text becomes an error record that ends the session; nothing without image facts.
    static void error(const std::string& text);
    static void updateErrorSupportInfo(const std::optional<PropertyList>& info);

private:
    TallyStatInternal();
    TLANJsonValue buildKeyValueGroups(const std::string& type) const;
    void unarchiveBody(const PropertyList& body);
    // The records a crashed process journaled but never saved.
    void restoreJournal();
    // The crash an earlier process of this version left in its crash file, listed once.
    void addPendingCrash();
    // A session a crash cut short gets its terminate record, ending with its last record.
    void endCrashedSession();

    static bool sameVersionAsLastCrash();

    TLANOperationQueue m_sendLogQueue{1};
    TLANOperationQueue m_otherQueue{2};
    TLANOperationQueue m_saveQueue{1};
    mutable std::recursive_mutex m_lock;  // the instance lock: saving and archiving
    mutable std::mutex m_fieldsMutex;
    std::map<std::string, std::deque<std::shared_ptr<TLANEvent>>> m_eventBeginTimes;
    std::map<std::string, std::deque<std::shared_ptr<TLANEkv>>> m_ekvBeginTimes;
    double m_lastLaunchTime = 0;
    std::string m_sessionID;
    std::string m_lastSessionId;
    std::optional<PropertyList> m_errorSupportInfo;
    std::string m_json;
    std::string m_wrapperType;
    std::string m_wrapperVersion;
};
