#include "base/Base64Codec.h"

#include "platform/crypto/Base64.h"

std::optional<Bytes> Base64Codec::decodeString(std::string_view text) {
    return Base64::decode(text);
}

std::string Base64Codec::encodeData(const Bytes& data) {
    return Base64::encode(data);
}
