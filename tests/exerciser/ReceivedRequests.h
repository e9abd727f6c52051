#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>

class SimProcess;

// Reads, environment by environment, the trading requests of some names that the exchange
// received since the last read, as its control route lists them ({"name", "fields"}). One
// reader per check of the exerciser; main thread.
class ReceivedRequests {
public:
    // `names`: the request names, comma-separated.
    ReceivedRequests(SimProcess& exchange, std::string names);

    // The requests received since the last call for `environment` ("jys=..&env=.."); an empty
    // array when the control service did not answer.
    nlohmann::json since(const std::string& environment);
    // The exchange started over: its lists begin again.
    void restart() { m_next.clear(); }

private:
    SimProcess& m_exchange;
    std::string m_names;
    std::map<std::string, size_t> m_next;  // by environment: the first request not yet read
};
