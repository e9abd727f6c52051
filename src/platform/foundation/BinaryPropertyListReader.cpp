#include "platform/foundation/BinaryPropertyListReader.h"

#include <bit>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kTrailerSize = 32;
// Property-list dates count from 2001-01-01 UTC.
constexpr double kPlistEpochSince1970 = 978307200.0;

enum Marker : std::uint8_t {
    kSimple = 0x0,
    kInteger = 0x1,
    kReal = 0x2,
    kDate = 0x3,
    kData = 0x4,
    kAscii = 0x5,
    kUtf16 = 0x6,
    kUid = 0x8,
    kArray = 0xA,
    kSet = 0xC,
    kDictionary = 0xD,
};

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Big-endian UTF-16 to UTF-8; an unpaired surrogate makes the text unreadable.
std::optional<std::string> utf8FromUtf16(const std::uint8_t* units, std::size_t count) {
    std::string out;
    out.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t unit = (std::uint32_t(units[2 * i]) << 8) | units[2 * i + 1];
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return std::nullopt;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= count) {
                return std::nullopt;
            }
            std::uint32_t low = (std::uint32_t(units[2 * i + 2]) << 8) | units[2 * i + 3];
            if (low < 0xDC00 || low > 0xDFFF) {
                return std::nullopt;
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        }
        appendUtf8(out, unit);
    }
    return out;
}

}  // namespace

bool BinaryPropertyListReader::isBinary(const Bytes& bytes) {
    return bytes.size() >= kHeaderSize && std::memcmp(bytes.data(), "bplist00", kHeaderSize) == 0;
}

std::optional<PropertyList> BinaryPropertyListReader::read(const Bytes& bytes) {
    if (!isBinary(bytes) || bytes.size() < kHeaderSize + kTrailerSize) {
        return std::nullopt;
    }
    BinaryPropertyListReader reader(bytes);
    if (!reader.readTrailer()) {
        return std::nullopt;
    }
    return reader.object(reader.m_topObject, 0);
}

bool BinaryPropertyListReader::readTrailer() {
    const std::size_t trailer = m_bytes.size() - kTrailerSize;
    m_offsetSize = m_bytes[trailer + 6];
    m_referenceSize = m_bytes[trailer + 7];
    if (m_offsetSize < 1 || m_offsetSize > 8 || m_referenceSize < 1 || m_referenceSize > 8) {
        return false;
    }
    m_objectCount = *bigEndian(trailer + 8, 8);
    m_topObject = *bigEndian(trailer + 16, 8);
    const std::uint64_t table = *bigEndian(trailer + 24, 8);
    // Every object takes at least one byte before the table, so the counts are bounded by it.
    if (m_objectCount == 0 || m_topObject >= m_objectCount || table < kHeaderSize ||
        table > trailer || m_objectCount > (trailer - table) / m_offsetSize ||
        m_objectCount > table - kHeaderSize) {
        return false;
    }
    m_tableOffset = static_cast<std::size_t>(table);
    m_cache.resize(static_cast<std::size_t>(m_objectCount));
    m_reading.assign(static_cast<std::size_t>(m_objectCount), false);
    return true;
}

std::optional<std::uint64_t> BinaryPropertyListReader::bigEndian(std::size_t at,
                                                                 std::size_t width) const {
    if (at > m_bytes.size() || m_bytes.size() - at < width) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | m_bytes[at + i];
    }
    return value;
}

std::optional<std::size_t> BinaryPropertyListReader::objectOffset(std::uint64_t index) const {
    if (index >= m_objectCount) {
        return std::nullopt;
    }
    std::optional<std::uint64_t> offset =
        bigEndian(m_tableOffset + static_cast<std::size_t>(index) * m_offsetSize, m_offsetSize);
    if (!offset || *offset < kHeaderSize || *offset >= m_tableOffset) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(*offset);
}

std::optional<std::uint64_t> BinaryPropertyListReader::reference(std::size_t at) const {
    return bigEndian(at, m_referenceSize);
}

bool BinaryPropertyListReader::count(std::size_t& at, std::uint8_t info,
                                     std::uint64_t& result) const {
    if (info != 0xF) {
        result = info;
        return true;
    }
    if (at >= m_tableOffset || (m_bytes[at] >> 4) != kInteger || (m_bytes[at] & 0xF) > 3) {
        return false;
    }
    const std::size_t width = std::size_t(1) << (m_bytes[at] & 0xF);
    std::optional<std::uint64_t> value = bigEndian(at + 1, width);
    if (!value) {
        return false;
    }
    at += 1 + width;
    result = *value;
    return true;
}

