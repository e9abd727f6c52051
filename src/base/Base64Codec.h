#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// Base64 text of bytes, standard alphabet with "=" padding. Stateless; any thread.
class Base64Codec {
public:
    // Nothing when the text is not valid Base64; line breaks between groups are allowed.
    static std::optional<Bytes> decodeString(std::string_view text);
    static std::string encodeData(const Bytes& data);
};
