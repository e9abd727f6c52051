#include "base/NSDataAES128.h"

#include "platform/crypto/Aes128Ecb.h"

std::optional<Bytes> NSDataAES128::SpecialAES128DecryptWithKey(const Bytes& data,
                                                               const Bytes& key) {
    return Aes128Ecb::decrypt(data, key);
}

std::optional<Bytes> NSDataAES128::SpecialAES128EncryptWithKey(const Bytes& data,
                                                               const Bytes& key) {
    return Aes128Ecb::encrypt(data, key);
}
