#include "platform/foundation/Text.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace {

// The process locale may use a decimal comma; formatting always uses the C locale.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    static locale_t cLocale() {
        static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        return locale;
    }
    locale_t m_previous;
};

struct Spec {
    std::string flags;
    std::string width;
    std::string precision;  // with its leading '.', empty when absent
    std::string length;
    char conversion = 0;
};

bool isFlag(char c) {
    return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLengthLetter(char c) {
    return c == 'h' || c == 'l' || c == 'q' || c == 'L' || c == 'z' || c == 'j' || c == 't';
}

class Formatter {
public:
    Formatter(std::string_view format, std::span<const Text::Argument> arguments)
        : m_format(format), m_arguments(arguments) {}

    std::string run() {
        CLocaleScope locale;
        while (m_position < m_format.size()) {
            char c = m_format[m_position++];
            if (c != '%') {
                m_out.push_back(c);
                continue;
            }
            std::optional<Spec> spec = readSpec();
            if (!spec) {
                break;
            }
            emit(*spec);
        }
        return m_out;
    }

private:
    std::optional<Spec> readSpec() {
        Spec spec;
        while (m_position < m_format.size() && isFlag(m_format[m_position])) {
            spec.flags.push_back(m_format[m_position++]);
        }
        spec.width = readCount();
        if (m_position < m_format.size() && m_format[m_position] == '.') {
            ++m_position;
            spec.precision = "." + readCount();
        }
        while (m_position < m_format.size() && isLengthLetter(m_format[m_position])) {
            spec.length.push_back(m_format[m_position++]);
        }
        if (m_position >= m_format.size()) {
            return std::nullopt;
        }
        spec.conversion = m_format[m_position++];
        return spec;
    }

    std::string readCount() {
        if (m_position < m_format.size() && m_format[m_position] == '*') {
            ++m_position;
            return std::to_string(static_cast<int>(nextInteger()));
        }
        std::string digits;
        while (m_position < m_format.size() && isDigit(m_format[m_position])) {
            digits.push_back(m_format[m_position++]);
        }
        return digits;
    }

    const Text::Argument* next() {
        if (m_next >= m_arguments.size()) {
            ++m_next;
            return nullptr;
        }
        return &m_arguments[m_next++];
    }

    long long nextInteger() {
        const Text::Argument* argument = next();
        return argument ? integerOf(*argument) : 0;
    }

    static long long integerOf(const Text::Argument& argument) {
        if (auto* value = std::get_if<std::int64_t>(&argument)) {
            return *value;
        }
        if (auto* value = std::get_if<std::uint64_t>(&argument)) {
            return static_cast<long long>(*value);
        }
        if (auto* value = std::get_if<double>(&argument)) {
            return Text::truncated(*value);
        }
        if (auto* value = std::get_if<std::string_view>(&argument)) {
            return Text::longLongValue(*value);
        }
        return 0;
    }

    static double realOf(const Text::Argument& argument) {
        if (auto* value = std::get_if<double>(&argument)) {
            return *value;
        }
        if (auto* value = std::get_if<std::int64_t>(&argument)) {
            return static_cast<double>(*value);
        }
        if (auto* value = std::get_if<std::uint64_t>(&argument)) {
            return static_cast<double>(*value);
        }
        if (auto* value = std::get_if<std::string_view>(&argument)) {
            return Text::doubleValue(*value);
        }
        return 0;
    }

    static std::string textOf(const Text::Argument& argument) {
        if (auto* value = std::get_if<std::string_view>(&argument)) {
            return std::string(*value);
        }
        if (auto* value = std::get_if<std::int64_t>(&argument)) {
            return std::to_string(*value);
        }
        if (auto* value = std::get_if<std::uint64_t>(&argument)) {
            return std::to_string(*value);
        }
        if (auto* value = std::get_if<double>(&argument)) {
            return Text::fromDouble(*value);
        }
        return "(null)";
    }

    template <typename T>
    void print(const std::string& cFormat, T value) {
        int length = std::snprintf(nullptr, 0, cFormat.c_str(), value);
        if (length <= 0) {
            return;
        }
        std::string piece(static_cast<std::size_t>(length) + 1, '\0');
        std::snprintf(piece.data(), piece.size(), cFormat.c_str(), value);
        piece.resize(static_cast<std::size_t>(length));
        m_out += piece;
    }

    std::string cFormat(const Spec& spec, std::string_view length, char conversion) const {
        std::string text = "%" + spec.flags + spec.width + spec.precision;
        text += length;
        text.push_back(conversion);
        return text;
    }

    void emitInteger(const Spec& spec, const Text::Argument* argument) {
        long long value = argument ? integerOf(*argument) : 0;
        char conversion = spec.conversion;
        bool isSigned = conversion == 'd' || conversion == 'i' || conversion == 'D';
        bool wide = spec.length == "l" || spec.length == "ll" || spec.length == "q" ||
                    spec.length == "z" || spec.length == "j" || spec.length == "t" ||
                    conversion == 'D' || conversion == 'U' || conversion == 'O';
        char plain = conversion == 'D'   ? 'd'
                     : conversion == 'U' ? 'u'
                     : conversion == 'O' ? 'o'
                                         : conversion;
        if (wide) {
            if (isSigned) {
                print(cFormat(spec, "ll", plain), value);
            } else {
                print(cFormat(spec, "ll", plain), static_cast<unsigned long long>(value));
            }
            return;
        }
        // The C types of the modifiers: the value is cut to their width as C would pass it.
        if (spec.length == "hh") {
            isSigned
                ? print(cFormat(spec, "", plain), static_cast<int>(static_cast<signed char>(value)))
                : print(cFormat(spec, "", plain),
                        static_cast<unsigned>(static_cast<unsigned char>(value)));
        } else if (spec.length == "h") {
            isSigned ? print(cFormat(spec, "", plain), static_cast<int>(static_cast<short>(value)))
                     : print(cFormat(spec, "", plain),
                             static_cast<unsigned>(static_cast<unsigned short>(value)));
        } else {
            isSigned ? print(cFormat(spec, "", plain), static_cast<int>(value))
                     : print(cFormat(spec, "", plain), static_cast<unsigned>(value));
        }
    }

    void emit(const Spec& spec) {
        switch (spec.conversion) {
            case '%':
                m_out.push_back('%');
                return;
            case 'd':
            case 'i':
            case 'u':
            case 'x':
            case 'X':
            case 'o':
            case 'D':
            case 'U':
            case 'O':
                emitInteger(spec, next());
                return;
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
            case 'a':
            case 'A': {
                const Text::Argument* argument = next();
                print(cFormat(spec, "", spec.conversion), argument ? realOf(*argument) : 0.0);
                return;
            }
            case 'c':
            case 'C': {
                const Text::Argument* argument = next();
                print(cFormat(spec, "", 'c'),
                      static_cast<int>(argument ? integerOf(*argument) : 0));
                return;
            }
            case '@':
            case 's':
            case 'S': {
                const Text::Argument* argument = next();
                if (!argument) {
                    return;
                }
                std::string text = textOf(*argument);
                print(cFormat(spec, "", 's'), text.c_str());
                return;
            }
            case 'p': {
                const Text::Argument* argument = next();
                const void* pointer = nullptr;
                if (argument) {
                    if (auto* value = std::get_if<const void*>(argument)) {
                        pointer = *value;
                    }
                }
                print(cFormat(spec, "", 'p'), pointer);
                return;
            }
            default:
                // An unknown conversion prints as written.
                m_out += "%" + spec.flags + spec.width + spec.precision + spec.length;
                m_out.push_back(spec.conversion);
        }
    }

    std::string_view m_format;
    std::span<const Text::Argument> m_arguments;
    std::size_t m_position = 0;
    std::size_t m_next = 0;
    std::string m_out;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::size_t skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    return i;
}

// The longest "[sign]digits" prefix after blanks, as a clamped integer.
long long integerPrefix(std::string_view text, long long minimum, long long maximum) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        int digit = text[i] - '0';
        if (!negative) {
            value = value > (maximum - digit) / 10 ? maximum : value * 10 + digit;
        } else {
            value = value < (minimum + digit) / 10 ? minimum : value * 10 - digit;
        }
    }
    return value;
}

