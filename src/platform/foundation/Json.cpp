#include "platform/foundation/Json.h"

#include <cmath>
#include <cstdio>

#include "platform/foundation/Text.h"

namespace {

constexpr const char* kIndent = "  ";

}  // namespace

// Checked before the parser sees the text, so no later walk over the value can run out of stack.
bool Json::nestingWithin(std::string_view text, int maxDepth) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxDepth) {
                return false;
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}

namespace {

class Writer {
public:
    explicit Writer(bool pretty) : m_pretty(pretty) {}

    std::optional<std::string> run(const Json::Value& value) {
        if (!write(value, 0)) {
            return std::nullopt;
        }
        return std::move(m_out);
    }

private:
    bool write(const Json::Value& value, int depth) {
        if (depth > Json::kMaxDepth) {
            return false;
        }
        switch (value.type()) {
            case Json::Value::value_t::object:
                return writeObject(value, depth);
            case Json::Value::value_t::array:
                return writeArray(value, depth);
            case Json::Value::value_t::string:
                return writeString(value.get_ref<const std::string&>());
            case Json::Value::value_t::boolean:
                m_out += value.get<bool>() ? "true" : "false";
                return true;
            case Json::Value::value_t::number_integer:
                m_out += std::to_string(value.get<std::int64_t>());
                return true;
            case Json::Value::value_t::number_unsigned:
                m_out += std::to_string(value.get<std::uint64_t>());
                return true;
            case Json::Value::value_t::number_float:
                return writeReal(value.get<double>());
            case Json::Value::value_t::null:
                m_out += "null";
                return true;
            default:
                return false;
        }
    }

    void newLine(int depth) {
        if (!m_pretty) {
            return;
        }
        m_out.push_back('\n');
        for (int i = 0; i < depth; ++i) {
            m_out += kIndent;
        }
    }

    // The platform leaves a blank line inside an empty container.
    void closeEmpty(int depth, char close) {
        if (m_pretty) {
            m_out.push_back('\n');
            newLine(depth);
        }
        m_out.push_back(close);
    }

    bool writeObject(const Json::Value& value, int depth) {
        m_out.push_back('{');
        if (value.empty()) {
            closeEmpty(depth, '}');
            return true;
        }
        bool first = true;
        for (const auto& [key, item] : value.items()) {
            if (!first) {
                m_out.push_back(',');
            }
            first = false;
            newLine(depth + 1);
            if (!writeString(key)) {
                return false;
            }
            m_out += m_pretty ? " : " : ":";
            if (!write(item, depth + 1)) {
                return false;
            }
        }
        newLine(depth);
        m_out.push_back('}');
        return true;
    }

    bool writeArray(const Json::Value& value, int depth) {
        m_out.push_back('[');
        if (value.empty()) {
            closeEmpty(depth, ']');
            return true;
        }
        bool first = true;
        for (const Json::Value& item : value) {
            if (!first) {
                m_out.push_back(',');
            }
            first = false;
            newLine(depth + 1);
            if (!write(item, depth + 1)) {
                return false;
            }
        }
        newLine(depth);
        m_out.push_back(']');
        return true;
    }

    bool writeString(const std::string& text) {
        if (!Text::isValidUtf8(text)) {
            return false;
        }
        m_out.push_back('"');
        for (char c : text) {
            switch (c) {
                case '"':
                    m_out += "\\\"";
                    break;
                case '\\':
                    m_out += "\\\\";
                    break;
                case '/':
                    m_out += "\\/";
                    break;
                case '\b':
                    m_out += "\\b";
                    break;
                case '\f':
                    m_out += "\\f";
                    break;
                case '\n':
                    m_out += "\\n";
                    break;
                case '\r':
                    m_out += "\\r";
                    break;
                case '\t':
                    m_out += "\\t";
                    break;
                default:
                    if (static_cast<unsigned char>(c) < 0x20) {
                        char escape[8];
                        std::snprintf(escape, sizeof escape, "\\u%04x", c);
                        m_out += escape;
                    } else {
                        m_out.push_back(c);
                    }
            }
        }
        m_out.push_back('"');
        return true;
    }

    bool writeReal(double value) {
        if (!std::isfinite(value)) {
            return false;
        }
        if (value == std::trunc(value) && std::fabs(value) < 1e15) {
            m_out += std::to_string(static_cast<long long>(value));
        } else {
            m_out += Text::fromDouble(value);
        }
        return true;
    }

    bool m_pretty;
    std::string m_out;
};

PropertyList toPropertyListAt(const Json::Value& value, int depth) {
    if (depth > Json::kMaxDepth) {
        return PropertyList();
    }
    switch (value.type()) {
        case Json::Value::value_t::object: {
            PropertyList dictionary = PropertyList::dictionary();
            for (const auto& [key, item] : value.items()) {
                dictionary.set(key, toPropertyListAt(item, depth + 1));
            }
            return dictionary;
        }
        case Json::Value::value_t::array: {
            PropertyList array = PropertyList::array();
            for (const Json::Value& item : value) {
                array.append(toPropertyListAt(item, depth + 1));
            }
            return array;
        }
        case Json::Value::value_t::string:
            return PropertyList(value.get<std::string>());
        case Json::Value::value_t::boolean:
            return PropertyList(value.get<bool>());
        case Json::Value::value_t::number_integer:
            return PropertyList(value.get<std::int64_t>());
        case Json::Value::value_t::number_unsigned:
            return PropertyList(static_cast<std::int64_t>(value.get<std::uint64_t>()));
        case Json::Value::value_t::number_float:
            return PropertyList(value.get<double>());
        default:
            return PropertyList();
    }
}

Json::Value fromPropertyListAt(const PropertyList& value, int depth) {
    if (depth > Json::kMaxDepth) {
        return nullptr;
    }
    switch (value.type()) {
        case PropertyList::Type::String:
            return *value.asString();
        case PropertyList::Type::Integer:
            return *value.asInteger();
        case PropertyList::Type::Real:
            return *value.asReal();
        case PropertyList::Type::Bool:
            return *value.asBool();
        case PropertyList::Type::Array: {
            Json::Value array = Json::Value::array();
            for (const PropertyList& item : value.items()) {
                array.push_back(fromPropertyListAt(item, depth + 1));
            }
            return array;
        }
        case PropertyList::Type::Dictionary: {
            Json::Value object = Json::Value::object();
            for (const auto& [key, item] : value.entries()) {
                object[key] = fromPropertyListAt(item, depth + 1);
            }
            return object;
        }
        default:
            return nullptr;
    }
}

}  // namespace

Json::Parsed Json::parse(std::string_view text) {
    Parsed parsed;
    if (!nestingWithin(text, kMaxDepth)) {
        parsed.error = "nesting deeper than " + std::to_string(kMaxDepth);
        return parsed;
    }
    try {
        parsed.value = Value::parse(text.begin(), text.end());
    } catch (const Value::exception& error) {
        parsed.value = nullptr;
        parsed.error = error.what();
    }
    return parsed;
}

std::optional<std::string> Json::write(const Value& value, bool pretty) {
    return Writer(pretty).run(value);
}

PropertyList Json::toPropertyList(const Value& value) {
    return toPropertyListAt(value, 0);
}

Json::Value Json::fromPropertyList(const PropertyList& value) {
    return fromPropertyListAt(value, 0);
}
