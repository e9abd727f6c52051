#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// Hexadecimal text of bytes and back. Stateless; any thread.
class Hex {
public:
    static std::string lower(const Bytes& data);
    static std::string upper(const Bytes& data);
    // Two digits a byte, either case; odd length or a non-digit gives no result.
    static std::optional<Bytes> decode(std::string_view text);
};
