#include "platform/foundation/DateFormat.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

namespace {

// Wall-clock fields of an instant in a zone.
struct Civil {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int micro = 0;
};

// One piece of a pattern: a run of one field letter, or literal text.
struct Token {
    char letter = 0;  // 0 for literal text
    int count = 0;
    std::string literal;
};

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

std::tm toTm(const Civil& civil) {
    std::tm fields{};
    fields.tm_year = civil.year - 1900;
    fields.tm_mon = civil.month - 1;
    fields.tm_mday = civil.day;
    fields.tm_hour = civil.hour;
    fields.tm_min = civil.minute;
    fields.tm_sec = civil.second;
    fields.tm_isdst = -1;
    return fields;
}

Civil toCivil(double seconds, DateFormat::Zone zone) {
    // Whole microseconds first, so 0.123 s shows as 123 ms and not as 122.99...
    auto totalMicro = static_cast<long long>(std::llround(seconds * 1e6));
    long long whole = totalMicro / 1000000 - (totalMicro % 1000000 < 0 ? 1 : 0);
    auto time = static_cast<std::time_t>(whole);
    std::tm fields{};
    if (zone.local) {
        tzset();
        localtime_r(&time, &fields);
    } else {
        time += zone.offsetSeconds;
        gmtime_r(&time, &fields);
    }
    return {fields.tm_year + 1900,
            fields.tm_mon + 1,
            fields.tm_mday,
            fields.tm_hour,
            fields.tm_min,
            fields.tm_sec,
            static_cast<int>(totalMicro - whole * 1000000)};
}

double fromCivil(const Civil& civil, DateFormat::Zone zone) {
    std::tm fields = toTm(civil);
    std::time_t time = 0;
    if (zone.local) {
        tzset();
        time = mktime(&fields);
    } else {
        time = timegm(&fields) - zone.offsetSeconds;
    }
    return static_cast<double>(time) + civil.micro / 1e6;
}

std::vector<Token> tokenize(std::string_view pattern) {
    std::vector<Token> tokens;
    auto addLiteral = [&](std::string_view text) {
        if (tokens.empty() || tokens.back().letter != 0) {
            tokens.push_back({});
        }
        tokens.back().literal += text;
    };
    std::size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c == '\'') {
            std::size_t end = pattern.find('\'', i + 1);
            if (end == i + 1) {
                addLiteral("'");  // '' is a quote mark
                i += 2;
                continue;
            }
            end = end == std::string_view::npos ? pattern.size() : end;
            addLiteral(pattern.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (std::string_view("yMdHmsSZ").find(c) == std::string_view::npos) {
            addLiteral(pattern.substr(i, 1));
            ++i;
            continue;
        }
        std::size_t run = i;
        while (run < pattern.size() && pattern[run] == c) {
            ++run;
        }
        tokens.push_back({c, static_cast<int>(run - i), {}});
        i = run;
    }
    return tokens;
}

std::string padded(long long value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

std::string offsetText(int offsetSeconds) {
    int minutes = std::abs(offsetSeconds) / 60;
    return (offsetSeconds < 0 ? "-" : "+") + padded(minutes / 60, 2) + padded(minutes % 60, 2);
}

// Reads digits for one field: exactly `count` when the next token is also a number (patterns
// such as "yyyyMMdd" have no separators), else one up to `maximum`.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    bool done() const { return m_position == m_text.size(); }

    bool literal(const std::string& expected) {
        if (m_text.substr(m_position, expected.size()) != expected) {
            return false;
        }
        m_position += expected.size();
        return true;
    }

    std::optional<std::pair<long long, int>> number(int minimum, int maximum) {
        int digits = 0;
        long long value = 0;
        while (digits < maximum && m_position < m_text.size() && m_text[m_position] >= '0' &&
               m_text[m_position] <= '9') {
            value = value * 10 + (m_text[m_position] - '0');
            ++m_position;
            ++digits;
        }
        if (digits < minimum) {
            return std::nullopt;
        }
        return std::make_pair(value, digits);
    }

    std::optional<int> offset() {
        if (m_position >= m_text.size()) {
            return std::nullopt;
        }
        char sign = m_text[m_position];
        if (sign == 'Z') {
            ++m_position;
            return 0;
        }
        if (sign != '+' && sign != '-') {
            return std::nullopt;
        }
        ++m_position;
        auto hours = number(2, 2);
        literal(":");
        auto minutes = number(2, 2);
        if (!hours || !minutes || minutes->first > 59) {
            return std::nullopt;
        }
        int seconds = static_cast<int>(hours->first * 3600 + minutes->first * 60);
        return sign == '-' ? -seconds : seconds;
    }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
};

int twoDigitYear(int value) {
    // The platform's window: no more than 20 years ahead and 80 years back of today.
    int thisYear = toCivil(DateFormat::now(), DateFormat::Zone::localZone()).year;
    int year = thisYear / 100 * 100 + value;
    if (year > thisYear + 20) {
        year -= 100;
    } else if (year <= thisYear - 80) {
        year += 100;
    }
    return year;
}

bool isNumericLetter(char letter) {
    return letter != 0 && letter != 'Z';
}

}  // namespace

DateFormat::DateFormat(std::string pattern, Zone zone)
    : m_pattern(std::move(pattern)), m_zone(zone) {}

