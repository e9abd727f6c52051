#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analytics/TLANJsonValue.h"
#include "platform/foundation/Bytes.h"
#include "platform/foundation/Text.h"

// The analytics library's general helpers: MD5 text digests, URL and query texts, Base64, the
// JSON wrappers over the library's own coder, safe dictionary reads, number tests, byte-limited
// substrings, random numbers and the console debug log with its switch and prefix. Class
// operations over one process-wide state (the log switch and prefix); any thread.
class TLANUtils {
public:
    using TextDictionary = std::vector<std::pair<std::string, std::string>>;
    enum class TextEncoding { Utf8, Utf16 };

    static std::string utilsVersion() { return "1.2.4"; }

    // Console debug log.
    static void setOpenLog(bool openLog);
    static bool openLog();
    static void setPrefix(const std::optional<std::string>& prefix);
    // "[HH:mm:ss.SSS(thread)] - [prefix ]message \n" on standard output while openLog is on; a
    // null format writes "nil".
    template <typename... Args>
    static void outLog(const char* format, const Args&... args) {
        if (!openLog()) {
            return;
        }
        writeOutLog(format ? std::optional<std::string>(Text::format(format, args...))
                           : std::nullopt);
    }
    // One line to the system log (standard error), whatever the log switches say.
    static void systemLog(std::string_view line);

    // MD5 of the UTF-8 bytes up to the first NUL, as 32 upper-case hexadecimal digits.
    static std::string md5Value(std::string_view text);

    // Percent-encodes every UTF-8 byte except ASCII letters, digits and - . _ ~.
    static std::string urlEncode(std::string_view text);
    // Nothing when a percent escape is malformed or the bytes are not UTF-8.
    static std::optional<std::string> urlDecode(std::string_view text);
    // "key=value" pairs joined by "&"; values are encoded, keys are not.
    static std::string queryStringWithDictionary(const TextDictionary& dictionary);
    // Pieces split at "&" and then "="; only those with exactly two parts count, and a later
    // key replaces an earlier one. Pieces that do not decode are skipped.
    static TextDictionary dictionaryWithQueryString(std::string_view query);

    static std::string base64Encode(std::string_view text);
    static std::string base64EncodeData(const Bytes& data);

    // JSON text of a value, or nothing (the error trace goes to the system log).
    static std::optional<std::string> JSONFragment(const TLANJsonValue& value);
    // The dictionary or list of a JSON text, or nothing (the error trace goes to the system log).
    static std::optional<TLANJsonValue> JSONValue(const std::optional<std::string>& text);

    // A text value; "" when the arguments are unusable, the key is missing or the value is
    // null; any other value's JSON-like text.
    static std::string getStringFromDictionary(const TLANJsonValue& dictionary,
                                               const std::string& key);
    // A number's integer value or a pure integer text's value; 2147483647 otherwise.
    static int64_t getIntergerFromDictionary(const TLANJsonValue& dictionary,
                                             const std::string& key);
    static TLANJsonValue getDictionaryFromDictionary(const TLANJsonValue& dictionary,
                                                     const std::string& key);

    // One integer (one real) between optional blanks and nothing else.
    static bool isPureInt(std::string_view text);
    static bool isPureFloat(std::string_view text);
    // Nothing for an empty text; the text unchanged when the limit is 0, when it fits or when
    // not even its first character fits; else its longest run of whole leading characters
    // whose encoded size fits the limit.
    static std::optional<std::string> subString(std::string_view text, TextEncoding encoding,
                                                size_t bytesLength);
    // The longest run of whole leading UTF-8 characters of at most the given byte count.
    static std::string utf8Prefix(std::string_view text, size_t bytesLength);
    // The path of a resource inside "<bundleName>.bundle" in the application's resources;
    // nothing when the bundle or the resource is missing.
    static std::optional<std::string> getBundleRes(const std::optional<std::string>& name,
                                                   const std::string& bundleName);
    // From min to max inclusive; the caller gives min <= max.
    static uint32_t getRand(uint32_t min, uint32_t max);
    // 32 bits from the system's cryptographic random source.
    static uint32_t randomUInt32();

private:
    static void writeOutLog(const std::optional<std::string>& message);
};
