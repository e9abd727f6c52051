#include "quote/HQNetwork.h"

#include "quote/VKJYHangQingDataClass.h"

namespace {
constexpr int kHttpOk = 200;
}

HQNetwork::HQNetwork(std::shared_ptr<VKJYHangQingDataClass> dataClass, int serverIndex)
    : m_dataClass(std::move(dataClass)), m_serverIndex(serverIndex) {}

void HQNetwork::post(Bytes body, double timeoutSeconds, Completion completion) {
    m_body = std::move(body);
    m_timeoutSeconds = timeoutSeconds;
    m_completion = std::move(completion);
    m_lines = m_dataClass ? m_dataClass->linesForServer(m_serverIndex) : std::vector<std::string>{};
    if (m_lines.empty()) {
        auto done = std::move(m_completion);
        done(UrlError::UnsupportedUrl, {});
        return;
    }
    m_firstLine = m_dataClass->workingLineForServer(m_serverIndex) % m_lines.size();
    tryLine(0);
}

void HQNetwork::tryLine(size_t attempt) {
    const size_t line = (m_firstLine + attempt) % m_lines.size();
    HttpRequest request;
    request.method = "POST";
    request.url = m_lines[line];
    request.headers = {{"Content-Type", kContentType}};
    request.body = m_body;
    request.timeoutSeconds = m_timeoutSeconds;
    m_client.send(request, [this, attempt, line](const HttpResponse& response) {
        int error = response.error;
        if (error == UrlError::None && response.statusCode != kHttpOk) {
            error = UrlError::BadServerResponse;
        }
        if (error != UrlError::None && attempt + 1 < m_lines.size()) {
            tryLine(attempt + 1);
            return;
        }
        if (error == UrlError::None) {
            m_dataClass->setWorkingLineForServer(m_serverIndex, line);
        }
        auto done = std::move(m_completion);
        done(error, response.body);
    });
}
