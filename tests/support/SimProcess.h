#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/TempFolder.h"

// The `vkjy-sim` executable run as a separate process, as ./run starts it: seed 1, manual clock
// from 2026-12-04 14:30 (UTC+8), time at the test's pace (TestClock), every line on a free
// loopback port. Reads the lines it prints, talks to its control service over HTTP, and can stop
// it and start it again on the same ports (a restart of the exchange: its books start over).
// Stopped when the object goes. Main thread.
class SimProcess {
public:
    // The lines of one trading environment: exchange and environment codes, two base URLs.
    struct TradeLines {
        std::string exchange;
        std::string environment;
        std::vector<std::string> urls;
    };
    struct Reply {
        int status = 0;  // 0 when the control service did not answer
        std::string body;
    };

    SimProcess();
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts the executable and waits (at most 10 s) until it printed its lines.
    bool start();
    // Ends it with SIGTERM and waits for it.
    void stop();
    // Stops it and starts it again on the ports of the first start, the clock where it was.
    bool restart();
    bool running() const { return m_pid > 0; }

    const std::vector<std::string>& directoryUrls() const { return m_directory; }
    const std::vector<std::string>& quoteUrls(size_t server) const { return m_quotes.at(server); }
    const std::vector<TradeLines>& tradeLines() const { return m_trades; }
    const std::string& controlUrl() const { return m_control; }

    // Control routes: a POST or GET of path with the query parameters already in it.
    Reply post(const std::string& pathAndQuery);
    Reply get(const std::string& pathAndQuery);
    // A text as a query parameter value.
    static std::string escape(const std::string& text);
    // Moves the simulator's clock (and so every quote) forward.
    bool advance(int64_t ms);
    // The simulator's clock (it stands still between advances), in ms since 1970.
    int64_t nowMs() const;

private:
    bool launch(const std::vector<std::string>& arguments);
    bool readLines();
    std::vector<std::string> portArguments() const;

    TempFolder m_folder;
    pid_t m_pid = -1;
    int64_t m_advancedMs = 0;
    std::string m_control;
    std::vector<std::string> m_directory;
    std::vector<std::string> m_analytics;
    std::vector<std::vector<std::string>> m_quotes;
    std::vector<TradeLines> m_trades;
};
