#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// Base64 with the standard alphabet and "=" padding. Stateless; any thread.
class Base64 {
public:
    static std::string encode(const Bytes& data);
    static std::string encode(std::string_view text);
    // Line breaks and blanks between groups are skipped; any other character outside the
    // alphabet, a misplaced "=" or a length that is not a whole number of groups gives no result.
    static std::optional<Bytes> decode(std::string_view text);
};