std::size_t BinaryPropertyListReader::nodeBudget(std::size_t bytes) {
    return bytes > (kMaxNodes - kMinNodes) / kNodesPerByte ? kMaxNodes
                                                           : kMinNodes + bytes * kNodesPerByte;
}

bool BinaryPropertyListReader::charge(std::size_t nodes, std::size_t payload) {
    if (nodes > m_maxNodes - m_nodes || payload > kMaxPayloadBytes - m_payload) {
        return false;
    }
    m_nodes += nodes;
    m_payload += payload;
    return true;
}

std::optional<PropertyList> BinaryPropertyListReader::object(std::uint64_t index, int depth) {
    if (depth > kMaxDepth || index >= m_objectCount) {
        return std::nullopt;
    }
    const auto slot = static_cast<std::size_t>(index);
    if (const std::optional<Cached>& cached = m_cache[slot]) {
        if (!charge(cached->nodes, cached->payload)) {
            return std::nullopt;
        }
        return cached->value;
    }
    std::optional<std::size_t> offset = objectOffset(index);
    // A container that holds itself, directly or further down, has no tree form.
    if (!offset || m_reading[slot]) {
        return std::nullopt;
    }
    const std::size_t nodesBefore = m_nodes;
    const std::size_t payloadBefore = m_payload;
    m_reading[slot] = true;
    std::optional<PropertyList> value = decode(*offset, depth);
    m_reading[slot] = false;
    if (value) {
        m_cache[slot] = Cached{*value, m_nodes - nodesBefore, m_payload - payloadBefore};
    }
    return value;
}

std::optional<PropertyList> BinaryPropertyListReader::decode(std::size_t at, int depth) {
    const std::uint8_t marker = m_bytes[at];
    const std::uint8_t info = marker & 0xF;
    switch (marker >> 4) {
        case kData:
            return data(at, marker);
        case kAscii:
        case kUtf16:
            return text(at, marker);
        case kArray:
        case kSet:
            return array(at, info, depth);
        case kDictionary:
            return dictionary(at, info, depth);
        default:
            if (!charge(1, 0)) {
                return std::nullopt;
            }
            return scalar(at, marker);
    }
}

std::optional<PropertyList> BinaryPropertyListReader::scalar(std::size_t at,
                                                             std::uint8_t marker) const {
    const std::uint8_t info = marker & 0xF;
    switch (marker >> 4) {
        case kSimple:
            if (info == 0x8 || info == 0x9) {
                return PropertyList(info == 0x9);
            }
            return std::nullopt;
        case kInteger: {
            if (info > 4) {
                return std::nullopt;
            }
            const std::size_t width = std::size_t(1) << info;
            // A 16-byte integer keeps its low 64 bits, as 8-byte ones are read.
            std::optional<std::uint64_t> value =
                bigEndian(at + 1 + (width > 8 ? 8 : 0), width > 8 ? 8 : width);
            if (!value || at + 1 + width > m_tableOffset) {
                return std::nullopt;
            }
            return PropertyList(static_cast<std::int64_t>(*value));
        }
        case kReal:
        case kDate: {
            const bool isDate = (marker >> 4) == kDate;
            if ((isDate && info != 3) || (!isDate && info != 2 && info != 3)) {
                return std::nullopt;
            }
            const std::size_t width = std::size_t(1) << info;
            std::optional<std::uint64_t> bits = bigEndian(at + 1, width);
            if (!bits || at + 1 + width > m_tableOffset) {
                return std::nullopt;
            }
            const double value =
                width == 4 ? double(std::bit_cast<float>(static_cast<std::uint32_t>(*bits)))
                           : std::bit_cast<double>(*bits);
            return isDate ? PropertyList::date(kPlistEpochSince1970 + value) : PropertyList(value);
        }
        case kUid: {
            std::optional<std::uint64_t> value = bigEndian(at + 1, std::size_t(info) + 1);
            if (!value || at + 2 + info > m_tableOffset) {
                return std::nullopt;
            }
            return PropertyList::uid(*value);
        }
        default:
            return std::nullopt;
    }
}

