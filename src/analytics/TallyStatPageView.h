#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analytics/TLANJournal.h"

// Times named pages between beginLogPageView and endLogPageView and keeps the finished page
// views (name, whole seconds) for the next terminate record. Each is journaled as it ends
// (TLANJournal), so those of a session a crash cut short reach the record that ends it at the
// next launch. One shared instance for the process; any thread (guarded by its lock).
class TallyStatPageView {
public:
    using PageView = std::pair<std::string, int32_t>;

    static TallyStatPageView& sharedInstance();

    static void beginLogPageView(const std::string& pageName);
    static void endLogPageView(const std::string& pageName);
    static void logPageView(const std::string& pageName, int32_t seconds);
    // Pages shown for less than a second, or with a blank name, are dropped.
    static void logPageViewTimeWindow(const std::string& pageName, int32_t seconds);

    std::vector<PageView> pageViews() const;
    // The finished page views, leaving the list empty. The journal keeps them until
    // journalWaiting(), called once the record holding them is journaled.
    std::vector<PageView> takePageViews();
    // Page views an earlier process journaled and never handed over: those of `endedSession`
    // are returned, for the record that ends it; the others wait with this process's.
    std::vector<PageView> recoverJournaled(const std::string& endedSession);
    // Journals anew just the page views still waiting; whether the journal holds just those.
    bool journalWaiting();
    // Back to the state of a process that has not started the library, for rigs that start it
    // many times in one process.
    void resetToUnstarted();

private:
    TallyStatPageView() = default;
    // Reads what an earlier process left in the journal of this home before the first change.
    void adoptJournal();

    mutable std::mutex m_mutex;
    std::vector<TLANJournal::PageView> m_waiting;
    std::vector<TLANJournal::PageView> m_earlier;  // journaled by an earlier process
    // The journal file m_earlier came from; none while another process owns the folder.
    std::optional<std::string> m_adoptedJournal;
    std::map<std::string, double> m_pageViewsHash;  // page name to start, seconds since 1970
};
