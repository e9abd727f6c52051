#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "analytics/TLANDecimal.h"

class PropertyList;
class TLANJsonValue;

// An object that stands for a JSON value of its own choosing when written.
class TLANJsonProxy {
public:
    virtual ~TLANJsonProxy() = default;
    virtual TLANJsonValue proxyForJson() const = 0;
};

// A value the analytics JSON coder reads or writes: null, boolean, exact decimal number, text,
// list, or dictionary in its own key order. Two kinds exist only to be written: a proxy, and an
// unsupported object (a date, raw data) that the writer refuses by its class name.
// A plain value: copy freely; not shared between threads unless copied.
class TLANJsonValue {
public:
    enum class Type { Null, Boolean, Number, String, Array, Dictionary, Proxy, Unsupported };
    using Array = std::vector<TLANJsonValue>;
    using Entry = std::pair<std::string, TLANJsonValue>;
    using Dictionary = std::vector<Entry>;

    TLANJsonValue() = default;
    TLANJsonValue(bool value) : m_value(value) {}
    TLANJsonValue(int value) : m_value(TLANDecimal(static_cast<int64_t>(value))) {}
    TLANJsonValue(int64_t value) : m_value(TLANDecimal(value)) {}
    TLANJsonValue(double value) : m_value(TLANDecimal::fromDouble(value)) {}
    TLANJsonValue(TLANDecimal value) : m_value(std::move(value)) {}
    TLANJsonValue(std::string value) : m_value(std::move(value)) {}
    TLANJsonValue(const char* value) : m_value(std::string(value)) {}
    TLANJsonValue(Array value) : m_value(std::move(value)) {}
    TLANJsonValue(Dictionary value) : m_value(std::move(value)) {}
    TLANJsonValue(std::shared_ptr<const TLANJsonProxy> proxy) : m_value(std::move(proxy)) {}
    static TLANJsonValue array() { return TLANJsonValue(Array{}); }
    static TLANJsonValue dictionary() { return TLANJsonValue(Dictionary{}); }
    // An object the writer cannot express, named by its class ("Date", "Data").
    static TLANJsonValue unsupported(std::string className);

    // Platform values: dictionaries, arrays, texts, numbers and booleans map one to one; a
    // date or data becomes unsupported. Numbers come back as integers when whole and in range.
    static TLANJsonValue fromPropertyList(const PropertyList& value);
    PropertyList toPropertyList() const;

    Type type() const { return static_cast<Type>(m_value.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isContainer() const { return type() == Type::Array || type() == Type::Dictionary; }

    bool boolean() const;
    const TLANDecimal& number() const;
    const std::string& string() const;
    const Array& items() const;
    const Dictionary& entries() const;
    const TLANJsonProxy* proxy() const;
    const std::string& unsupportedClassName() const;

    // Dictionary access: reading a missing key or a non-dictionary gives null; set() replaces
    // an existing key in place and appends a new one.
    const TLANJsonValue& operator[](const std::string& key) const;
    const TLANJsonValue* find(const std::string& key) const;
    void set(const std::string& key, TLANJsonValue value);
    void append(TLANJsonValue value);

    bool operator==(const TLANJsonValue& other) const;

private:
    struct UnsupportedObject {
        std::string className;
        bool operator==(const UnsupportedObject&) const = default;
    };

    std::variant<std::monostate, bool, TLANDecimal, std::string, Array, Dictionary,
                 std::shared_ptr<const TLANJsonProxy>, UnsupportedObject>
        m_value;
};
