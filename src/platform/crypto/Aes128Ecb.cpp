#include "platform/crypto/Aes128Ecb.h"

#include <openssl/evp.h>

#include <memory>

namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

std::optional<Bytes> run(const Bytes& input, const Bytes& key, bool encrypting) {
    if (key.size() != Aes128Ecb::kKeyLength) {
        return std::nullopt;
    }
    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!context || EVP_CipherInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key.data(),
                                      nullptr, encrypting ? 1 : 0) != 1) {
        return std::nullopt;
    }
    if (input.size() > static_cast<std::size_t>(INT32_MAX - 32)) {
        return std::nullopt;
    }
    Bytes output(input.size() + 16);
    int written = 0;
    if (EVP_CipherUpdate(context.get(), output.data(), &written, input.data(),
                         static_cast<int>(input.size())) != 1) {
        return std::nullopt;
    }
    int finalWritten = 0;
    if (EVP_CipherFinal_ex(context.get(), output.data() + written, &finalWritten) != 1) {
        return std::nullopt;
    }
    output.resize(static_cast<std::size_t>(written + finalWritten));
    return output;
}

}  // namespace

std::optional<Bytes> Aes128Ecb::encrypt(const Bytes& plain, const Bytes& key) {
    return run(plain, key, true);
}

std::optional<Bytes> Aes128Ecb::decrypt(const Bytes& cipher, const Bytes& key) {
    if (cipher.empty() || cipher.size() % 16 != 0) {
        return std::nullopt;
    }
    return run(cipher, key, false);
}
