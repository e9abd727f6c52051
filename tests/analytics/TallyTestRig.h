#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Bytes.h"
#include "sim/analytics/SimAnalyticsService.h"
#include "support/TempHome.h"

// A fresh app home and the simulated analytics service with the library pointed at it. The
// library's shared objects live for the process: the rig puts them back to their unstarted
// state, so tests run alone or one after another in one process alike. Main thread.
class TallyTestRig {
public:
    static constexpr const char* kAppKey = "5f2c9a7e01d34b8c";
    static constexpr double kDeadline = 20.0;

    TallyTestRig();
    ~TallyTestRig();

    SimAnalyticsService& sim() { return m_sim; }
    const std::string& home() const { return m_home.path(); }

    // Version, key, policy 1 and channel as the application starts the library; crash capture
    // off unless asked for.
    void start(const std::string& version = "2.0", bool crashCapture = false);
    bool runUntil(const std::function<bool()>& condition, double seconds = kDeadline);
    // Waits for launches still running, then runs until the upload in flight (if any) has
    // ended and nothing is queued.
    bool settle();
    std::vector<SimAnalyticsRequest> uploads() const { return m_sim.requests("/app_logs"); }
    // Over the envelopes the service accepted (a repeated envelope once): how often each event
    // and each page view came, how many crash reports, and every session's duration in
    // milliseconds.
    std::map<std::string, int> acceptedEvents() const;
    int acceptedErrors() const;
    std::map<std::string, int> acceptedPages() const;
    std::vector<int64_t> acceptedSessionMs() const;
    int64_t defaultInteger(const char* key) const;
    bool envelopeFileExists() const;
    std::optional<Bytes> envelopeFileBytes() const;
    // The library as a new process finds it, the files in the home left as they are: what a
    // kill leaves once the files are put back as the kill found them.
    static void resetLibrary();

private:
    TempHome m_home;
    SimAnalyticsService m_sim;
};
