#pragma once

#include <cstdint>
#include <string>

#include "platform/foundation/Bytes.h"

// Big-endian bytes spelled out field by field, for replies written by hand in tests.
struct WireBytes {
    Bytes bytes;

    WireBytes& u8(uint64_t v) { return put(v, 1); }
    WireBytes& i16(int64_t v) { return put(static_cast<uint64_t>(v), 2); }
    WireBytes& u16(uint64_t v) { return put(v, 2); }
    WireBytes& i32(int64_t v) { return put(static_cast<uint64_t>(v), 4); }
    WireBytes& u32(uint64_t v) { return put(v, 4); }
    WireBytes& i64(int64_t v) { return put(static_cast<uint64_t>(v), 8); }
    WireBytes& str(const std::string& text) {
        u16(text.size());
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    // A reply: head with protocol, code and this body's length, then the body.
    Bytes reply(uint16_t protocol, int32_t code = 0) const {
        WireBytes out;
        out.u16(protocol).i32(code).u32(bytes.size());
        out.bytes.insert(out.bytes.end(), bytes.begin(), bytes.end());
        return out.bytes;
    }

private:
    WireBytes& put(uint64_t value, int width) {
        for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<uint8_t>(value >> shift));
        }
        return *this;
    }
};
