#pragma once

#include <optional>

#include "platform/foundation/Bytes.h"

// The data type's AES-128 helpers (ECB mode, PKCS7 padding) for history files, session material
// and the client token; both directions. Stateless; any thread.
class NSDataAES128 {
public:
    // Nothing when the key is not 16 bytes or the ciphertext or its padding is wrong.
    static std::optional<Bytes> SpecialAES128DecryptWithKey(const Bytes& data, const Bytes& key);
    // Nothing when the key is not 16 bytes.
    static std::optional<Bytes> SpecialAES128EncryptWithKey(const Bytes& data, const Bytes& key);
};
