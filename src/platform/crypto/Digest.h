#pragma once

#include <openssl/evp.h>

#include <cstddef>

#include "platform/foundation/Bytes.h"

// One-shot message digests through OpenSSL's EVP interface; shared by Md5 and Sha1.
// Stateless; any thread.
class Digest {
public:
    static Bytes compute(const EVP_MD* type, const void* data, std::size_t length);
};
