#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/foundation/Bytes.h"

// A loosely typed value tree: null, string, integer, real, bool, data, date, UID (keyed-archive
// reference), array, or dictionary keeping its insertion order. It is the value type of
// notification user info, user defaults and property-list files, read and written as XML or
// binary plists. A plain value: copy freely; not shared between threads unless copied.
class PropertyList {
public:
    enum class Type { Null, String, Integer, Real, Bool, Data, Date, Uid, Array, Dictionary };
    enum class Format { Xml, Binary };

    using Array = std::vector<PropertyList>;
    using Entry = std::pair<std::string, PropertyList>;
    using Dictionary = std::vector<Entry>;

    PropertyList() = default;
    PropertyList(std::string value) : m_value(std::move(value)) {}
    PropertyList(std::string_view value) : m_value(std::string(value)) {}
    PropertyList(const char* value) : m_value(std::string(value ? value : "")) {}
    PropertyList(bool value) : m_value(value) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) PropertyList(T value)
        : m_value(static_cast<std::int64_t>(value)) {}
    template <std::floating_point T>
    PropertyList(T value) : m_value(static_cast<double>(value)) {}
    PropertyList(Bytes value) : m_value(std::move(value)) {}
    PropertyList(Array value) : m_value(std::move(value)) {}
    PropertyList(Dictionary value) : m_value(std::move(value)) {}

    static PropertyList date(double secondsSince1970);
    static PropertyList uid(std::uint64_t index);
    // A dictionary of the entries in their order; a repeated key keeps its first place and its
    // last value, as repeated set() calls would, in linear time.
    static PropertyList fromEntries(Dictionary entries);
    static PropertyList array() { return PropertyList(Array{}); }
    static PropertyList dictionary() { return PropertyList(Dictionary{}); }

    Type type() const { return static_cast<Type>(m_value.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isString() const { return type() == Type::String; }
    bool isNumber() const { return type() == Type::Integer || type() == Type::Real; }
    bool isArray() const { return type() == Type::Array; }
    bool isDictionary() const { return type() == Type::Dictionary; }

    // Exact kind or nothing.
    std::optional<std::string> asString() const;
    std::optional<std::int64_t> asInteger() const;
    std::optional<double> asReal() const;
    std::optional<bool> asBool() const;
    std::optional<Bytes> asData() const;
    std::optional<double> asDate() const;
    std::optional<std::uint64_t> asUid() const;

    // Lenient reads, as the phone platform's number and string conversions behave: numbers and
    // bools convert into each other, decimal text reads by its numeric prefix, a number reads
    // as its decimal text; anything else gives the fallback.
    std::string toString(std::string fallback = {}) const;
    std::int64_t toInteger(std::int64_t fallback = 0) const;
    double toDouble(double fallback = 0) const;
    bool toBool(bool fallback = false) const;
    Bytes toData() const;
    double toDate(double fallback = 0) const;

    // Containers. Reading a missing key or index, or reading a non-container, gives null.
    std::size_t size() const;
    const PropertyList& at(std::size_t index) const;
    const PropertyList& value(std::string_view key) const;
    const PropertyList& operator[](std::string_view key) const { return value(key); }
    bool contains(std::string_view key) const;
    std::vector<std::string> keys() const;
    const Array& items() const;
    const Dictionary& entries() const;
    PropertyList* find(std::string_view key);
    PropertyList* find(std::size_t index);

    // Writing into a null value makes it the container first; into another kind does nothing.
    // set() replaces an existing key in place and appends a new one.
    void set(std::string_view key, PropertyList value);
    bool remove(std::string_view key);
    void append(PropertyList value);
    bool removeAt(std::size_t index);

    // A one-line text of the whole tree for logs and test messages.
    std::string description() const;

    // Dictionaries compare without regard to key order; reals and integers are distinct kinds.
    bool operator==(const PropertyList& other) const;

    // Property-list bytes. Null entries inside containers are left out, as plists cannot
    // hold them; a null root writes nothing.
    std::string toXml() const;
    Bytes toBinary() const;
    Bytes serialize(Format format) const;
    // Reads XML or binary, whichever the bytes are; unreadable input gives nothing.
    static std::optional<PropertyList> parse(const Bytes& bytes);
    static std::optional<PropertyList> parse(std::string_view text);

    // Files. A missing or unreadable file gives nothing. Writes go to a temporary file in the
    // same folder that replaces the old file only when complete (AtomicFile).
    static std::optional<PropertyList> readFile(const std::string& path);
    bool writeFile(const std::string& path, Format format = Format::Xml) const;

private:
    struct DateValue {
        double secondsSince1970;
        bool operator==(const DateValue&) const = default;
    };
    struct UidValue {
        std::uint64_t index;
        bool operator==(const UidValue&) const = default;
    };

    std::variant<std::monostate, std::string, std::int64_t, double, bool, Bytes, DateValue,
                 UidValue, Array, Dictionary>
        m_value;
};
