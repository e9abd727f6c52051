#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/foundation/Bytes.h"

// The fuzzer's bytes: an optional selector byte that picks what a target feeds them to, then the
// rest as bytes or text.
struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;

    std::uint8_t selector() const { return size > 0 ? data[0] : 0; }
    Bytes rest() const { return size > 0 ? Bytes(data + 1, data + size) : Bytes(); }
    Bytes all() const { return Bytes(data, data + size); }
    std::string restText() const {
        return size > 0 ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1)
                        : std::string();
    }
    std::string allText() const { return std::string(reinterpret_cast<const char*>(data), size); }
};
