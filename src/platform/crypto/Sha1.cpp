#include "platform/crypto/Sha1.h"

#include "platform/crypto/Digest.h"
#include "platform/crypto/Hex.h"

Bytes Sha1::digest(const Bytes& data) {
    return Digest::compute(EVP_sha1(), data.data(), data.size());
}

Bytes Sha1::digest(std::string_view text) {
    return Digest::compute(EVP_sha1(), text.data(), text.size());
}

std::string Sha1::lowerHex(std::string_view text) {
    return Hex::lower(digest(text));
}