std::string DateFormat::format(double secondsSince1970) const {
    if (!std::isfinite(secondsSince1970)) {
        return {};
    }
    Civil civil = toCivil(secondsSince1970, m_zone);
    std::string out;
    for (const Token& token : tokenize(m_pattern)) {
        switch (token.letter) {
            case 0:
                out += token.literal;
                break;
            case 'y':
                out += token.count == 2 ? padded(civil.year % 100, 2)
                                        : padded(civil.year, token.count);
                break;
            case 'M':
                out += padded(civil.month, token.count);
                break;
            case 'd':
                out += padded(civil.day, token.count);
                break;
            case 'H':
                out += padded(civil.hour, token.count);
                break;
            case 'm':
                out += padded(civil.minute, token.count);
                break;
            case 's':
                out += padded(civil.second, token.count);
                break;
            case 'S': {
                std::string digits = padded(civil.micro, 6);
                digits.resize(static_cast<std::size_t>(token.count), '0');
                out += digits;
                break;
            }
            case 'Z':
                out += offsetText(secondsFromGmt(secondsSince1970, m_zone));
                break;
        }
    }
    return out;
}

std::optional<double> DateFormat::parse(std::string_view text) const {
    std::vector<Token> tokens = tokenize(m_pattern);
    Reader reader(text);
    Civil civil;
    std::optional<int> parsedOffset;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.letter == 0) {
            if (!reader.literal(token.literal)) {
                return std::nullopt;
            }
            continue;
        }
        if (token.letter == 'Z') {
            parsedOffset = reader.offset();
            if (!parsedOffset) {
                return std::nullopt;
            }
            continue;
        }
        bool fixedWidth = i + 1 < tokens.size() && isNumericLetter(tokens[i + 1].letter);
        int minimum = fixedWidth ? token.count : 1;
        int maximum = fixedWidth || token.letter == 'S' ? token.count : std::max(token.count, 2);
        if (token.letter == 'y' && !fixedWidth && token.count != 2) {
            maximum = std::max(token.count, 4);
        }
        auto field = reader.number(minimum, maximum);
        if (!field) {
            return std::nullopt;
        }
        auto value = static_cast<int>(field->first);
        switch (token.letter) {
            case 'y':
                civil.year = token.count == 2 && field->second == 2 ? twoDigitYear(value) : value;
                break;
            case 'M':
                civil.month = value;
                break;
            case 'd':
                civil.day = value;
                break;
            case 'H':
                civil.hour = value;
                break;
            case 'm':
                civil.minute = value;
                break;
            case 's':
                civil.second = value;
                break;
            case 'S':
                civil.micro = static_cast<int>(
                    std::llround(field->first * std::pow(10.0, 6 - field->second)));
                break;
        }
    }
    if (!reader.done() || civil.month < 1 || civil.month > 12 || civil.day < 1 ||
        civil.day > daysInMonth(civil.year, civil.month) || civil.hour > 23 || civil.minute > 59 ||
        civil.second > 59) {
        return std::nullopt;
    }
    return fromCivil(civil, parsedOffset ? Zone::fixed(*parsedOffset) : m_zone);
}

double DateFormat::now() {
    auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

std::int64_t DateFormat::milliseconds(double secondsSince1970) {
    return static_cast<std::int64_t>(secondsSince1970 * 1000);
}

std::int64_t DateFormat::nowMilliseconds() {
    auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

int DateFormat::secondsFromGmt(double secondsSince1970, Zone zone) {
    if (!zone.local) {
        return zone.offsetSeconds;
    }
    auto time = static_cast<std::time_t>(std::floor(secondsSince1970));
    std::tm fields{};
    tzset();
    localtime_r(&time, &fields);
    return static_cast<int>(fields.tm_gmtoff);
}

double DateFormat::addingMonths(double secondsSince1970, int months, Zone zone) {
    Civil civil = toCivil(secondsSince1970, zone);
    int total = civil.year * 12 + (civil.month - 1) + months;
    civil.year = total / 12;
    civil.month = total % 12 + 1;
    civil.day = std::min(civil.day, daysInMonth(civil.year, civil.month));
    return fromCivil(civil, zone);
}

double DateFormat::addingDays(double secondsSince1970, int days, Zone zone) {
    Civil civil = toCivil(secondsSince1970, zone);
    civil.day += days;
    return fromCivil(civil, zone);
}

int DateFormat::monthsBetween(double from, double to, Zone zone) {
    Civil start = toCivil(from, zone);
    Civil end = toCivil(to, zone);
    int months = (end.year - start.year) * 12 + (end.month - start.month);
    if (to >= from) {
        while (months > 0 && addingMonths(from, months, zone) > to) {
            --months;
        }
    } else {
        while (months < 0 && addingMonths(from, months, zone) < to) {
            ++months;
        }
    }
    return months;
}

int DateFormat::daysBetween(double from, double to, Zone zone) {
    // A first guess from elapsed time, corrected by calendar addition so daylight-saving days
    // of 23 or 25 hours count as whole days.
    auto days = static_cast<int>((to - from) / 86400);
    while (to >= from && addingDays(from, days + 1, zone) <= to) {
        ++days;
    }
    while (to >= from && days > 0 && addingDays(from, days, zone) > to) {
        --days;
    }
    while (to < from && addingDays(from, days - 1, zone) >= to) {
        --days;
    }
    while (to < from && days < 0 && addingDays(from, days, zone) < to) {
        ++days;
    }
    return days;
}
