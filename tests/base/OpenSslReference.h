#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// What a server would do, written straight on OpenSSL so the helpers under test are checked
// against an independent implementation.
namespace reference {

Bytes md5(std::string_view text);
std::optional<Bytes> aesEcb(bool encrypt, const Bytes& data, const Bytes& key, bool padding);
std::optional<Bytes> base64Decode(std::string_view text);
std::string base64Encode(const Bytes& data);
Bytes fromHex(std::string_view hex);

}  // namespace reference
