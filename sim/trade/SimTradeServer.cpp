#include "sim/trade/SimTradeServer.h"

#include <httplib.h>

#include <algorithm>

#include "sim/core/SimHold.h"
#include "sim/core/SimXml.h"
#include "sim/trade/SimAccountServices.h"

namespace {
const char* const kPaths[] = {"/trade", "/notice", "/funds"};

std::string envelope(const SimJson& rep) {
    SimJson body = {{"VUZI", {{"REP", rep}}}};
    return body.dump(2);
}
}  // namespace

SimTradeServer::SimTradeServer(const SimTradeEnvironment& env, SimMarket& market, uint64_t seed,
                               SimAccountServices& accounts)
    : m_ledger(env, market, seed), m_accounts(accounts) {
    for (int i = 0; i < kLineCount; ++i) {
        m_lines.push_back(std::make_unique<SimHttpLine>([this](httplib::Server& server) {
            server.Post(
                R"(/.*)", [this](const httplib::Request& request, httplib::Response& response) {
                    const std::string name =
                        request.has_param("req") ? request.get_param_value("req") : "";
                    const std::string body = reply(request.path, name, request.body);
                    const bool binary = request.path == "/trade" && name.empty() && !body.empty() &&
                                        body[0] == '\x04';
                    response.set_content(body, binary ? "binary" : "text/plain; charset=utf-8");
                });
        }));
    }
}

SimTradeServer::~SimTradeServer() {
    stop();
}

bool SimTradeServer::start(const std::vector<int>& ports) {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (!m_lines[i]->start(i < ports.size() ? ports[i] : 0)) {
            stop();
            return false;
        }
    }
    return true;
}

void SimTradeServer::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_held.clear();
        m_heldAnswers.clear();
        m_holdNextAnswer.clear();
        m_heldNextAnswers.clear();
        m_dropped.clear();
    }
    m_released.notify_all();
    m_beatSwap.release();
    for (auto& line : m_lines) {
        line->stop();
    }
}

std::string SimTradeServer::lineBase(size_t i) const {
    return m_lines.at(i)->baseUrl();
}

std::string SimTradeServer::businessUrl(const std::string& ywType, size_t line) const {
    if (ywType != "1" && ywType != "2" && ywType != "3") {
        return {};
    }
    return lineBase(line) + kPaths[ywType[0] - '1'];
}

void SimTradeServer::answerCodeNext(int code, const std::string& name, int nth) {
    std::lock_guard lock(m_mutex);
    m_codeNext = code;
    m_codeNextName = name;
    m_codeNextSkip = name.empty() ? 0 : std::max(nth, 1) - 1;
}

void SimTradeServer::malformNext(const std::string& name) {
    std::lock_guard lock(m_mutex);
    m_malformNext = name;
}

int SimTradeServer::requestCount(const std::string& name) const {
    std::lock_guard lock(m_mutex);
    auto found = m_requestCounts.find(name);
    return found == m_requestCounts.end() ? 0 : found->second;
}

std::map<std::string, int> SimTradeServer::requestCounts() const {
    std::lock_guard lock(m_mutex);
    return m_requestCounts;
}

std::vector<SimTradeReceived> SimTradeServer::received() const {
    std::lock_guard lock(m_mutex);
    return {m_received.begin(), m_received.end()};
}

std::vector<SimTradeReceived> SimTradeServer::receivedFrom(size_t from, size_t& total) const {
    std::lock_guard lock(m_mutex);
    total = m_receivedTotal;
    const size_t first = m_receivedTotal - m_received.size();
    const size_t skip = from > first ? std::min(from - first, m_received.size()) : 0;
    return {m_received.begin() + static_cast<std::ptrdiff_t>(skip), m_received.end()};
}

void SimTradeServer::clearReceived() {
    std::lock_guard lock(m_mutex);
    m_received.clear();
}

void SimTradeServer::holdReplies(const std::string& name) {
    std::lock_guard lock(m_mutex);
    m_held.insert(name);
}

void SimTradeServer::holdAnswers(const std::string& name) {
    std::lock_guard lock(m_mutex);
    m_heldAnswers.insert(name);
}

void SimTradeServer::holdNextAnswer(const std::string& name) {
    std::lock_guard lock(m_mutex);
    m_holdNextAnswer.insert(name);
}

std::vector<std::string> SimTradeServer::armedFaults() const {
    std::vector<std::string> armed = SimHttpLine::faults(m_lines);
    if (m_beatSwap.busy()) {
        armed.push_back("two heartbeats swapped");
    }
    std::lock_guard lock(m_mutex);
    if (m_codeNext) {
        armed.push_back("the next " + (m_codeNextName.empty() ? "request" : m_codeNextName) +
                        " answered " + std::to_string(*m_codeNext));
    }
    if (m_malformNext) {
        armed.push_back("the next " + (m_malformNext->empty() ? "request" : *m_malformNext) +
                        " spoiled");
    }
    for (const auto* holds :
         {&m_held, &m_heldAnswers, &m_holdNextAnswer, &m_heldNextAnswers, &m_dropped}) {
        for (const auto& name : *holds) {
            armed.push_back(name + " held");
        }
    }
    return armed;
}

bool SimTradeServer::nextAnswerHeld(const std::string& name) const {
    std::lock_guard lock(m_mutex);
    return m_heldNextAnswers.count(name) > 0;
}

void SimTradeServer::dropReplies(const std::string& name) {
    {
        std::lock_guard lock(m_mutex);
        m_dropped.insert(name);
        m_held.erase(name);
    }
    m_released.notify_all();
}

