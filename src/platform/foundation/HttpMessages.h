#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/foundation/Bytes.h"

// The records of one HTTP exchange made with HttpClient. Plain values.

// The phone platform's URL error codes, which callers pass on and compare as plain integers.
struct UrlError {
    static constexpr int None = 0;
    static constexpr int Unknown = -1;
    static constexpr int Cancelled = -999;
    static constexpr int TimedOut = -1001;
    static constexpr int UnsupportedUrl = -1002;
    static constexpr int CannotFindHost = -1003;
    static constexpr int CannotConnectToHost = -1004;
    static constexpr int NetworkConnectionLost = -1005;
    static constexpr int HttpTooManyRedirects = -1007;
    static constexpr int BadServerResponse = -1011;
    static constexpr int SecureConnectionFailed = -1200;
};

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string method = "GET";
    std::string url;
    HttpHeaders headers;
    Bytes body;
    static constexpr double kDefaultTimeoutSeconds = 60.0;

    // Whole exchange, from sending to the last byte of the reply; zero or less: the default.
    double timeoutSeconds = kDefaultTimeoutSeconds;
};

// Either an answer (error 0, any status code) or a transfer failure (error < 0, no answer).
struct HttpResponse {
    int error = UrlError::None;
    std::string errorText;
    int statusCode = 0;
    HttpHeaders headers;
    Bytes body;

    bool failed() const { return error != UrlError::None; }
    // First header of that name, compared without regard to case.
    std::optional<std::string> header(std::string_view name) const;
    std::string bodyText() const { return std::string(body.begin(), body.end()); }
};
