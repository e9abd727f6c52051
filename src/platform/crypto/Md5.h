#pragma once

#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// MD5 digests: raw 16 bytes, or 32 hexadecimal digits in either case. Stateless; any thread.
class Md5 {
public:
    static Bytes digest(const Bytes& data);
    static Bytes digest(std::string_view text);
    static std::string lowerHex(std::string_view text);
    static std::string upperHex(std::string_view text);
};
