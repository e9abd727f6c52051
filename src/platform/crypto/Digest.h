#pragma once

#include <openssl/evp.h>

#include <cstddef>

#include "platform/foundation/Bytes.h"

// One-shot message digest through OpenSSL's EVP interface; shared by Md5 and Sha1.
Bytes evpDigest(const EVP_MD* type, const void* data, std::size_t length);
