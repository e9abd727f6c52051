#include "analytics/TLANUtils.h"

#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "analytics/TLANAscii.h"
#include "analytics/TLANBaseNEncoding.h"
#include "analytics/TLANProtocolData.h"
#include "analytics/TLANTxJsonParser.h"
#include "analytics/TLANTxJsonWriter.h"
#include "platform/crypto/Md5.h"
#include "platform/foundation/Bundle.h"

namespace {

struct UtilsState {
    std::mutex lock;
    bool openLog = false;
    std::optional<std::string> prefix;
};

UtilsState& state() {
    static UtilsState* shared = new UtilsState();  // lives for the whole process
    return *shared;
}

bool isUnreserved(char c) {
    return TLANAscii::isAlphanumeric(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        static const uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < kMinimum[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// Byte length of the UTF-8 character starting at the lead byte (1 for a stray byte).
size_t utf8CharLength(unsigned char lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    if (lead >= 0xC0) {
        return 2;
    }
    return 1;
}

size_t encodedLength(std::string_view character, TLANUtils::TextEncoding encoding) {
    if (encoding == TLANUtils::TextEncoding::Utf8) {
        return character.size();
    }
    return character.size() == 4 ? 4 : 2;
}

size_t skipBlanks(std::string_view text, size_t i) {
    while (i < text.size() && TLANAscii::isSpace(text[i])) {
        ++i;
    }
    return i;
}

size_t skipDigits(std::string_view text, size_t i) {
    while (i < text.size() && TLANAscii::isDigit(text[i])) {
        ++i;
    }
    return i;
}

size_t skipSign(std::string_view text, size_t i) {
    return i < text.size() && (text[i] == '-' || text[i] == '+') ? i + 1 : i;
}

}  // namespace

void TLANUtils::setOpenLog(bool openLog) {
    std::lock_guard<std::mutex> guard(state().lock);
    state().openLog = openLog;
}

bool TLANUtils::openLog() {
    std::lock_guard<std::mutex> guard(state().lock);
    return state().openLog;
}

void TLANUtils::setPrefix(const std::optional<std::string>& prefix) {
    std::lock_guard<std::mutex> guard(state().lock);
    state().prefix = prefix;
}

void TLANUtils::writeOutLog(const std::optional<std::string>& message) {
    std::string line =
        Text::format("[%s(%5d)] - ", TLANProtocolData::timeMSString(), static_cast<int>(gettid()));
    if (!message) {
        line += "nil\n";
    } else {
        std::optional<std::string> prefix;
        {
            std::lock_guard<std::mutex> guard(state().lock);
            prefix = state().prefix;
        }
        std::string text = prefix && !prefix->empty() ? *prefix + " " + *message : *message;
        line += Text::replacingAll(text, "%%", "%%%%") + " \n";
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

void TLANUtils::systemLog(std::string_view line) {
    std::string text = std::string(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

std::string TLANUtils::md5Value(std::string_view text) {
    return Md5::upperHex(text.substr(0, text.find('\0')));
}

std::string TLANUtils::urlEncode(std::string_view text) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(c)) {
            encoded += c;
            continue;
        }
        encoded += '%';
        encoded += kDigits[byte >> 4];
        encoded += kDigits[byte & 0x0F];
    }
    return encoded;
}

std::optional<std::string> TLANUtils::urlDecode(std::string_view text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        int high = hexValue(text[i + 1]);
        int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (!isValidUtf8(decoded)) {
        return std::nullopt;
    }
    return decoded;
}

std::string TLANUtils::queryStringWithDictionary(const TextDictionary& dictionary) {
    std::vector<std::string> pieces;
    for (const auto& [key, value] : dictionary) {
        pieces.push_back(key + "=" + urlEncode(value));
    }
    return Text::join(pieces, "&");
}

TLANUtils::TextDictionary TLANUtils::dictionaryWithQueryString(std::string_view query) {
    TextDictionary dictionary;
    for (const std::string& piece : Text::split(query, "&")) {
        std::vector<std::string> parts = Text::split(piece, "=");
        if (parts.size() != 2) {
            continue;
        }
        std::optional<std::string> key = urlDecode(parts[0]);
        std::optional<std::string> value = urlDecode(parts[1]);
        if (!key || !value) {
            continue;
        }
        auto existing = std::find_if(dictionary.begin(), dictionary.end(),
                                     [&](const auto& entry) { return entry.first == *key; });
        if (existing != dictionary.end()) {
            existing->second = *value;
        } else {
            dictionary.emplace_back(*key, *value);
        }
    }
    return dictionary;
}

std::string TLANUtils::base64Encode(std::string_view text) {
    return base64EncodeData(Bytes(text.begin(), text.end()));
}

std::string TLANUtils::base64EncodeData(const Bytes& data) {
    return TLANBaseNEncoding::rfc4648Base64StringEncoding()->encode(data);
}

std::optional<std::string> TLANUtils::JSONFragment(const TLANJsonValue& value) {
    TLANTxJsonWriter writer;
    std::optional<std::string> json = writer.stringWithFragment(value);
    if (!json) {
        systemLog("-JSONFragment failed. Error trace is: " + writer.errorTraceText());
    }
    return json;
}

std::optional<TLANJsonValue> TLANUtils::JSONValue(const std::optional<std::string>& text) {
    TLANTxJsonParser parser;
    std::optional<TLANJsonValue> value = parser.objectWithString(text);
    if (!value) {
        systemLog("-JSONValue failed. Error trace is: " + parser.errorTraceText());
    }
    return value;
}

std::string TLANUtils::getStringFromDictionary(const TLANJsonValue& dictionary,
                                               const std::string& key) {
    if (dictionary.type() != TLANJsonValue::Type::Dictionary || key.empty()) {
        return "";
    }
    const TLANJsonValue* value = dictionary.find(key);
    if (value == nullptr || value->isNull()) {
        return "";
    }
    switch (value->type()) {
        case TLANJsonValue::Type::String:
            return value->string();
        case TLANJsonValue::Type::Number:
            return value->number().text();
        case TLANJsonValue::Type::Boolean:
            return value->boolean() ? "1" : "0";
        default:
            break;
    }
    TLANTxJsonWriter writer;
    return writer.stringWithFragment(*value).value_or("");
}

int64_t TLANUtils::getIntergerFromDictionary(const TLANJsonValue& dictionary,
                                             const std::string& key) {
    constexpr int64_t kNotAnInteger = 2147483647;
    if (dictionary.type() != TLANJsonValue::Type::Dictionary || key.empty()) {
        return kNotAnInteger;
    }
    const TLANJsonValue& value = dictionary[key];
    if (value.type() == TLANJsonValue::Type::Number) {
        double number = value.number().toDouble();
        bool inRange = number > -9.2e18 && number < 9.2e18;
        return value.number().toInt64().value_or(inRange ? static_cast<int64_t>(number)
                                                         : kNotAnInteger);
    }
    if (value.type() == TLANJsonValue::Type::Boolean) {
        return value.boolean() ? 1 : 0;
    }
    if (value.type() == TLANJsonValue::Type::String && isPureInt(value.string())) {
        return Text::longLongValue(value.string());
    }
    return kNotAnInteger;
}

TLANJsonValue TLANUtils::getDictionaryFromDictionary(const TLANJsonValue& dictionary,
                                                     const std::string& key) {
    if (dictionary.type() != TLANJsonValue::Type::Dictionary || key.empty()) {
        return TLANJsonValue::dictionary();
    }
    const TLANJsonValue& value = dictionary[key];
    return value.type() == TLANJsonValue::Type::Dictionary ? value : TLANJsonValue::dictionary();
}

bool TLANUtils::isPureInt(std::string_view text) {
    size_t start = skipSign(text, skipBlanks(text, 0));
    size_t end = skipDigits(text, start);
    return end > start && skipBlanks(text, end) == text.size();
}

bool TLANUtils::isPureFloat(std::string_view text) {
    size_t i = skipSign(text, skipBlanks(text, 0));
    size_t integerEnd = skipDigits(text, i);
    size_t digits = integerEnd - i;
    i = integerEnd;
    if (i < text.size() && text[i] == '.') {
        size_t fractionEnd = skipDigits(text, i + 1);
        digits += fractionEnd - i - 1;
        i = fractionEnd;
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t exponentStart = skipSign(text, i + 1);
        size_t exponentEnd = skipDigits(text, exponentStart);
        if (exponentEnd == exponentStart) {
            return false;
        }
        i = exponentEnd;
    }
    return skipBlanks(text, i) == text.size();
}

std::optional<std::string> TLANUtils::subString(std::string_view text, TextEncoding encoding,
                                                size_t bytesLength) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::string result;
    size_t used = 0;
    size_t total = 0;
    bool cut = false;
    for (size_t i = 0; i < text.size();) {
        size_t length =
            std::min(utf8CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        std::string_view character = text.substr(i, length);
        size_t size = encodedLength(character, encoding);
        total += size;
        if (!cut && used + size <= bytesLength) {
            result.append(character);
            used += size;
        } else {
            cut = true;
        }
        i += length;
    }
    if (bytesLength == 0 || total <= bytesLength || result.empty()) {
        return std::string(text);
    }
    return result;
}

std::string TLANUtils::utf8Prefix(std::string_view text, size_t bytesLength) {
    size_t end = 0;
    while (end < text.size()) {
        size_t length = utf8CharLength(static_cast<unsigned char>(text[end]));
        if (end + length > bytesLength || end + length > text.size()) {
            break;
        }
        end += length;
    }
    return std::string(text.substr(0, end));
}

std::optional<std::string> TLANUtils::getBundleRes(const std::optional<std::string>& name,
                                                   const std::string& bundleName) {
    if (!name || name->empty()) {
        return std::nullopt;
    }
    std::string bundle = Bundle::resourcePath() + "/" + bundleName + ".bundle";
    std::string path = bundle + "/" + *name;
    std::error_code error;
    if (!std::filesystem::is_directory(bundle, error) || !std::filesystem::exists(path, error)) {
        return std::nullopt;
    }
    return path;
}

uint32_t TLANUtils::getRand(uint32_t min, uint32_t max) {
    // 64-bit span: the full 32-bit range would otherwise wrap to a zero modulus.
    uint64_t span = static_cast<uint64_t>(max) - min + 1;
    return static_cast<uint32_t>(min + randomUInt32() % span);
}

uint32_t TLANUtils::randomUInt32() {
    uint32_t value = 0;
    while (getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
    }
    return value;
}
