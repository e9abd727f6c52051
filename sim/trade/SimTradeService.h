#pragma once

// The simulated trading side: one trading server per environment of the catalogue (two lines
// each) and the account services they share. The directory server asks it for the line
// addresses of businesses "1", "2" and "3". Owned by SimExchange; start() and stop() from one
// thread, everything else from any thread.

#include <memory>
#include <string>
#include <vector>

#include "sim/trade/SimAccountServices.h"
#include "sim/trade/SimTradeCatalogue.h"
#include "sim/trade/SimTradeServer.h"

class SimTradeService {
public:
    SimTradeService(SimMarket& market, uint64_t seed);

    // The lines of server i listen on ports[2i] and ports[2i+1]; 0 or missing: free ports.
    bool start(const std::vector<int>& ports = {});
    void stop();

    size_t serverCount() const { return m_servers.size(); }
    SimTradeServer& server(size_t i) { return *m_servers.at(i); }
    // The server of an exchange's environment, or none.
    SimTradeServer* server(const std::string& jysCode, const std::string& envCode);
    SimAccountServices& accountServices() { return m_accounts; }

    // The address of line `line` of business `ywType` of an environment; empty when unknown.
    std::string lineUrl(const std::string& jysCode, const std::string& envCode,
                        const std::string& ywType, int line);

private:
    std::vector<SimTradeEnvironment> m_environments;
    SimAccountServices m_accounts;
    std::vector<std::unique_ptr<SimTradeServer>> m_servers;
};
