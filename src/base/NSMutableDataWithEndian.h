#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// The withEndian data helpers: big-endian wire fields of the quote protocol. A byte buffer that
// appends fields at its end and reads them back from a cursor. A read past the end returns
// nothing, leaves the cursor where it was and marks the buffer failed, so a parser may either
// test every read or read a whole record and test failed() once. Owned by its user; one thread
// at a time.
class NSMutableDataWithEndian {
public:
    NSMutableDataWithEndian() = default;
    explicit NSMutableDataWithEndian(Bytes bytes);
    NSMutableDataWithEndian(const void* bytes, size_t size);

    const Bytes& bytes() const { return m_bytes; }
    size_t length() const { return m_bytes.size(); }

    void appendInt8(int8_t value);
    void appendUInt8(uint8_t value);
    void appendInt16(int16_t value);
    void appendUInt16(uint16_t value);
    void appendInt32(int32_t value);
    void appendUInt32(uint32_t value);
    void appendInt64(int64_t value);
    void appendUInt64(uint64_t value);
    // IEEE 754 binary64, most significant byte first.
    void appendDouble(double value);
    void appendBytes(const void* bytes, size_t size);
    void appendBytes(const Bytes& bytes);
    // Exactly `width` bytes: the UTF-8 text, cut before a character that would not fit whole,
    // then zero bytes up to the width.
    void appendFixedString(std::string_view text, size_t width);

    size_t position() const { return m_position; }
    size_t remaining() const { return m_bytes.size() - m_position; }
    bool failed() const { return m_failed; }

    std::optional<int8_t> readInt8();
    std::optional<uint8_t> readUInt8();
    std::optional<int16_t> readInt16();
    std::optional<uint16_t> readUInt16();
    std::optional<int32_t> readInt32();
    std::optional<uint32_t> readUInt32();
    std::optional<int64_t> readInt64();
    std::optional<uint64_t> readUInt64();
    std::optional<double> readDouble();
    std::optional<Bytes> readBytes(size_t size);
    // Reads `width` bytes; the text ends at the first zero byte.
    std::optional<std::string> readFixedString(size_t width);

private:
    void appendBigEndian(uint64_t value, size_t width);
    std::optional<uint64_t> readBigEndian(size_t width);
    bool canRead(size_t size);

    Bytes m_bytes;
    size_t m_position = 0;
    bool m_failed = false;
};
