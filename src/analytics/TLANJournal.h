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
// some of them are taken into one. Any thread (appends and rewrites are serialised).
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
    // With lock() held: the journal holds just `records` (none: it is removed), in one step.
    static void replace(const std::vector<std::shared_ptr<TLANBaseEvent>>& records);
    // The records of a journal left behind; a frame cut short ends the reading.
    static Entries read();

    static void appendPageView(const PageView& view);
    // The page views journaled, oldest first; a frame cut short ends the reading.
    static std::vector<PageView> readPageViews();
    // The page-view journal holds exactly `views` (none: it is removed).
    static void writePageViews(const std::vector<PageView>& views);

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
