#pragma once

#include <thrift/protocol/TProtocol.h>

#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "analytics/TLTField.h"
#include "analytics/TLTMap.h"

// Names one field of a wire record: its name, its Thrift id and its storage.
template <class F>
struct TLTFieldRef {
    const char* name;
    int16_t id;
    F& field;
};

template <class F>
TLTFieldRef<F> tltField(const char* name, int16_t id, F& field) {
    return TLTFieldRef<F>{name, id, field};
}

template <class V>
struct TLTIsOptional : std::false_type {};
template <class V>
struct TLTIsOptional<std::optional<V>> : std::true_type {};

// The Thrift type code of a field's value type: records are structs.
template <class V>
inline constexpr apache::thrift::protocol::TType kTLTType = apache::thrift::protocol::T_STRUCT;
template <>
inline constexpr apache::thrift::protocol::TType kTLTType<int32_t> =
    apache::thrift::protocol::T_I32;
template <>
inline constexpr apache::thrift::protocol::TType kTLTType<int64_t> =
    apache::thrift::protocol::T_I64;
template <>
inline constexpr apache::thrift::protocol::TType kTLTType<double> =
    apache::thrift::protocol::T_DOUBLE;
template <>
inline constexpr apache::thrift::protocol::TType kTLTType<std::string> =
    apache::thrift::protocol::T_STRING;
template <>
inline constexpr apache::thrift::protocol::TType kTLTType<std::vector<uint8_t>> =
    apache::thrift::protocol::T_STRING;
template <class R>
inline constexpr apache::thrift::protocol::TType kTLTType<std::vector<R>> =
    apache::thrift::protocol::T_LIST;
template <class R>
inline constexpr apache::thrift::protocol::TType kTLTType<TLTMap<R>> =
    apache::thrift::protocol::T_MAP;

// The one implementation of the wire-record rules: bare structs in the binary protocol, only
// flagged fields written (object fields also only when not null), unknown or mistyped fields
// skipped on read, debug descriptions. Works on a record type R that lists its fields with
// `fieldsOf(self)` and names its struct in `kStructName`. Protocol errors surface here as
// Thrift exceptions; TLTRecord turns them into failure values.
class TLTWire {
public:
    template <class R>
    static auto fieldsOf(R& record) {
        return std::remove_const_t<R>::fieldsOf(record);
    }

    using Protocol = apache::thrift::protocol::TProtocol;
    using TType = apache::thrift::protocol::TType;

