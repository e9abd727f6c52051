#pragma once

// The trading server's own codecs over OpenSSL: MD5, AES-128 ECB with PKCS7, Base64. Kept
// apart from the client's so that a misreading of the protocol shows on one side. Pure
// functions, any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using SimBytes = std::vector<uint8_t>;

class SimTradeCrypto {
public:
    static SimBytes md5(const std::string& text);
    static std::string md5Hex(const std::string& text);
    static SimBytes aesEncrypt(const SimBytes& key, const SimBytes& plain);
    // Empty when the key is not 16 bytes, the length is no whole number of blocks or the
    // padding is wrong.
    static std::optional<SimBytes> aesDecrypt(const SimBytes& key, const SimBytes& cipher);
    static std::string base64(const SimBytes& bytes);
    // Empty on a character outside the alphabet or a bad length.
    static std::optional<SimBytes> unbase64(const std::string& text);
};
