#pragma once

#include <cstdint>
#include <string>

#include "platform/foundation/Bytes.h"
#include "platform/foundation/HttpMessages.h"

// One upload: posts the envelope bytes to the primary log endpoint and, unless that one
// accepts them, the same bytes to the fallback endpoint; judges the answer, counts the
// request, lets the cache drop what was sent, and always ends the job. Made by the record
// cache and run once on its send queue (blocking that thread only).
class TLANWorker {
public:
    static constexpr double kTimeoutSeconds = 30.0;

    explicit TLANWorker(Bytes body) : m_body(std::move(body)) {}

    const Bytes& body() const { return m_body; }
    void setBody(Bytes body) { m_body = std::move(body); }

    void main();
    void postData();
    bool postDataToServer(const std::string& url);
    HttpRequest setupRequest(const std::string& url) const;
    bool hasThriftResponse(const Bytes& response, int32_t usedMs);
    bool noResponse(const HttpResponse& response, int32_t usedMs);
    // The answer check for a JSON reply; not used by the upload path.
    bool hasJsonResponse(const Bytes& response, int32_t usedMs);

    // "type/version name/version model/os key-digest".
    static std::string sdkHeader();

private:
    Bytes m_body;
};