// Decodes one UTF-8 code point starting at i; returns its length, 0 when malformed.
std::size_t decodeAt(std::string_view text, std::size_t i, char32_t& codePoint) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    std::size_t length = lead < 0x80         ? 1
                         : (lead >> 5) == 6  ? 2
                         : (lead >> 4) == 14 ? 3
                         : (lead >> 3) == 30 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size() || lead == 0xc0 || lead == 0xc1 || lead > 0xf4) {
        return 0;
    }
    codePoint = length == 1 ? lead : lead & (0x7f >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xc0) != 0x80) {
            return 0;
        }
        codePoint = codePoint << 6 | (byte(i + k) & 0x3f);
    }
    return length;
}

bool isSpaceOrLineEnd(char32_t c) {
    return c == 0x20 || (c >= 0x09 && c <= 0x0d) || c == 0x85 || c == 0xa0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200a) || c == 0x2028 || c == 0x2029 || c == 0x202f ||
           c == 0x205f || c == 0x3000;
}

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string Text::formatArguments(std::string_view format, std::span<const Argument> arguments) {
    return Formatter(format, arguments).run();
}

int Text::intValue(std::string_view text) {
    return static_cast<int>(integerPrefix(text, INT_MIN, INT_MAX));
}

long long Text::longLongValue(std::string_view text) {
    return integerPrefix(text, LLONG_MIN, LLONG_MAX);
}

