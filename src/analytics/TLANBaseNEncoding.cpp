#include "analytics/TLANBaseNEncoding.h"

#include <numeric>

namespace {

std::optional<TLANBaseNEncoding> padded(std::string_view alphabet) {
    auto encoding = TLANBaseNEncoding::stringEncodingWithString(alphabet);
    if (encoding) {
        encoding->setPaddingChar('=');
        encoding->setDoPad(true);
    }
    return encoding;
}

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 128) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::binaryStringEncoding() {
    return stringEncodingWithString("01");
}

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::hexStringEncoding() {
    auto encoding = stringEncodingWithString("0123456789ABCDEF");
    if (encoding) {
        encoding->addDecodeSynonyms("AaBbCcDdEeFf");
    }
    return encoding;
}

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::rfc4648Base32StringEncoding() {
    return padded("ABCDEFGHIJKLMNOPQRSTUVWXYZ234567");
}

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::rfc4648Base32HexStringEncoding() {
    return padded("0123456789ABCDEFGHIJKLMNOPQRSTUV");
}

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::crockfordBase32StringEncoding() {
    auto encoding = stringEncodingWithString("0123456789ABCDEFGHJKMNPQRSTVWXYZ");
    if (encoding) {
        encoding->addDecodeSynonyms("0oO1iIlLAaBbCcDdEeFfGgHhJjKkMmNnPpQqRrSsTtVvWwXxYyZz");
    }
    return encoding;
}

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::rfc4648Base64StringEncoding() {
    return padded("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
}

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::rfc4648Base64WebsafeStringEncoding() {
    return padded("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_");
}

std::optional<TLANBaseNEncoding> TLANBaseNEncoding::stringEncodingWithString(
    std::string_view alphabet) {
    size_t size = alphabet.size();
    if (!isAscii(alphabet) || size < 2 || size > 128 || (size & (size - 1)) != 0) {
        return std::nullopt;
    }
    TLANBaseNEncoding encoding;
    encoding.m_alphabet = std::string(alphabet);
    while ((1u << encoding.m_shift) < size) {
        ++encoding.m_shift;
    }
    encoding.m_mask = (1u << encoding.m_shift) - 1;
    encoding.m_reverse.fill(kInvalid);
    for (size_t i = 0; i < size; ++i) {
        auto c = static_cast<unsigned char>(alphabet[i]);
        if (encoding.m_reverse[c] != kInvalid) {
            return std::nullopt;
        }
        encoding.m_reverse[c] = static_cast<int8_t>(i);
    }
    encoding.m_padLen = static_cast<size_t>(std::lcm(8, encoding.m_shift) / encoding.m_shift);
    return encoding;
}

void TLANBaseNEncoding::addDecodeSynonyms(std::string_view synonyms) {
    int8_t current = kInvalid;
    for (char c : synonyms) {
        auto index = static_cast<unsigned char>(c);
        if (index >= 128) {
            continue;
        }
        if (m_reverse[index] >= 0) {
            current = m_reverse[index];
        } else if (current >= 0) {
            m_reverse[index] = current;
        }
    }
}

void TLANBaseNEncoding::ignoreCharacters(std::string_view characters) {
    for (char c : characters) {
        auto index = static_cast<unsigned char>(c);
        if (index < 128) {
            m_reverse[index] = kIgnored;
        }
    }
}

void TLANBaseNEncoding::setPaddingChar(char padding) {
    auto index = static_cast<unsigned char>(padding);
    if (index >= 128) {
        return;
    }
    m_paddingChar = padding;
    m_reverse[index] = kPadding;
}

std::string TLANBaseNEncoding::encode(const Bytes& data) const {
    if (data.empty()) {
        return "";
    }
    size_t length = (8 * data.size() + static_cast<size_t>(m_shift) - 1) / m_shift;
    if (m_doPad) {
        length = (length + m_padLen - 1) / m_padLen * m_padLen;
    }
    std::string text;
    text.reserve(length);
    unsigned buffer = 0;
    int bits = 0;
    for (uint8_t byte : data) {
        buffer = (buffer << 8) | byte;
        bits += 8;
        while (bits >= m_shift) {
            bits -= m_shift;
            text += m_alphabet[(buffer >> bits) & m_mask];
        }
        buffer &= (1u << bits) - 1;
    }
    if (bits > 0) {
        text += m_alphabet[(buffer << (m_shift - bits)) & m_mask];
    }
    while (m_doPad && text.size() < length) {
        text += m_paddingChar;
    }
    return text;
}

std::string TLANBaseNEncoding::encodeString(std::string_view text) const {
    return encode(Bytes(text.begin(), text.end()));
}

std::optional<Bytes> TLANBaseNEncoding::decode(std::string_view text) const {
    if (!isAscii(text)) {
        return std::nullopt;
    }
    Bytes data;
    data.reserve(static_cast<size_t>(m_shift) * text.size() / 8);
    unsigned buffer = 0;
    int bits = 0;
    bool padding = false;
    for (char c : text) {
        int8_t value = m_reverse[static_cast<unsigned char>(c)];
        if (value == kIgnored) {
            continue;
        }
        if (value == kInvalid) {
            return std::nullopt;
        }
        if (value == kPadding) {
            padding = true;
            continue;
        }
        if (padding) {
            return std::nullopt;
        }
        buffer = (buffer << m_shift) | static_cast<unsigned>(value);
        bits += m_shift;
        if (bits >= 8) {
            bits -= 8;
            data.push_back(static_cast<uint8_t>(buffer >> bits));
            buffer &= (1u << bits) - 1;
        }
    }
    if (buffer != 0) {
        return std::nullopt;
    }
    return data;
}

std::optional<std::string> TLANBaseNEncoding::stringByDecoding(std::string_view text) const {
    std::optional<Bytes> data = decode(text);
    if (!data) {
        return std::nullopt;
    }
    return std::string(data->begin(), data->end());
}

std::string TLANBaseNEncoding::description() const {
    return "<Base" + std::to_string(m_alphabet.size()) + " StringEncoder: " + m_alphabet + ">";
}
