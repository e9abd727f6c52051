#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLANRecords.h"

// The record journal: every record is appended to a file in the caches folder the moment it is
// recorded, so a crash by signal (which may do nothing unsafe and so saves nothing) loses no
// record; the journal is emptied each time the cache file is written with every record in
// memory. It also marks the session in progress, so the next launch can end a session that a
// crash cut short. Any thread (appends and clears are serialised).
class TLANJournal {
public:
    struct Entries {
        std::vector<std::shared_ptr<TLANLaunch>> launches;
        std::vector<std::shared_ptr<TLANTerminate>> terminates;
        std::vector<std::shared_ptr<TLANEvent>> events;
        std::vector<std::shared_ptr<TLANEkv>> ekv;
        std::vector<std::shared_ptr<TLANError>> errors;
    };
    struct OpenSession {
        std::string sessionId;
        double launchTime = 0;
    };

    static std::string journalFile();
    static std::string sessionFile();

    // Held while the cache file is written and the journal emptied, so no record recorded in
    // between is lost.
    static std::mutex& lock();
    static void append(const TLANBaseEvent& record);
    // With lock() held.
    static void clear();
    // The records of a journal left behind; a frame cut short ends the reading.
    static Entries read();

    static void beginSession(const std::string& sessionId, double launchTime);
    static void endSession();
    // The session marked as in progress, if one is.
    static std::optional<OpenSession> openSession();
};
