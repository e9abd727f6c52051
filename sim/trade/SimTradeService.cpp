#include "sim/trade/SimTradeService.h"

SimTradeService::SimTradeService(SimMarket& market, uint64_t seed)
    : m_environments(SimTradeCatalogue::standard()), m_accounts(seed, market) {
    std::vector<SimTradeServer*> servers;
    for (const auto& env : m_environments) {
        m_servers.push_back(std::make_unique<SimTradeServer>(env, market, seed, m_accounts));
        servers.push_back(m_servers.back().get());
    }
    m_accounts.setServers(servers);
}

bool SimTradeService::start(const std::vector<int>& ports) {
    for (size_t i = 0; i < m_servers.size(); ++i) {
        const size_t lines = SimTradeServer::kLineCount;
        if (!m_servers[i]->start(SimHttpLine::portSlice(ports, i * lines, lines))) {
            stop();
            return false;
        }
    }
    return true;
}

void SimTradeService::stop() {
    for (auto& item : m_servers) {
        item->stop();
    }
}

SimTradeServer* SimTradeService::server(const std::string& jysCode, const std::string& envCode) {
    for (auto& item : m_servers) {
        if (item->environment().jysCode == jysCode && item->environment().envCode == envCode) {
            return item.get();
        }
    }
    return nullptr;
}

std::string SimTradeService::lineUrl(const std::string& jysCode, const std::string& envCode,
                                     const std::string& ywType, int line) {
    SimTradeServer* target = server(jysCode, envCode);
    if (!target || line < 0 || static_cast<size_t>(line) >= target->lineCount()) {
        return {};
    }
    return target->businessUrl(ywType, static_cast<size_t>(line));
}
