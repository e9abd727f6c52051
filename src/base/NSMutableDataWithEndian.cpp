#include "base/NSMutableDataWithEndian.h"

#include <algorithm>
#include <bit>

namespace {

bool isUtf8Continuation(uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// Longest prefix of at most `width` bytes that does not split a UTF-8 sequence.
size_t utf8PrefixLength(std::string_view text, size_t width) {
    if (text.size() <= width) {
        return text.size();
    }
    size_t cut = width;
    while (cut > 0 && isUtf8Continuation(static_cast<uint8_t>(text[cut]))) {
        --cut;
    }
    return cut;
}

}  // namespace

NSMutableDataWithEndian::NSMutableDataWithEndian(Bytes bytes) : m_bytes(std::move(bytes)) {}

NSMutableDataWithEndian::NSMutableDataWithEndian(const void* bytes, size_t size) {
    appendBytes(bytes, size);
}

void NSMutableDataWithEndian::appendBigEndian(uint64_t value, size_t width) {
    for (size_t i = width; i > 0; --i) {
        m_bytes.push_back(static_cast<uint8_t>(value >> (8 * (i - 1))));
    }
}

void NSMutableDataWithEndian::appendInt8(int8_t value) {
    appendBigEndian(uint8_t(value), 1);
}
void NSMutableDataWithEndian::appendUInt8(uint8_t value) {
    appendBigEndian(value, 1);
}
void NSMutableDataWithEndian::appendInt16(int16_t value) {
    appendBigEndian(uint16_t(value), 2);
}
void NSMutableDataWithEndian::appendUInt16(uint16_t value) {
    appendBigEndian(value, 2);
}
void NSMutableDataWithEndian::appendInt32(int32_t value) {
    appendBigEndian(uint32_t(value), 4);
}
void NSMutableDataWithEndian::appendUInt32(uint32_t value) {
    appendBigEndian(value, 4);
}
void NSMutableDataWithEndian::appendInt64(int64_t value) {
    appendBigEndian(uint64_t(value), 8);
}
void NSMutableDataWithEndian::appendUInt64(uint64_t value) {
    appendBigEndian(value, 8);
}

void NSMutableDataWithEndian::appendDouble(double value) {
    appendBigEndian(std::bit_cast<uint64_t>(value), 8);
}

void NSMutableDataWithEndian::appendBytes(const void* bytes, size_t size) {
    if (size == 0) {
        return;
    }
    const auto* begin = static_cast<const uint8_t*>(bytes);
    m_bytes.insert(m_bytes.end(), begin, begin + size);
}

void NSMutableDataWithEndian::appendBytes(const Bytes& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void NSMutableDataWithEndian::appendFixedString(std::string_view text, size_t width) {
    const size_t used = utf8PrefixLength(text, width);
    appendBytes(text.data(), used);
    m_bytes.insert(m_bytes.end(), width - used, 0);
}

bool NSMutableDataWithEndian::canRead(size_t size) {
    if (size > remaining()) {
        m_failed = true;
        return false;
    }
    return true;
}

std::optional<uint64_t> NSMutableDataWithEndian::readBigEndian(size_t width) {
    if (!canRead(width)) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        value = (value << 8) | m_bytes[m_position + i];
    }
    m_position += width;
    return value;
}

namespace {

template <typename T>
std::optional<T> narrowed(std::optional<uint64_t> raw) {
    if (!raw) {
        return std::nullopt;
    }
    using Unsigned = std::make_unsigned_t<T>;
    return static_cast<T>(static_cast<Unsigned>(*raw));
}

}  // namespace

std::optional<int8_t> NSMutableDataWithEndian::readInt8() {
    return narrowed<int8_t>(readBigEndian(1));
}
std::optional<uint8_t> NSMutableDataWithEndian::readUInt8() {
    return narrowed<uint8_t>(readBigEndian(1));
}
std::optional<int16_t> NSMutableDataWithEndian::readInt16() {
    return narrowed<int16_t>(readBigEndian(2));
}
std::optional<uint16_t> NSMutableDataWithEndian::readUInt16() {
    return narrowed<uint16_t>(readBigEndian(2));
}
std::optional<int32_t> NSMutableDataWithEndian::readInt32() {
    return narrowed<int32_t>(readBigEndian(4));
}
std::optional<uint32_t> NSMutableDataWithEndian::readUInt32() {
    return narrowed<uint32_t>(readBigEndian(4));
}
std::optional<int64_t> NSMutableDataWithEndian::readInt64() {
    return narrowed<int64_t>(readBigEndian(8));
}
std::optional<uint64_t> NSMutableDataWithEndian::readUInt64() {
    return readBigEndian(8);
}

std::optional<double> NSMutableDataWithEndian::readDouble() {
    const auto raw = readBigEndian(8);
    if (!raw) {
        return std::nullopt;
    }
    return std::bit_cast<double>(*raw);
}

std::optional<Bytes> NSMutableDataWithEndian::readBytes(size_t size) {
    if (!canRead(size)) {
        return std::nullopt;
    }
    const auto begin = m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position);
    Bytes out(begin, begin + static_cast<std::ptrdiff_t>(size));
    m_position += size;
    return out;
}

std::optional<std::string> NSMutableDataWithEndian::readFixedString(size_t width) {
    if (!canRead(width)) {
        return std::nullopt;
    }
    const auto begin = m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position);
    const auto end = begin + static_cast<std::ptrdiff_t>(width);
    std::string text(begin, std::find(begin, end, uint8_t{0}));
    m_position += width;
    return text;
}
