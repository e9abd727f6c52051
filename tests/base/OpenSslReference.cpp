#include "OpenSslReference.h"

#include <openssl/evp.h>

#include <memory>

namespace reference {

Bytes md5(std::string_view text) {
    Bytes digest(EVP_MAX_MD_SIZE);
    unsigned int length = 0;
    EVP_Digest(text.data(), text.size(), digest.data(), &length, EVP_md5(), nullptr);
    digest.resize(length);
    return digest;
}

std::optional<Bytes> aesEcb(bool encrypt, const Bytes& data, const Bytes& key, bool padding) {
    std::unique_ptr<EVP_CIPHER_CTX, void (*)(EVP_CIPHER_CTX*)> context(EVP_CIPHER_CTX_new(),
                                                                       EVP_CIPHER_CTX_free);
    EVP_CipherInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key.data(), nullptr,
                      encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(context.get(), padding ? 1 : 0);
    Bytes out(data.size() + 16);
    int written = 0;
    int tail = 0;
    if (EVP_CipherUpdate(context.get(), out.data(), &written, data.data(),
                         static_cast<int>(data.size())) != 1 ||
        EVP_CipherFinal_ex(context.get(), out.data() + written, &tail) != 1) {
        return std::nullopt;
    }
    out.resize(static_cast<size_t>(written + tail));
    return out;
}

std::optional<Bytes> base64Decode(std::string_view text) {
    Bytes out(text.size());
    const int length = EVP_DecodeBlock(out.data(), reinterpret_cast<const uint8_t*>(text.data()),
                                       static_cast<int>(text.size()));
    if (length < 0) {
        return std::nullopt;
    }
    size_t padding = 0;
    for (auto it = text.rbegin(); it != text.rend() && *it == '='; ++it) {
        ++padding;
    }
    out.resize(static_cast<size_t>(length) - padding);
    return out;
}

std::string base64Encode(const Bytes& data) {
    std::string out(4 * ((data.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<uint8_t*>(out.data()), data.data(),
                                       static_cast<int>(data.size()));
    out.resize(static_cast<size_t>(length));
    return out;
}

Bytes fromHex(std::string_view hex) {
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return out;
}

}  // namespace reference