bool SimTradeServer::dropping(const std::string& name) const {
    std::lock_guard lock(m_mutex);
    return m_dropped.count(name) > 0;
}

void SimTradeServer::releaseReplies(const std::string& name) {
    {
        std::lock_guard lock(m_mutex);
        m_dropped.erase(name);
        m_held.erase(name);
        m_heldAnswers.erase(name);
        m_holdNextAnswer.erase(name);
        m_heldNextAnswers.erase(name);
    }
    m_released.notify_all();
}

const std::set<std::string>& SimTradeServer::answerHolds(const std::string& name) {
    std::lock_guard lock(m_mutex);
    if (m_holdNextAnswer.erase(name) == 0) {
        return m_heldAnswers;
    }
    m_heldNextAnswers.insert(name);
    return m_heldNextAnswers;
}

void SimTradeServer::waitWhileHeld(const std::set<std::string>& held, const std::string& name) {
    std::unique_lock lock(m_mutex);
    SimHold::wait(m_released, lock, [&] { return held.count(name) == 0; });
}

// A request is judged by when it reached its line, before the line's delay or a hold.
void SimTradeServer::judgeSession(const std::string& name, const std::string& body) {
    const SimJson request = SimJson::parse(body, nullptr, false);
    const SimJson* fields = &request;
    if (name != "SYS_TIME_QUERY") {
        const bool framed = request.is_object() && request.contains("VUZI") &&
                            request["VUZI"].is_object() && request["VUZI"].contains("REQ");
        fields = framed ? &request["VUZI"]["REQ"] : nullptr;
    }
    if (!fields || !fields->is_object()) {
        return;
    }
    const char* key = name == "SYS_TIME_QUERY" ? "sessionid" : "SESSION_ID";
    m_ledger.judgeSession(name, simText(*fields, key), SimHttpLine::arrivalOfThisRequest(),
                          m_crossingMs);
}

std::optional<std::string> SimTradeServer::spoiled(const std::string& name) {
    std::lock_guard lock(m_mutex);
    ++m_requestCounts[name];
    if (m_malformNext && (m_malformNext->empty() || *m_malformNext == name)) {
        m_malformNext.reset();
        return std::string("<html><body>503 Service Unavailable</body></html>");
    }
    if (!m_codeNext || (!m_codeNextName.empty() && name != m_codeNextName)) {
        return std::nullopt;
    }
    if (m_codeNextSkip > 0) {
        --m_codeNextSkip;
        return std::nullopt;
    }
    const int code = *m_codeNext;
    m_codeNext.reset();
    if (name == "SYS_TIME_QUERY") {
        return SimJson({{"ret", code}, {"msg", "模拟错误"}}).dump(2);
    }
    return envelope(simReply(code, "模拟错误"));
}

std::string SimTradeServer::reply(const std::string& path, const std::string& name,
                                  const std::string& body) {
    {
        std::lock_guard lock(m_mutex);
        m_received.push_back({path, name, body});
        ++m_receivedTotal;
        if (m_received.size() > kKeptRequests) {
            m_received.pop_front();
        }
    }
    if (path == "/account" || path.rfind("/account/", 0) == 0 || path.rfind("/sms/", 0) == 0) {
        waitWhileHeld(m_held, SimXml::field(body, "CMD"));
        return m_accounts.reply(path, body);
    }
    if (path == "/trade" && name.empty()) {
        if (body.rfind("<", 0) == 0) {
            waitWhileHeld(m_held, SimXml::field(body, "CMD"));
            return m_accounts.reply(path, body);
        }
        const SimBytes frame = m_ledger.captcha(SimBytes(body.begin(), body.end()));
        return std::string(frame.begin(), frame.end());
    }
    judgeSession(name, body);
    waitWhileHeld(m_held, name);
    if (dropping(name)) {
        SimHttpLine::dropThisConnection();
        return {};
    }
    const auto swap = name == "SYS_TIME_QUERY" ? m_beatSwap.enter() : SimBeatSwap::Role::None;
    const std::string answered = answer(path, name, body);
    m_beatSwap.leave(swap);
    waitWhileHeld(answerHolds(name), name);
    return answered;
}

std::string SimTradeServer::answer(const std::string& path, const std::string& name,
                                   const std::string& body) {
    if (auto spoilt = spoiled(name)) {
        return *spoilt;
    }
    if (path == "/trade" && name == "SYS_TIME_QUERY") {
        SimJson request = SimJson::parse(body, nullptr, false);
        if (!request.is_object()) {
            return SimJson({{"ret", kSimBadRequest}, {"msg", "请求格式错误"}}).dump(2);
        }
        return m_ledger.heartbeat(request).dump(2);
    }
    for (int link = 1; link <= 3; ++link) {
        if (path == kPaths[link - 1]) {
            return jsonReply(static_cast<SimTradeLink>(link), name, body);
        }
    }
    return envelope(simReply(kSimUnknownRequest, "未知请求"));
}

std::string SimTradeServer::jsonReply(SimTradeLink link, const std::string& name,
                                      const std::string& body) {
    SimJson top = SimJson::parse(body, nullptr, false);
    const bool framed = top.is_object() && top.contains("VUZI") && top["VUZI"].is_object() &&
                        top["VUZI"].contains("REQ") && top["VUZI"]["REQ"].is_object();
    if (!framed) {
        return envelope(simReply(kSimBadRequest, "请求格式错误"));
    }
    const SimJson& request = top["VUZI"]["REQ"];
    if (simText(request, "name") != name) {
        return envelope(simReply(kSimBadRequest, "请求名称不符"));
    }
    return envelope(m_ledger.handle(link, name, request));
}
