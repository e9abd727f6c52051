#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTUALogEntry.h"
#include "platform/foundation/Bytes.h"

class TLANBaseEvent;
class TLANTerminate;

// Turns the pending records of the record cache into the one wire record of an upload
// (TLTUALogEntry), serialises and compresses it, and keeps the identity tracking, the server's
// imprint and the activation flag in the user defaults. One shared instance for the process;
// any thread (its own lock guards the entry).
class TallyStatThrift {
public:
    static constexpr size_t kMaxEntryBytes = 0x400000;
    static constexpr size_t kMaxEntityBytes = 209920;
    static constexpr int kMaxIdentityChanges = 19;

    static TallyStatThrift& sharedInstance();

    // The compressed entry for a new envelope, or nothing (nothing to send). An entry over the
    // size limits carries as many records as fit; the others wait for the next upload, and a
    // record too large on its own is dropped.
    std::optional<Bytes> entityData();
    // The same, uncompressed, held to the entry limit only.
    std::optional<Bytes> toData();
    // resp_code 1 is acceptance; a valid imprint in it is merged into the stored one.
    bool isResponseOK(const Bytes& response);
    void saveIdTracking();
    void setActivateMsgFlag();
    std::optional<TLTUALogEntry> fromData(const Bytes& bytes) const;

    static bool validateImprintChecksum(const std::optional<TLTImprint>& imprint);
    static std::string generateImprintChecksum(const TLTImprint& imprint);

    // Drops the shared instance, so that the next use builds its entry afresh: for rigs that
    // start the library many times in one process; only while no upload is running.
    static void resetToUnstarted();

    TLTUALogEntry logEntry() const;
    std::string description() const;

private:
    TallyStatThrift();
    static TallyStatThrift*& instanceSlot();
    static std::mutex& instanceMutex();

    void buildLogEntry();
    void buildActivateMsg();
    void buildIdTracking();
    static TLTIdTracking writeIdTracking();
    void buildImprint();
    static void updateImprint(const TLTImprint& imprint);
    void buildClientStats();
    void buildSessionsAndInstantMessages();
    void buildSessions();
    static TLTSession buildSessionFrom(TLANTerminate& terminate);
    void buildInstantMessages();
    // Drops what was marked for an entry that can never be sent.
    void dropOversizedRecords();
    // Marks the record for this entry while the record limit allows; false when it waits.
    bool take(TLANBaseEvent& record);
    std::optional<Bytes> entryBytes(size_t limit);
    std::optional<Bytes> fittingEntry(bool compressed);

    mutable std::recursive_mutex m_mutex;
    TLTUALogEntry m_entry;
    size_t m_recordLimit = 0;
    size_t m_taken = 0;
};
