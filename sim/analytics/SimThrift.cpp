#include "sim/analytics/SimThrift.h"

#include <openssl/evp.h>
#include <strings.h>
#include <thrift/protocol/TBinaryProtocol.h>
#include <thrift/transport/TBufferTransports.h>

#include <algorithm>
#include <cstdio>
#include <memory>

using apache::thrift::protocol::TBinaryProtocol;
using apache::thrift::protocol::TType;
using apache::thrift::transport::TMemoryBuffer;

namespace {

constexpr int kMaxDepth = 64;

void readValue(TBinaryProtocol& in, TType type, SimThriftValue& value, int depth);

void readStructInto(TBinaryProtocol& in, SimThriftValue& value, int depth) {
    if (depth > kMaxDepth) {
        throw std::runtime_error("nested too deep");
    }
    std::string name;
    in.readStructBegin(name);
    while (true) {
        TType type;
        int16_t id = 0;
        in.readFieldBegin(name, type, id);
        if (type == apache::thrift::protocol::T_STOP) {
            break;
        }
        SimThriftValue field;
        readValue(in, type, field, depth + 1);
        value.fields[id] = std::move(field);
        in.readFieldEnd();
    }
    in.readStructEnd();
}

void readValue(TBinaryProtocol& in, TType type, SimThriftValue& value, int depth) {
    using namespace apache::thrift::protocol;
    value.type = type;
    switch (type) {
        case T_BOOL: {
            bool flag = false;
            in.readBool(flag);
            value.integer = flag ? 1 : 0;
            break;
        }
        case T_BYTE: {
            int8_t byte = 0;
            in.readByte(byte);
            value.integer = byte;
            break;
        }
        case T_I16: {
            int16_t number = 0;
            in.readI16(number);
            value.integer = number;
            break;
        }
        case T_I32: {
            int32_t number = 0;
            in.readI32(number);
            value.integer = number;
            break;
        }
        case T_I64:
            in.readI64(value.integer);
            break;
        case T_DOUBLE:
            in.readDouble(value.real);
            break;
        case T_STRING:
            in.readBinary(value.text);
            break;
        case T_STRUCT:
            readStructInto(in, value, depth);
            break;
        case T_LIST:
        case T_SET: {
            TType element;
            uint32_t count = 0;
            if (type == T_LIST) {
                in.readListBegin(element, count);
            } else {
                in.readSetBegin(element, count);
            }
            for (uint32_t i = 0; i < count; ++i) {
                SimThriftValue item;
                readValue(in, element, item, depth + 1);
                value.items.push_back(std::move(item));
            }
            break;
        }
        case T_MAP: {
            TType keyType;
            TType valueType;
            uint32_t count = 0;
            in.readMapBegin(keyType, valueType, count);
            for (uint32_t i = 0; i < count; ++i) {
                SimThriftValue key;
                SimThriftValue item;
                readValue(in, keyType, key, depth + 1);
                readValue(in, valueType, item, depth + 1);
                value.entries.emplace_back(std::move(key), std::move(item));
            }
            break;
        }
        default:
            throw std::runtime_error("unknown type");
    }
}

std::optional<SimThriftValue> decode(const std::string& bytes, uint32_t* consumed) {
    auto buffer = std::make_shared<TMemoryBuffer>(
        reinterpret_cast<uint8_t*>(const_cast<char*>(bytes.data())),
        static_cast<uint32_t>(bytes.size()), TMemoryBuffer::OBSERVE);
    const auto limit = static_cast<int32_t>(bytes.size());
    TBinaryProtocol in(buffer, limit, limit, false, false);
    SimThriftValue value;
    value.type = apache::thrift::protocol::T_STRUCT;
    try {
        readStructInto(in, value, 0);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (consumed) {
        *consumed = static_cast<uint32_t>(bytes.size()) - buffer->available_read();
    }
    return value;
}

}  // namespace

const SimThriftValue* SimThriftValue::field(int16_t id) const {
    auto found = fields.find(id);
    return found == fields.end() ? nullptr : &found->second;
}

int64_t SimThriftValue::integerAt(int16_t id) const {
    const SimThriftValue* value = field(id);
    return value ? value->integer : 0;
}

std::string SimThriftValue::textAt(int16_t id) const {
    const SimThriftValue* value = field(id);
    return value ? value->text : std::string();
}

const std::vector<SimThriftValue>& SimThriftValue::listAt(int16_t id) const {
    static const std::vector<SimThriftValue> none;
    const SimThriftValue* value = field(id);
    return value ? value->items : none;
}

std::optional<SimThriftValue> SimThrift::readStruct(const std::string& bytes) {
    return decode(bytes, nullptr);
}

bool SimThrift::isExactStruct(const std::string& bytes) {
    uint32_t consumed = 0;
    return decode(bytes, &consumed).has_value() && consumed == bytes.size();
}

std::string SimThrift::imprintChecksum(const std::vector<ImprintEntry>& imprint, int32_t version) {
    std::vector<ImprintEntry> sorted = imprint;
    std::sort(sorted.begin(), sorted.end(), [](const ImprintEntry& a, const ImprintEntry& b) {
        return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    std::string text;
    for (const ImprintEntry& entry : sorted) {
        text += entry.name + entry.value + std::to_string(entry.ts) + entry.guid;
    }
    return md5Hex(text + std::to_string(version));
}

std::string SimThrift::response(int32_t respCode, const std::string& msg,
                                const std::vector<ImprintEntry>& imprint, int32_t version,
                                bool validChecksum) {
    using namespace apache::thrift::protocol;
    auto buffer = std::make_shared<TMemoryBuffer>();
    TBinaryProtocol out(buffer, 0, 0, false, false);
    out.writeStructBegin("Response");
    out.writeFieldBegin("resp_code", T_I32, 1);
    out.writeI32(respCode);
    out.writeFieldEnd();
    out.writeFieldBegin("msg", T_STRING, 2);
    out.writeString(msg);
    out.writeFieldEnd();
    if (!imprint.empty()) {
        out.writeFieldBegin("imprint", T_STRUCT, 3);
        out.writeStructBegin("Imprint");
        out.writeFieldBegin("property", T_MAP, 1);
        out.writeMapBegin(T_STRING, T_STRUCT, static_cast<uint32_t>(imprint.size()));
        for (const ImprintEntry& entry : imprint) {
            out.writeString(entry.name);
            out.writeStructBegin("ImprintValue");
            out.writeFieldBegin("value", T_STRING, 1);
            out.writeString(entry.value);
            out.writeFieldEnd();
            out.writeFieldBegin("ts", T_I64, 2);
            out.writeI64(entry.ts);
            out.writeFieldEnd();
            out.writeFieldBegin("guid", T_STRING, 3);
            out.writeString(entry.guid);
            out.writeFieldEnd();
            out.writeFieldStop();
            out.writeStructEnd();
        }
        out.writeMapEnd();
        out.writeFieldEnd();
        out.writeFieldBegin("version", T_I32, 2);
        out.writeI32(version);
        out.writeFieldEnd();
        out.writeFieldBegin("checksum", T_STRING, 3);
        out.writeString(validChecksum ? imprintChecksum(imprint, version) : std::string(32, '0'));
        out.writeFieldEnd();
        out.writeFieldStop();
        out.writeStructEnd();
        out.writeFieldEnd();
    }
    out.writeFieldStop();
    out.writeStructEnd();
    return buffer->getBufferAsString();
}

std::string SimThrift::md5Hex(const std::string& bytes, bool upper) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
    std::string hex;
    char two[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(two, sizeof(two), upper ? "%02X" : "%02x", digest[i]);
        hex += two;
    }
    return hex;
}
