#include "TradeScriptServer.h"

TradeScriptServer::TradeScriptServer() {
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        handle(request, response);
    };
    for (const char* path :
         {"/trade", "/notice", "/funds", "/dir", "/sms/reqcode", "/sms/verifycode", "/account"}) {
        m_server.server().Post(path, handler);
    }
    m_server.start();
}

void TradeScriptServer::handle(const httplib::Request& request, httplib::Response& response) {
    CapturedRequest captured;
    captured.path = request.path;
    captured.name = request.has_param("req") ? request.get_param_value("req") : std::string();
    captured.contentType = request.get_header_value("Content-Type");
    captured.contentLength = request.get_header_value("Content-Length");
    captured.body = request.body;
    Reply reply;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(captured);
        auto it = m_replies.find(captured.name.empty() ? captured.path : captured.name);
        if (it == m_replies.end() && captured.name.empty()) {
            it = m_replies.find("");
        }
        if (it != m_replies.end()) {
            reply = it->second;
        }
    }
    const std::string body = reply ? reply(captured) : tradeReply();
    if (body == kDropLine) {
        // Promises a body and closes the connection before a byte of it.
        response.set_content_provider(1, "text/plain",
                                      [](size_t, size_t, httplib::DataSink&) { return false; });
        return;
    }
    response.set_content(body, "text/plain");
}

void TradeScriptServer::reply(const std::string& name, std::string body) {
    replyWith(name, [body = std::move(body)](const CapturedRequest&) { return body; });
}

void TradeScriptServer::replyWith(const std::string& name, Reply reply) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_replies[name] = std::move(reply);
}

std::vector<CapturedRequest> TradeScriptServer::requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

size_t TradeScriptServer::count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests.size();
}

std::vector<CapturedRequest> TradeScriptServer::named(const std::string& name) const {
    std::vector<CapturedRequest> found;
    for (const CapturedRequest& request : requests()) {
        if (request.name == name) {
            found.push_back(request);
        }
    }
    return found;
}

std::string tradeReply(const std::string& repMembers) {
    const bool hasCode = repMembers.find("\"retcode\"") != std::string::npos;
    std::string rep =
        hasCode ? repMembers
                : std::string("\"retcode\":0") + (repMembers.empty() ? "" : ",") + repMembers;
    return "{\"VUZI\":{\"REP\":{" + rep + "}}}";
}
