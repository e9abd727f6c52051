#include "platform/crypto/Digest.h"

Bytes Digest::compute(const EVP_MD* type, const void* data, std::size_t length) {
    Bytes out(EVP_MAX_MD_SIZE);
    unsigned int written = 0;
    if (EVP_Digest(data, length, out.data(), &written, type, nullptr) != 1) {
        return {};
    }
    out.resize(written);
    return out;
}
