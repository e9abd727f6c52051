#include "sim/trade/SimTradeCrypto.h"

#include <openssl/evp.h>

#include <memory>

namespace {
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

std::optional<SimBytes> runAes(const SimBytes& key, const SimBytes& input, bool encrypt) {
    if (key.size() != 16) {
        return std::nullopt;
    }
    CipherContext context(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    if (!context || EVP_CipherInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key.data(),
                                      nullptr, encrypt ? 1 : 0) != 1) {
        return std::nullopt;
    }
    SimBytes out(input.size() + 16);
    int written = 0;
    int last = 0;
    if (EVP_CipherUpdate(context.get(), out.data(), &written, input.data(),
                         static_cast<int>(input.size())) != 1 ||
        EVP_CipherFinal_ex(context.get(), out.data() + written, &last) != 1) {
        return std::nullopt;
    }
    out.resize(static_cast<size_t>(written + last));
    return out;
}

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
    for (int i = 0; i < 64; ++i) {
        if (kAlphabet[i] == c) {
            return i;
        }
    }
    return -1;
}
}  // namespace

SimBytes SimTradeCrypto::md5(const std::string& text) {
    SimBytes digest(16);
    unsigned int size = 0;
    EVP_Digest(text.data(), text.size(), digest.data(), &size, EVP_md5(), nullptr);
    return digest;
}

std::string SimTradeCrypto::md5Hex(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t byte : md5(text)) {
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    }
    return out;
}

SimBytes SimTradeCrypto::aesEncrypt(const SimBytes& key, const SimBytes& plain) {
    return runAes(key, plain, true).value_or(SimBytes{});
}

std::optional<SimBytes> SimTradeCrypto::aesDecrypt(const SimBytes& key, const SimBytes& cipher) {
    if (cipher.empty() || cipher.size() % 16 != 0) {
        return std::nullopt;
    }
    return runAes(key, cipher, false);
}

std::string SimTradeCrypto::base64(const SimBytes& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t chunk = static_cast<uint32_t>(bytes[i]) << 16;
        const size_t left = bytes.size() - i;
        if (left > 1) {
            chunk |= static_cast<uint32_t>(bytes[i + 1]) << 8;
        }
        if (left > 2) {
            chunk |= bytes[i + 2];
        }
        out += kAlphabet[(chunk >> 18) & 63];
        out += kAlphabet[(chunk >> 12) & 63];
        out += left > 1 ? kAlphabet[(chunk >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[chunk & 63] : '=';
    }
    return out;
}

std::optional<SimBytes> SimTradeCrypto::unbase64(const std::string& text) {
    if (text.empty() || text.size() % 4 != 0) {
        return std::nullopt;
    }
    SimBytes out;
    for (size_t i = 0; i < text.size(); i += 4) {
        uint32_t chunk = 0;
        int pads = 0;
        for (size_t j = 0; j < 4; ++j) {
            const char c = text[i + j];
            const bool lastQuad = i + 4 == text.size();
            if (c == '=' && lastQuad && j >= 2) {
                ++pads;
                chunk <<= 6;
                continue;
            }
            const int value = sextet(c);
            if (value < 0 || pads > 0) {
                return std::nullopt;
            }
            chunk = (chunk << 6) | static_cast<uint32_t>(value);
        }
        out.push_back(static_cast<uint8_t>(chunk >> 16));
        if (pads < 2) {
            out.push_back(static_cast<uint8_t>(chunk >> 8));
        }
        if (pads < 1) {
            out.push_back(static_cast<uint8_t>(chunk));
        }
    }
    return out;
}
