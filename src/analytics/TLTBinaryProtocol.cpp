#include "analytics/TLTBinaryProtocol.h"

#include <thrift/protocol/TProtocolException.h>

using apache::thrift::protocol::TProtocolException;

namespace {

constexpr int8_t kLargestTypeCode = apache::thrift::protocol::T_UTF16;

}  // namespace

TLTBinaryProtocol::TLTBinaryProtocol(
    std::shared_ptr<apache::thrift::transport::TMemoryBuffer> buffer, int32_t limit)
    : apache::thrift::protocol::TBinaryProtocol(std::move(buffer), limit, limit, false, false) {}

uint32_t TLTBinaryProtocol::readType(TType& type) {
    int8_t code = 0;
    uint32_t result = readByte(code);
    if (code < 0 || code > kLargestTypeCode) {
        throw TProtocolException(TProtocolException::INVALID_DATA, "invalid type code");
    }
    type = static_cast<TType>(code);
    return result;
}

uint32_t TLTBinaryProtocol::readSize(uint32_t& size) {
    int32_t count = 0;
    uint32_t result = readI32(count);
    if (count < 0) {
        throw TProtocolException(TProtocolException::NEGATIVE_SIZE);
    }
    if (container_limit_ != 0 && count > container_limit_) {
        throw TProtocolException(TProtocolException::SIZE_LIMIT);
    }
    size = static_cast<uint32_t>(count);
    return result;
}

uint32_t TLTBinaryProtocol::readFieldBegin_virt(std::string& name, TType& fieldType,
                                                int16_t& fieldId) {
    name.clear();
    uint32_t result = readType(fieldType);
    fieldId = 0;
    if (fieldType != apache::thrift::protocol::T_STOP) {
        result += readI16(fieldId);
    }
    return result;
}

uint32_t TLTBinaryProtocol::readMapBegin_virt(TType& keyType, TType& valType, uint32_t& size) {
    uint32_t result = readType(keyType);
    result += readType(valType);
    return result + readSize(size);
}

uint32_t TLTBinaryProtocol::readListBegin_virt(TType& elemType, uint32_t& size) {
    uint32_t result = readType(elemType);
    return result + readSize(size);
}

uint32_t TLTBinaryProtocol::readSetBegin_virt(TType& elemType, uint32_t& size) {
    uint32_t result = readType(elemType);
    return result + readSize(size);
}

uint32_t TLTBinaryProtocol::skip_virt(TType type) {
    return apache::thrift::protocol::skip(static_cast<apache::thrift::protocol::TProtocol&>(*this),
                                          type);
}