std::optional<PropertyList> BinaryPropertyListReader::text(std::size_t at, std::uint8_t marker) {
    std::size_t start = at + 1;
    std::uint64_t length = 0;
    if (!count(start, marker & 0xF, length)) {
        return std::nullopt;
    }
    const bool wide = (marker >> 4) == kUtf16;
    const std::size_t available = m_tableOffset > start ? m_tableOffset - start : 0;
    if (length > (wide ? available / 2 : available) || !charge(1, wide ? length * 2 : length)) {
        return std::nullopt;
    }
    const std::uint8_t* first = m_bytes.data() + start;
    if (!wide) {
        return PropertyList(std::string(reinterpret_cast<const char*>(first), length));
    }
    std::optional<std::string> converted = utf8FromUtf16(first, static_cast<std::size_t>(length));
    return converted ? std::optional<PropertyList>(PropertyList(std::move(*converted)))
                     : std::nullopt;
}

std::optional<PropertyList> BinaryPropertyListReader::data(std::size_t at, std::uint8_t marker) {
    std::size_t start = at + 1;
    std::uint64_t length = 0;
    if (!count(start, marker & 0xF, length)) {
        return std::nullopt;
    }
    const std::size_t available = m_tableOffset > start ? m_tableOffset - start : 0;
    if (length > available || !charge(1, length)) {
        return std::nullopt;
    }
    const auto first = m_bytes.begin() + static_cast<std::ptrdiff_t>(start);
    return PropertyList(Bytes(first, first + static_cast<std::ptrdiff_t>(length)));
}

std::optional<PropertyList> BinaryPropertyListReader::array(std::size_t at, std::uint8_t info,
                                                            int depth) {
    std::size_t start = at + 1;
    std::uint64_t length = 0;
    const std::size_t available = m_tableOffset > start ? m_tableOffset - start : 0;
    if (!count(start, info, length) || length > available / m_referenceSize || !charge(1, 0)) {
        return std::nullopt;
    }
    PropertyList::Array items;
    items.reserve(static_cast<std::size_t>(length));
    for (std::uint64_t i = 0; i < length; ++i) {
        std::optional<std::uint64_t> index =
            reference(start + static_cast<std::size_t>(i) * m_referenceSize);
        std::optional<PropertyList> item = index ? object(*index, depth + 1) : std::nullopt;
        if (!item) {
            return std::nullopt;
        }
        items.push_back(std::move(*item));
    }
    return PropertyList(std::move(items));
}

std::optional<PropertyList> BinaryPropertyListReader::dictionary(std::size_t at, std::uint8_t info,
                                                                 int depth) {
    std::size_t start = at + 1;
    std::uint64_t length = 0;
    const std::size_t available = m_tableOffset > start ? m_tableOffset - start : 0;
    if (!count(start, info, length) || length > available / m_referenceSize / 2 || !charge(1, 0)) {
        return std::nullopt;
    }
    PropertyList::Dictionary entries;
    entries.reserve(static_cast<std::size_t>(length));
    const std::size_t valuesAt = start + static_cast<std::size_t>(length) * m_referenceSize;
    for (std::uint64_t i = 0; i < length; ++i) {
        const std::size_t step = static_cast<std::size_t>(i) * m_referenceSize;
        std::optional<std::uint64_t> keyIndex = reference(start + step);
        std::optional<std::uint64_t> valueIndex = reference(valuesAt + step);
        std::optional<PropertyList> key = keyIndex ? object(*keyIndex, depth + 1) : std::nullopt;
        std::optional<PropertyList> value =
            key && valueIndex ? object(*valueIndex, depth + 1) : std::nullopt;
        std::optional<std::string> name = key ? key->asString() : std::nullopt;
        // A key must be text; one with U+0000 in it has no C-string form for the writers.
        if (!value || !name || name->find('\0') != std::string::npos) {
            return std::nullopt;
        }
        entries.emplace_back(std::move(*name), std::move(*value));
    }
    // The XML form of a keyed-archive reference, should a binary file carry it.
    if (entries.size() == 1 && entries[0].first == "CF$UID" && entries[0].second.asInteger()) {
        return PropertyList::uid(static_cast<std::uint64_t>(*entries[0].second.asInteger()));
    }
    return PropertyList::fromEntries(std::move(entries));
}
