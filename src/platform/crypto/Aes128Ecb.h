#pragma once

#include <optional>

#include "platform/foundation/Bytes.h"

// AES-128 in ECB mode with PKCS7 padding, as the servers use it for session material and
// history files. Stateless; any thread. A key that is not 16 bytes, or ciphertext whose
// length or padding is wrong, gives no result.
class Aes128Ecb {
public:
    static constexpr std::size_t kKeyLength = 16;

    static std::optional<Bytes> encrypt(const Bytes& plain, const Bytes& key);
    static std::optional<Bytes> decrypt(const Bytes& cipher, const Bytes& key);
};