    // Runs a protocol step; false when the protocol, its transport or an allocation failed.
    template <class Step>
    static bool succeeds(Step step) {
        try {
            step();
            return true;
        } catch (const apache::thrift::TException&) {
            return false;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }

    template <class R>
    static void writeStruct(Protocol& protocol, const R& record) {
        protocol.writeStructBegin(R::kStructName);
        std::apply([&](const auto&... fields) { (writeField(protocol, fields), ...); },
                   R::fieldsOf(record));
        protocol.writeFieldStop();
        protocol.writeStructEnd();
    }

    template <class R>
    static void readStruct(Protocol& protocol, R& record) {
        std::string name;
        protocol.readStructBegin(name);
        for (;;) {
            TType type = apache::thrift::protocol::T_STOP;
            int16_t id = 0;
            protocol.readFieldBegin(name, type, id);
            if (type == apache::thrift::protocol::T_STOP) {
                break;
            }
            bool taken = std::apply(
                [&](auto... fields) { return (readField(protocol, fields, id, type) || ...); },
                R::fieldsOf(record));
            if (!taken) {
                protocol.skip(type);
            }
            protocol.readFieldEnd();
        }
        protocol.readStructEnd();
    }

    template <class R>
    static std::string describe(const R& record) {
        std::string text = std::string(R::kStructName) + "(";
        bool first = true;
        std::apply(
            [&](const auto&... fields) {
                ((text += (first ? "" : ","), first = false, text += fields.name, text += ":",
                  text += describeValue(fields.field.value)),
                 ...);
            },
            R::fieldsOf(record));
        return text + ")";
    }

    static std::string describeValue(int32_t value) { return std::to_string(value); }
    static std::string describeValue(int64_t value) { return std::to_string(value); }
    static std::string describeValue(double value) {
        char text[400];
        auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
        return std::string(text, result.ptr);
    }
    static std::string describeValue(const std::string& value) { return "\"" + value + "\""; }
    static std::string describeValue(const std::vector<uint8_t>& value);
    template <class R>
    static std::string describeValue(const R& record) {
        return record.description();
    }
    template <class R>
    static std::string describeValue(const std::vector<R>& list) {
        std::string text = "(";
        for (size_t i = 0; i < list.size(); ++i) {
            text += (i == 0 ? "" : ", ") + describeValue(list[i]);
        }
        return text + ")";
    }
    template <class R>
    static std::string describeValue(const TLTMap<R>& map) {
        std::string text = "{";
        bool first = true;
        for (const auto& [key, value] : map) {
            text += (first ? "" : "; ") + key + " = " + describeValue(value);
            first = false;
        }
        return text + "}";
    }
    static std::string describeValue(const std::optional<std::string>& value) {
        return "\"" + value.value_or("(null)") + "\"";
    }
    template <class V>
    static std::string describeValue(const std::optional<V>& value) {
        return value ? describeValue(*value) : "(null)";
    }

private:
    template <class F>
    static void writeField(Protocol& protocol, const TLTFieldRef<F>& ref) {
        using V = std::remove_cv_t<decltype(ref.field.value)>;
        if (!ref.field.isSet) {
            return;
        }
        if constexpr (TLTIsOptional<V>::value) {
            if (!ref.field.value) {
                return;
            }
            protocol.writeFieldBegin(ref.name, kTLTType<typename V::value_type>, ref.id);
            writeValue(protocol, *ref.field.value);
        } else {
            protocol.writeFieldBegin(ref.name, kTLTType<V>, ref.id);
            writeValue(protocol, ref.field.value);
        }
        protocol.writeFieldEnd();
    }

    template <class F>
    static bool readField(Protocol& protocol, TLTFieldRef<F> ref, int16_t id, TType type) {
        using V = decltype(ref.field.value);
        using Plain =
            typename std::conditional_t<TLTIsOptional<V>::value, V, std::optional<V>>::value_type;
        if (ref.id != id || kTLTType<Plain> != type) {
            return false;
        }
        Plain value{};
        readValue(protocol, value);
        ref.field.set(std::move(value));
        return true;
    }

    static void writeValue(Protocol& protocol, int32_t value) { protocol.writeI32(value); }
    static void writeValue(Protocol& protocol, int64_t value) { protocol.writeI64(value); }
    static void writeValue(Protocol& protocol, double value) { protocol.writeDouble(value); }
    static void writeValue(Protocol& protocol, const std::string& value) {
        protocol.writeString(value);
    }
    static void writeValue(Protocol& protocol, const std::vector<uint8_t>& value) {
        protocol.writeBinary(std::string(value.begin(), value.end()));
    }
    template <class R>
    static void writeValue(Protocol& protocol, const R& record) {
        writeStruct(protocol, record);
    }
    template <class R>
    static void writeValue(Protocol& protocol, const std::vector<R>& list) {
        protocol.writeListBegin(apache::thrift::protocol::T_STRUCT,
                                static_cast<uint32_t>(list.size()));
        for (const R& element : list) {
            writeStruct(protocol, element);
        }
        protocol.writeListEnd();
    }
    template <class R>
    static void writeValue(Protocol& protocol, const TLTMap<R>& map) {
        protocol.writeMapBegin(apache::thrift::protocol::T_STRING,
                               apache::thrift::protocol::T_STRUCT,
                               static_cast<uint32_t>(map.size()));
        for (const auto& [key, value] : map) {
            protocol.writeString(key);
            writeStruct(protocol, value);
        }
        protocol.writeMapEnd();
    }

    static void readValue(Protocol& protocol, int32_t& value) { protocol.readI32(value); }
    static void readValue(Protocol& protocol, int64_t& value) { protocol.readI64(value); }
    static void readValue(Protocol& protocol, double& value) { protocol.readDouble(value); }
    static void readValue(Protocol& protocol, std::string& value) { protocol.readString(value); }
    static void readValue(Protocol& protocol, std::vector<uint8_t>& value) {
        std::string bytes;
        protocol.readBinary(bytes);
        value.assign(bytes.begin(), bytes.end());
    }
    template <class R>
    static void readValue(Protocol& protocol, R& record) {
        readStruct(protocol, record);
    }
    // Declared element types are not checked: every element is read as the table's record.
    template <class R>
    static void readValue(Protocol& protocol, std::vector<R>& list) {
        TType elementType;
        uint32_t count = 0;
        protocol.readListBegin(elementType, count);
        for (uint32_t i = 0; i < count; ++i) {
            R element;
            readStruct(protocol, element);
            list.push_back(std::move(element));
        }
        protocol.readListEnd();
    }
    template <class R>
    static void readValue(Protocol& protocol, TLTMap<R>& map) {
        TType keyType;
        TType valueType;
        uint32_t count = 0;
        protocol.readMapBegin(keyType, valueType, count);
        for (uint32_t i = 0; i < count; ++i) {
            std::string key;
            protocol.readString(key);
            R value;
            readStruct(protocol, value);
            map.set(key, std::move(value));
        }
        protocol.readMapEnd();
    }
};
