#include "analytics/TLANTxJsonParser.h"

#include <cstdio>

#include "analytics/TLANAscii.h"

namespace {

std::string hexByte(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%x", c);
    return text;
}

void appendUtf8(std::string& text, uint32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at the front of the text, 0 when malformed.
size_t utf8SequenceLength(std::string_view text) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    auto continuation = [&](size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continuation(1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2)) {
            return 0;
        }
        if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F)) {
            return 0;
        }
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3)) {
            return 0;
        }
        if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F)) {
            return 0;
        }
        return 4;
    }
    return 0;
}

}  // namespace

std::optional<TLANJsonValue> TLANTxJsonParser::objectWithString(
    const std::optional<std::string>& text) {
    std::optional<TLANJsonValue> value = fragmentWithString(text);
    if (value && !value->isContainer()) {
        addErrorWithCode(TLANJsonError::NotContainer, "Valid fragment, but not JSON");
        return std::nullopt;
    }
    return value;
}

std::optional<TLANJsonValue> TLANTxJsonParser::fragmentWithString(
    const std::optional<std::string>& text) {
    clearErrorTrace();
    if (!text) {
        addErrorWithCode(TLANJsonError::NilInput, "Input was 'nil'");
        return std::nullopt;
    }
    m_text = std::string_view(*text);
    m_text = m_text.substr(0, m_text.find('\0'));
    m_c = 0;
    m_depth = 0;
    TLANJsonValue value;
    if (!scanValue(value)) {
        return std::nullopt;
    }
    skipWhitespace();
    if (!scanIsAtEnd()) {
        addErrorWithCode(TLANJsonError::Garbage, "Garbage after JSON");
        return std::nullopt;
    }
    return value;
}

void TLANTxJsonParser::skipWhitespace() {
    while (m_c < m_text.size() && TLANAscii::isSpace(m_text[m_c])) {
        ++m_c;
    }
}

bool TLANTxJsonParser::scanIsAtEnd() {
    return m_c >= m_text.size();
}

bool TLANTxJsonParser::scanValue(TLANJsonValue& value) {
    skipWhitespace();
    if (scanIsAtEnd()) {
        addErrorWithCode(TLANJsonError::EndOfInput, "Unexpected end of string");
        return false;
    }
    char c = m_text[m_c++];
    switch (c) {
        case '"': {
            std::string text;
            if (!scanRestOfString(text)) {
                return false;
            }
            value = TLANJsonValue(std::move(text));
            return true;
        }
        case '{':
            return scanRestOfDictionary(value);
        case '[':
            return scanRestOfArray(value);
        case 't':
            return scanRestOfTrue(value);
        case 'f':
            return scanRestOfFalse(value);
        case 'n':
            return scanRestOfNull(value);
        case '+':
            addErrorWithCode(TLANJsonError::Number, "Leading + disallowed in number");
            return false;
        default:
            break;
    }
    if (c == '-' || TLANAscii::isDigit(c)) {
        --m_c;
        return scanNumber(value);
    }
    addErrorWithCode(TLANJsonError::Syntax, "Unrecognised leading character");
    return false;
}

bool TLANTxJsonParser::scanWord(std::string_view rest, std::string_view error) {
    if (m_text.substr(m_c, rest.size()) != rest) {
        addErrorWithCode(TLANJsonError::Syntax, std::string(error));
        return false;
    }
    m_c += rest.size();
    return true;
}

bool TLANTxJsonParser::scanRestOfTrue(TLANJsonValue& value) {
    if (!scanWord("rue", "Expected 'true'")) {
        return false;
    }
    value = TLANJsonValue(true);
    return true;
}

bool TLANTxJsonParser::scanRestOfFalse(TLANJsonValue& value) {
    if (!scanWord("alse", "Expected 'false'")) {
        return false;
    }
    value = TLANJsonValue(false);
    return true;
}

bool TLANTxJsonParser::scanRestOfNull(TLANJsonValue& value) {
    if (!scanWord("ull", "Expected 'null'")) {
        return false;
    }
    value = TLANJsonValue();
    return true;
}

