#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLANRecords.h"

// The record journal: every record is appended to a file in the caches folder the moment it is
// recorded, so a crash by signal (which may do nothing unsafe and so saves nothing) loses no
// record; each time the cache file is written with every listed record, the journal is replaced
// by the parked records alone (which the file does not hold). It also marks the session in
// progress, so the next launch can end a session that a crash cut short. Finished page views, which
// wait in memory for the terminate record, have a journal of their own that is rewritten whenever
// some of them are taken into one. A frame that could not be written whole is written again
// ahead of the next one. Any thread (appends and rewrites are serialised).
//
// One process at a time keeps the files of a caches folder: the first to lock the folder's lock
// file holds it for the life of the library (takeFolder). A second launch on the same folder
// leaves them alone: it neither reads them as left behind, nor writes them, nor uploads; its
// records go to a journal of its own, locked while it lives, which the owner takes at a launch
// once that process is gone. It takes the folder itself at a launch after the owner has ended.
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
    struct PageView {
        std::string sessionId;  // the session under way when the page view ended
        std::string name;
        std::int32_t seconds = 0;
        bool operator==(const PageView&) const = default;
    };

    // Tries to own the current caches folder (kept once held); whether this process owns it.
    static bool takeFolder();
    // Whether this process owns the current caches folder; one it never tried, it tries now.
    static bool ownsFolder();
    // Lets the folder go, as the end of the process would (tests start the library many times).
    static void releaseFolder();

    static std::string journalFile();
    static std::string sessionFile();
    static std::string pageViewFile();

    // Held while the cache file is written and the journal replaced, and while a record is listed
    // and journaled or moves from parked to listed, so no record recorded in between is lost.
    static std::mutex& lock();
    // Lists a new record (`list`) and journals it in one step under lock(): a save finds it
    // either listed, so written into the file, or journaled after the journal was replaced.
    // Never one listed and then journaled after a save, or sent meanwhile and journaled again.
    static void append(const TLANBaseEvent& record, const std::function<void()>& list);
    // Runs before each record is listed and journaled, outside lock(), so tests can land a save
    // there; none by default. Set while nothing is recorded.
    static void setBeforeAppendHook(std::function<void(const TLANBaseEvent&)> hook);
    // Whether every record journaled so far is on disk (none waits for a write that failed).
    static bool holdsEveryRecord();
    // With lock() held, once the cache file holds every listed record: the journal holds just
    // `records` (none: it is removed) in one step, or is gone with them waiting for the next
    // append; the journals of other processes read at the last launch go. Whether the journal
    // holds no other record.
    static bool replace(const std::vector<std::shared_ptr<TLANBaseEvent>>& records);
    // The records of the journal left behind and of those of other processes now gone; a frame
    // cut short ends the reading of its journal.
    static Entries read();

    static void appendPageView(const PageView& view);
    // The page views journaled, oldest first; a frame cut short ends the reading.
    static std::vector<PageView> readPageViews();
    // The page-view journal holds exactly `views` (none: it is removed), or is gone with them
    // waiting for the next append; whether it holds no other view.
    static bool writePageViews(const std::vector<PageView>& views);

    // The marker is written again with the next record when a write fails.
    static void beginSession(const std::string& sessionId, double launchTime);
    static void endSession();
    // Runs before the marker is removed, so tests can look at what a kill there would leave;
    // none by default. Set while no session ends.
    static void setBeforeEndSessionHook(std::function<void()> hook);
    // The session marked as in progress, if one is.
    static std::optional<OpenSession> openSession();

private:
    static std::function<void(const TLANBaseEvent&)>& beforeAppendHook();
    static std::function<void()>& beforeEndSessionHook();
};
