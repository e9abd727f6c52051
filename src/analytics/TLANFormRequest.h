#pragma once

#include <string>

#include "analytics/TLANJsonValue.h"
#include "platform/foundation/HttpMessages.h"

// The request of the configuration, update and ad endpoints: a synchronous POST of "content="
// and the URL-encoded compact JSON of a dictionary, with a bounded time-out. Stateless; worker
// threads only (it blocks).
class TLANFormRequest {
public:
    static constexpr double kTimeoutSeconds = 30.0;

    // Writes "(Request  <label>) content=<json>" to the debug log first.
    static HttpResponse send(const std::string& url, const TLANJsonValue& dictionary,
                             const std::string& label);
    static std::string body(const TLANJsonValue& dictionary);
};
