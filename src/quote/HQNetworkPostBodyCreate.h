#pragma once

// Builds quote requests (docs/quote-protocol.md): the 10-byte head and the body of each protocol
// from a request package. Package fields are decimal text read with the platform's number rule,
// so an empty or unreadable field goes out as 0. Stateless; any thread.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/foundation/Bytes.h"
#include "quote/SubmissionPackage.h"

class HQNetworkPostBodyCreate {
public:
    // Head and body of one request.
    static Bytes request(uint16_t protocol, uint32_t session, const Bytes& body);

    static Bytes loginBody(const LoginPackage* package, bool hasPassword);
    // The protocol of a data request type ("shiChangXinXix", "Kline", ...), or nothing.
    static std::optional<uint16_t> protocolForType(const std::string& type);
    // The body of a data request; "fenshi" turns its server-local "yyyyMMddHHmm" request time
    // into ms since 1970 with utcOffsetMinutes.
    static Bytes dataBody(const std::string& type, const SubmissionPackage& package,
                          int utcOffsetMinutes = 0);
    // A request time as the wire carries it: "-1", ms since 1970, or server-local
    // "yyyyMMddHHmm" text.
    static int64_t requestTimeMs(const std::string& text, int utcOffsetMinutes);
};