bool TLANTxJsonParser::scanRestOfArray(TLANJsonValue& value) {
    if (!enterContainer()) {
        return false;
    }
    TLANJsonValue::Array items;
    items.reserve(8);
    skipWhitespace();
    if (peek() == ']') {
        ++m_c;
        leaveContainer();
        value = TLANJsonValue(std::move(items));
        return true;
    }
    for (;;) {
        TLANJsonValue item;
        if (!scanValue(item)) {
            addErrorWithCode(TLANJsonError::Syntax, "Expected value while parsing array");
            return false;
        }
        items.push_back(std::move(item));
        skipWhitespace();
        if (scanIsAtEnd()) {
            break;
        }
        char c = m_text[m_c++];
        if (c == ']') {
            leaveContainer();
            value = TLANJsonValue(std::move(items));
            return true;
        }
        if (c != ',') {
            addErrorWithCode(TLANJsonError::Syntax, "Expected ',' or ']' while parsing array");
            return false;
        }
        skipWhitespace();
        if (peek() == ']') {
            addErrorWithCode(TLANJsonError::TrailingComma, "Trailing comma disallowed in array");
            return false;
        }
        if (scanIsAtEnd()) {
            break;
        }
    }
    addErrorWithCode(TLANJsonError::EndOfInput, "End of input while parsing array");
    return false;
}

bool TLANTxJsonParser::scanRestOfDictionary(TLANJsonValue& value) {
    if (!enterContainer()) {
        return false;
    }
    TLANJsonValue dictionary = TLANJsonValue::dictionary();
    skipWhitespace();
    if (peek() == '}') {
        ++m_c;
        leaveContainer();
        value = std::move(dictionary);
        return true;
    }
    for (;;) {
        if (scanIsAtEnd()) {
            break;
        }
        if (m_text[m_c] != '"') {
            addErrorWithCode(TLANJsonError::Syntax, "Object key string expected");
            return false;
        }
        ++m_c;
        std::string key;
        if (!scanRestOfString(key)) {
            addErrorWithCode(TLANJsonError::Syntax, "Object key string expected");
            return false;
        }
        skipWhitespace();
        if (peek() != ':') {
            addErrorWithCode(TLANJsonError::Syntax, "Expected ':' separating key and value");
            return false;
        }
        ++m_c;
        TLANJsonValue item;
        if (!scanValue(item)) {
            addErrorWithCode(TLANJsonError::Syntax, "Object value expected for key: " + key);
            return false;
        }
        dictionary.set(key, std::move(item));
        skipWhitespace();
        if (scanIsAtEnd()) {
            break;
        }
        char c = m_text[m_c++];
        if (c == '}') {
            leaveContainer();
            value = std::move(dictionary);
            return true;
        }
        if (c != ',') {
            addErrorWithCode(TLANJsonError::Syntax, "Expected ',' or '}' while parsing object");
            return false;
        }
        skipWhitespace();
        if (peek() == '}') {
            addErrorWithCode(TLANJsonError::TrailingComma, "Trailing comma disallowed in object");
            return false;
        }
    }
    addErrorWithCode(TLANJsonError::EndOfInput, "End of input while parsing object");
    return false;
}

bool TLANTxJsonParser::scanRestOfString(std::string& value) {
    for (;;) {
        if (scanIsAtEnd()) {
            addErrorWithCode(TLANJsonError::EndOfInput, "Unexpected EOF while parsing string");
            return false;
        }
        auto c = static_cast<unsigned char>(m_text[m_c]);
        if (c == '"') {
            ++m_c;
            return true;
        }
        if (c == '\\') {
            ++m_c;
            if (!scanStringEscape(value)) {
                return false;
            }
            continue;
        }
        if (c < 0x20) {
            addErrorWithCode(TLANJsonError::ControlCharacter,
                             "Unescaped control character '" + hexByte(c) + "'");
            return false;
        }
        size_t length = utf8SequenceLength(m_text.substr(m_c));
        if (length == 0) {
            addErrorWithCode(TLANJsonError::Syntax, "Invalid UTF-8 in string");
            return false;
        }
        value.append(m_text.substr(m_c, length));
        m_c += length;
    }
}

