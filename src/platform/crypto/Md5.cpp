#include "platform/crypto/Md5.h"

#include "platform/crypto/Digest.h"
#include "platform/crypto/Hex.h"

Bytes Md5::digest(const Bytes& data) {
    return Digest::compute(EVP_md5(), data.data(), data.size());
}

Bytes Md5::digest(std::string_view text) {
    return Digest::compute(EVP_md5(), text.data(), text.size());
}

std::string Md5::lowerHex(std::string_view text) {
    return Hex::lower(digest(text));
}

std::string Md5::upperHex(std::string_view text) {
    return Hex::upper(digest(text));
}
