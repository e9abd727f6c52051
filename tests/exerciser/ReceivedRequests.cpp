#include "ReceivedRequests.h"

#include <utility>

#include "support/SimProcess.h"

ReceivedRequests::ReceivedRequests(SimProcess& exchange, std::string names)
    : m_exchange(exchange), m_names(std::move(names)) {}

nlohmann::json ReceivedRequests::since(const std::string& environment) {
    const auto reply = m_exchange.get("/control/trade/received?" + environment + "&from=" +
                                      std::to_string(m_next[environment]) + "&names=" + m_names);
    const auto answer = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !answer.is_object() || !answer.contains("next")) {
        return nlohmann::json::array();
    }
    m_next[environment] = answer["next"].get<size_t>();
    return answer.value("requests", nlohmann::json::array());
}
