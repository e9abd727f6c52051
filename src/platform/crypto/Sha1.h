#pragma once

#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// SHA-1 digests: raw 20 bytes or 40 lower-case hexadecimal digits. Stateless; any thread.
class Sha1 {
public:
    static Bytes digest(const Bytes& data);
    static Bytes digest(std::string_view text);
    static std::string lowerHex(std::string_view text);
};
