#pragma once

#include <mutex>

// The upload scheduler: decides by job kind and report policy whether an upload is due and
// holds the one flag that keeps uploads one at a time. One shared instance for the process; its
// recursive lock is the job lock (taken before the envelope lock). Any thread.
class TallyStatJob {
public:
    enum Kind { Launch = 0, Terminate = 1, Event = 2 };
    static constexpr int kPolicyColumns = 5;
    static constexpr int kJobRows = 5;

    static TallyStatJob& sharedInstance();

    // The single entry point of an upload attempt.
    static void preparePerformJob(int kind);
    bool ready();
    static bool shouldCommitJob(int kind);
    static void loadReportIntervalFromCache();

    std::recursive_mutex& lock() { return m_lock; }
    // Read and written under lock().
    bool jobRunning() const { return m_jobRunning; }
    void setJobRunning(bool running) { m_jobRunning = running; }

private:
    TallyStatJob() = default;

    std::recursive_mutex m_lock;
    bool m_jobRunning = false;
};
