#pragma once

// The transport of one quote request: POSTs the bytes to the lines of a quote server's group with
// fail-over. A refused connection, a time-out or an answer other than 200 moves on to the next
// line; the completion reports the last line's error only when every line has failed once. The
// line that answers becomes where the server's next request starts. Owned by HQNetworkManger;
// main thread; dropping it cancels the request without a completion.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Bytes.h"
#include "platform/foundation/HttpClient.h"

class VKJYHangQingDataClass;

class HQNetwork {
public:
    // error 0 with the reply's bytes, or a transport error code (-1001, -1004, ...).
    using Completion = std::function<void(int error, const Bytes& reply)>;

    static constexpr const char* kContentType = "application/oct-stream";

    HQNetwork(std::shared_ptr<VKJYHangQingDataClass> dataClass, int serverIndex);

    void post(Bytes body, double timeoutSeconds, Completion completion);

private:
    void tryLine(size_t attempt);

    std::shared_ptr<VKJYHangQingDataClass> m_dataClass;
    int m_serverIndex;
    std::vector<std::string> m_lines;
    size_t m_firstLine = 0;
    Bytes m_body;
    double m_timeoutSeconds = 0;
    Completion m_completion;
    HttpClient m_client;
};