bool TLANTxJsonParser::scanStringEscape(std::string& value) {
    if (scanIsAtEnd()) {
        addErrorWithCode(TLANJsonError::EndOfInput, "Unexpected EOF while parsing string");
        return false;
    }
    auto c = static_cast<unsigned char>(m_text[m_c++]);
    switch (c) {
        case '"':
        case '\\':
        case '/':
            value += static_cast<char>(c);
            return true;
        case 'b':
            value += '\b';
            return true;
        case 'f':
            value += '\f';
            return true;
        case 'n':
            value += '\n';
            return true;
        case 'r':
            value += '\r';
            return true;
        case 't':
            value += '\t';
            return true;
        case 'u':
            if (!scanUnicodeChar(value)) {
                addErrorWithCode(TLANJsonError::Unicode, "Broken unicode character");
                return false;
            }
            return true;
        default:
            addErrorWithCode(TLANJsonError::Escape, "Illegal escape sequence '" + hexByte(c) + "'");
            return false;
    }
}

bool TLANTxJsonParser::scanUnicodeChar(std::string& value) {
    uint32_t high = 0;
    if (!scanHexQuad(high)) {
        addErrorWithCode(TLANJsonError::Unicode, "Missing hex quad");
        return false;
    }
    if (high >= 0xDC00 && high <= 0xDFFF) {
        addErrorWithCode(TLANJsonError::Unicode, "Invalid high character in surrogate pair");
        return false;
    }
    if (high < 0xD800 || high > 0xDBFF) {
        appendUtf8(value, high);
        return true;
    }
    uint32_t low = 0;
    if (m_text.substr(m_c, 2) != "\\u" || (m_c += 2, !scanHexQuad(low))) {
        addErrorWithCode(TLANJsonError::Unicode, "Missing low character in surrogate pair");
        return false;
    }
    if (low < 0xDC00 || low > 0xDFFF) {
        addErrorWithCode(TLANJsonError::Unicode, "Invalid low surrogate char");
        return false;
    }
    appendUtf8(value, 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
    return true;
}

bool TLANTxJsonParser::scanHexQuad(uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        char c = peek();
        int digit = TLANAscii::isDigit(c)    ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
        if (digit < 0) {
            addErrorWithCode(TLANJsonError::Unicode, "Missing hex digit in quad");
            return false;
        }
        ++m_c;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return true;
}

bool TLANTxJsonParser::scanNumber(TLANJsonValue& value) {
    size_t start = m_c;
    if (peek() == '-') {
        ++m_c;
        if (!TLANAscii::isDigit(peek())) {
            addErrorWithCode(TLANJsonError::Number, "No digits after initial minus");
            return false;
        }
    }
    if (peek() == '0') {
        ++m_c;
        if (TLANAscii::isDigit(peek())) {
            addErrorWithCode(TLANJsonError::Number, "Leading 0 disallowed in number");
            return false;
        }
    } else {
        while (TLANAscii::isDigit(peek())) {
            ++m_c;
        }
    }
    if (peek() == '.') {
        ++m_c;
        if (!TLANAscii::isDigit(peek())) {
            addErrorWithCode(TLANJsonError::Number, "No digits after decimal point");
            return false;
        }
        while (TLANAscii::isDigit(peek())) {
            ++m_c;
        }
    }
    if (peek() == 'e' || peek() == 'E') {
        ++m_c;
        if (peek() == '-' || peek() == '+') {
            ++m_c;
        }
        if (!TLANAscii::isDigit(peek())) {
            addErrorWithCode(TLANJsonError::Number, "No digits after exponent");
            return false;
        }
        while (TLANAscii::isDigit(peek())) {
            ++m_c;
        }
    }
    std::optional<TLANDecimal> number =
        TLANDecimal::fromJsonText(m_text.substr(start, m_c - start));
    if (!number) {
        addErrorWithCode(TLANJsonError::Number, "Failed creating decimal instance");
        return false;
    }
    value = TLANJsonValue(std::move(*number));
    return true;
}
