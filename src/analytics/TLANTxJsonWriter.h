#pragma once

#include <optional>
#include <string>

#include "analytics/TLANJsonValue.h"
#include "analytics/TLANTxJsonBase.h"

// Writes analytics request values as compact JSON text (or indented, when asked). Texts are
// written as UTF-8 with only the quote, the backslash and control characters escaped. Every
// failure gives no text and leaves the error trace. Made per call; not shared between threads.
class TLANTxJsonWriter : public TLANTxJsonBase {
public:
    // A dictionary or list, or a proxy standing for one.
    std::optional<std::string> stringWithObject(const TLANJsonValue& value);
    // Any value the writer supports.
    std::optional<std::string> stringWithFragment(const TLANJsonValue& value);

    bool sortKeys() const { return m_sortKeys; }
    void setSortKeys(bool sortKeys) { m_sortKeys = sortKeys; }
    bool humanReadable() const { return m_humanReadable; }
    void setHumanReadable(bool humanReadable) { m_humanReadable = humanReadable; }

private:
    bool appendValue(const TLANJsonValue& value, std::string& json);
    bool appendArray(const TLANJsonValue::Array& items, std::string& json);
    bool appendDictionary(const TLANJsonValue::Dictionary& entries, std::string& json);
    void appendString(const std::string& text, std::string& json);
    std::string indent() const;

    bool m_sortKeys = false;
    bool m_humanReadable = false;
};
