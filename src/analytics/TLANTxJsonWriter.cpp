#include "analytics/TLANTxJsonWriter.h"

#include <algorithm>
#include <cstdio>

namespace {

bool needsEscaping(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    });
}

}  // namespace

std::optional<std::string> TLANTxJsonWriter::stringWithObject(const TLANJsonValue& value) {
    if (value.isContainer()) {
        return stringWithFragment(value);
    }
    if (value.type() == TLANJsonValue::Type::Proxy) {
        return stringWithObject(value.proxy()->proxyForJson());
    }
    clearErrorTrace();
    addErrorWithCode(TLANJsonError::NotContainer, "Not valid type for JSON");
    return std::nullopt;
}

std::optional<std::string> TLANTxJsonWriter::stringWithFragment(const TLANJsonValue& value) {
    clearErrorTrace();
    m_depth = 0;
    std::string json;
    if (!appendValue(value, json)) {
        return std::nullopt;
    }
    return json;
}

bool TLANTxJsonWriter::appendValue(const TLANJsonValue& value, std::string& json) {
    switch (value.type()) {
        case TLANJsonValue::Type::Dictionary:
            return appendDictionary(value.entries(), json);
        case TLANJsonValue::Type::Array:
            return appendArray(value.items(), json);
        case TLANJsonValue::Type::String:
            appendString(value.string(), json);
            return true;
        case TLANJsonValue::Type::Boolean:
            json += value.boolean() ? "true" : "false";
            return true;
        case TLANJsonValue::Type::Number:
            // A non-finite real has no JSON form.
            if (value.number().isNaN()) {
                addErrorWithCode(TLANJsonError::Unsupported,
                                 "JSON serialisation not supported for NaN");
                return false;
            }
            json += value.number().text();
            return true;
        case TLANJsonValue::Type::Null:
            json += "null";
            return true;
        case TLANJsonValue::Type::Proxy:
            return appendValue(value.proxy()->proxyForJson(), json);
        case TLANJsonValue::Type::Unsupported:
            break;
    }
    addErrorWithCode(TLANJsonError::Unsupported,
                     "JSON serialisation not supported for " + value.unsupportedClassName());
    return false;
}

bool TLANTxJsonWriter::appendArray(const TLANJsonValue::Array& items, std::string& json) {
    if (!enterContainer()) {
        return false;
    }
    json += "[";
    bool first = true;
    for (const TLANJsonValue& item : items) {
        json += first ? "" : ",";
        first = false;
        json += indent();
        if (!appendValue(item, json)) {
            return false;
        }
    }
    leaveContainer();
    json += (!items.empty() ? indent() : "") + "]";
    return true;
}

bool TLANTxJsonWriter::appendDictionary(const TLANJsonValue::Dictionary& entries,
                                        std::string& json) {
    if (!enterContainer()) {
        return false;
    }
    std::vector<const TLANJsonValue::Entry*> ordered;
    for (const TLANJsonValue::Entry& entry : entries) {
        ordered.push_back(&entry);
    }
    if (m_sortKeys) {
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const auto* a, const auto* b) { return a->first < b->first; });
    }
    json += "{";
    bool first = true;
    for (const TLANJsonValue::Entry* entry : ordered) {
        json += first ? "" : ",";
        first = false;
        json += indent();
        appendString(entry->first, json);
        json += m_humanReadable ? " : " : ":";
        if (!appendValue(entry->second, json)) {
            addErrorWithCode(TLANJsonError::Unsupported,
                             "Unsupported value for key " + entry->first + " in object");
            return false;
        }
    }
    leaveContainer();
    json += (!entries.empty() ? indent() : "") + "}";
    return true;
}

void TLANTxJsonWriter::appendString(const std::string& text, std::string& json) {
    json += '"';
    if (!needsEscaping(text)) {
        json += text;
        json += '"';
        return;
    }
    for (char c : text) {
        switch (c) {
            case '"':
            case '\\':
                json += '\\';
                json += c;
                break;
            case '\b':
                json += "\\b";
                break;
            case '\t':
                json += "\\t";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\f':
                json += "\\f";
                break;
            case '\r':
                json += "\\r";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                    json += escape;
                } else {
                    json += c;
                }
        }
    }
    json += '"';
}

std::string TLANTxJsonWriter::indent() const {
    if (!m_humanReadable) {
        return "";
    }
    return "\n" + std::string(2 * static_cast<size_t>(m_depth), ' ');
}
