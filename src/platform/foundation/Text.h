#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// Text helpers with the phone platform's rules: printf-style formatting where "%@" takes a
// text, numbers read from the decimal prefix of a text, case-insensitive comparison and
// trimming. Texts are UTF-8. Stateless; any thread.
class Text {
public:
    // One formatting argument, whatever the caller passed.
    struct Null {};
    using Argument =
        std::variant<std::int64_t, std::uint64_t, double, std::string_view, Null, const void*>;

    // Formats like the platform's string formatting: %@ and %s take a text (a number prints
    // as its decimal text, an empty optional or nullptr as "(null)"), %d %i %u %x %X %o %c with
    // h, hh, l, ll, q, z length modifiers take integers (a real is cut toward zero), %f %e %g
    // with l or L take reals (an integer converts), %p a pointer, %% a percent sign; flags,
    // width and precision as in C, "*" included. Numbers always use a decimal point. A
    // conversion without an argument prints nothing; surplus arguments are ignored. The format
    // may be built at run time.
    template <typename... Args>
    static std::string format(std::string_view format, const Args&... args) {
        const Argument arguments[] = {argument(args)..., Argument(Null{})};
        return formatArguments(format, std::span(arguments, sizeof...(Args)));
    }
    static std::string formatArguments(std::string_view format,
                                       std::span<const Argument> arguments);

    // The platform's numeric prefix rule: leading blanks are skipped, then an optional sign and
    // the longest decimal number; "12abc" reads 12, "abc" reads 0, "3.5" reads 3 as an
    // integer. Integers beyond the range read as the nearest limit.
    static int intValue(std::string_view text);
    static long long longLongValue(std::string_view text);
    static double doubleValue(std::string_view text);
    // True when the text, after blanks, a sign and leading zeros, starts with Y, y, T, t or a
    // digit 1 to 9.
    static bool boolValue(std::string_view text);
    // The whole text as a decimal integer, nothing when anything else is in it.
    static std::optional<long long> parseInteger(std::string_view text);

    // A real cut toward zero; beyond the range the nearest limit, NaN 0.
    static long long truncated(double value);
    // Decimal text of a real: the shortest text that reads back as the same value.
    static std::string fromDouble(double value);

    // Compares byte-wise with ASCII letters folded; -1, 0 or 1.
    static int compareCaseInsensitive(std::string_view a, std::string_view b);
    static bool equalsCaseInsensitive(std::string_view a, std::string_view b);

    // True when the bytes are well-formed UTF-8.
    static bool isValidUtf8(std::string_view text);

    // Removes white space and line ends (Unicode spaces such as U+3000 included) at both ends.
    static std::string trimmed(std::string_view text);
    // Removes every occurrence of a piece.
    static std::string removingAll(std::string_view text, std::string_view piece);
    static std::string replacingAll(std::string_view text, std::string_view piece,
                                    std::string_view replacement);
    static std::vector<std::string> split(std::string_view text, std::string_view separator);
    static std::string join(const std::vector<std::string>& parts, std::string_view separator);

private:
    template <typename T>
    static Argument argument(const T& value) {
        if constexpr (std::is_same_v<T, bool>) {
            return Argument(static_cast<std::int64_t>(value));
        } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
            return Argument(static_cast<std::int64_t>(value));
        } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
            return Argument(static_cast<std::uint64_t>(value));
        } else if constexpr (std::is_floating_point_v<T>) {
            return Argument(static_cast<double>(value));
        } else if constexpr (std::is_same_v<T, std::nullptr_t>) {
            return Argument(Null{});
        } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
            return Argument(std::string_view(value));
        } else if constexpr (std::is_same_v<T, std::optional<std::string>>) {
            return value ? Argument(std::string_view(*value)) : Argument(Null{});
        } else if constexpr (std::is_pointer_v<T>) {
            return Argument(static_cast<const void*>(value));
        } else {
            static_assert(sizeof(T) == 0, "Text::format cannot print this type");
        }
    }
    static Argument argument(const char* value) {
        return value ? Argument(std::string_view(value)) : Argument(Null{});
    }
    static Argument argument(char* value) { return argument(static_cast<const char*>(value)); }
};
