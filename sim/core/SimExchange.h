#pragma once

// The simulated exchange: one deterministic market model shared by every service, and one
// loopback HTTP server per service line on a free port. Services: the quote servers (two, two
// lines each), the directory server (two lines), the trading servers (one per environment, two
// lines each), the analytics service and the control service for tests. Tests start it
// in-process; `vkjy-sim` runs it standalone.
// start() and stop() from one thread; the control methods from any thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/analytics/SimAnalyticsService.h"
#include "sim/core/SimCatalogue.h"
#include "sim/core/SimClock.h"
#include "sim/core/SimHttpLine.h"
#include "sim/core/SimMarket.h"
#include "sim/directory/SimDirectoryServer.h"
#include "sim/quote/SimHistoryFiles.h"
#include "sim/quote/SimQuoteServer.h"
#include "sim/trade/SimTradeService.h"

struct SimOptions {
    uint64_t seed = 1;
    int64_t startMs = 0;       // 0: the wall clock's now
    bool manualClock = false;  // time moves only by advance()
    int utcOffsetMinutes = 480;
    bool controlService = true;
    int analyticsPrimaryPort = 0;  // 0: a free port
    int analyticsFallbackPort = 0;
    // Ports of the two directory lines; 0: free ones.
    int directoryPort1 = 0;
    int directoryPort2 = 0;
    // Quote lines, server by server (two lines each); trade lines, environment by environment
    // in catalogue order (two lines each). A missing or 0 entry: a free port.
    std::vector<int> quotePorts;
    std::vector<int> tradePorts;
    int controlPort = 0;
    // How many times as fast as the wall clock time runs: vkjy-sim's --time-scale, which it
    // hands to SimClock::setTimeScale before the exchange starts.
    double timeScale = 1;
    // vkjy-sim's --paced-time: the paced clock of the test that started it, shared (PacedTime),
    // in place of a time scale of its own.
    std::string pacedTime;
};

class SimExchange {
public:
    explicit SimExchange(SimOptions options = {});
    ~SimExchange();
    SimExchange(const SimExchange&) = delete;
    SimExchange& operator=(const SimExchange&) = delete;

    // Options for tests: manual clock from 2026-12-04 14:30 (UTC+8), seed 1.
    static SimOptions testOptions();

    bool start();
    void stop();

    SimClock& clock() { return m_clock; }
    SimMarket& market() { return *m_market; }
    const SimCatalogue& catalogue() const { return m_catalogue; }
    const SimHistoryFiles& historyFiles() const { return m_files; }

    size_t quoteServerCount() const { return m_quoteServers.size(); }
    SimQuoteServer& quoteServer(int index) {
        return *m_quoteServers.at(static_cast<size_t>(index));
    }
    std::vector<std::string> quoteLineUrls(int index) const;

    SimAnalyticsService& analytics() { return *m_analytics; }
    SimDirectoryServer& directory() { return *m_directory; }
    std::vector<std::string> directoryUrls() const { return m_directory->urls(); }
    SimTradeService& trade() { return *m_trade; }

    // "http://127.0.0.1:<port>", or empty without the control service.
    std::string controlUrl() const;

private:
    SimOptions m_options;
    SimCatalogue m_catalogue;
    SimClock m_clock;
    SimHistoryFiles m_files;
    std::unique_ptr<SimMarket> m_market;
    std::vector<std::unique_ptr<SimQuoteServer>> m_quoteServers;
    std::unique_ptr<SimDirectoryServer> m_directory;
    std::unique_ptr<SimTradeService> m_trade;
    std::unique_ptr<SimHttpLine> m_control;
    std::unique_ptr<SimAnalyticsService> m_analytics;
};