double Text::doubleValue(std::string_view text) {
    std::size_t start = skipBlanks(text);
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            end = j;
        }
    }
    std::string_view number = text.substr(start, end - start);
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);
    }
    double value = 0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow reads as infinity, underflow as zero, like the platform's scanner.
        bool negative = number.front() == '-';
        std::size_t e = number.find_first_of("eE");
        bool hugeExponent =
            e != std::string_view::npos && number.find('-', e) == std::string_view::npos;
        if (hugeExponent || e == std::string_view::npos) {
            return negative ? -HUGE_VAL : HUGE_VAL;
        }
        return negative ? -0.0 : 0.0;
    }
    return value;
}

bool Text::boolValue(std::string_view text) {
    std::size_t i = skipBlanks(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    while (i < text.size() && text[i] == '0') {
        ++i;
    }
    if (i >= text.size()) {
        return false;
    }
    char c = text[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::optional<long long> Text::parseInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

long long Text::truncated(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 9.2233720368547758e18) {
        return LLONG_MAX;
    }
    if (value <= -9.2233720368547758e18) {
        return LLONG_MIN;
    }
    return static_cast<long long>(value);
}

std::string Text::fromDouble(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

int Text::compareCaseInsensitive(std::string_view a, std::string_view b) {
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(foldAscii(a[i]));
        auto y = static_cast<unsigned char>(foldAscii(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool Text::equalsCaseInsensitive(std::string_view a, std::string_view b) {
    return compareCaseInsensitive(a, b) == 0;
}

bool Text::isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        std::size_t length = decodeAt(text, i, c);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string Text::trimmed(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        char32_t c = 0;
        std::size_t length = decodeAt(text, begin, c);
        if (length == 0 || !isSpaceOrLineEnd(c)) {
            break;
        }
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        std::size_t start = end - 1;
        while (start > begin && (static_cast<unsigned char>(text[start]) & 0xc0) == 0x80) {
            --start;
        }
        char32_t c = 0;
        std::size_t length = decodeAt(text, start, c);
        if (length != end - start || !isSpaceOrLineEnd(c)) {
            break;
        }
        end = start;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string Text::removingAll(std::string_view text, std::string_view piece) {
    return replacingAll(text, piece, "");
}

std::string Text::replacingAll(std::string_view text, std::string_view piece,
                               std::string_view replacement) {
    if (piece.empty()) {
        return std::string(text);
    }
    std::string out;
    std::size_t position = 0;
    while (true) {
        std::size_t found = text.find(piece, position);
        if (found == std::string_view::npos) {
            out += text.substr(position);
            return out;
        }
        out += text.substr(position, found - position);
        out += replacement;
        position = found + piece.size();
    }
}

std::vector<std::string> Text::split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    if (separator.empty()) {
        parts.emplace_back(text);
        return parts;
    }
    std::size_t position = 0;
    while (true) {
        std::size_t found = text.find(separator, position);
        if (found == std::string_view::npos) {
            parts.emplace_back(text.substr(position));
            return parts;
        }
        parts.emplace_back(text.substr(position, found - position));
        position = found + separator.size();
    }
}

std::string Text::join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            out += separator;
        }
        out += parts[i];
    }
    return out;
}
