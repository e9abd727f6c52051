#pragma once

#include <thrift/protocol/TBinaryProtocol.h>
#include <thrift/transport/TBufferTransports.h>

#include <cstdint>
#include <memory>
#include <string>

// The non-strict binary protocol over a memory buffer, reading type codes as bytes and
// refusing any code the protocol does not define (the library would turn it into an enum
// value outside its range). Also used when skipping, so unknown fields get the same check.
// Owned by its user; one thread at a time.
class TLTBinaryProtocol : public apache::thrift::protocol::TBinaryProtocol {
public:
    using TType = apache::thrift::protocol::TType;

    // Strings and collections longer than the limit fail; 0 means no limit.
    TLTBinaryProtocol(std::shared_ptr<apache::thrift::transport::TMemoryBuffer> buffer,
                      int32_t limit);

    uint32_t readFieldBegin_virt(std::string& name, TType& fieldType, int16_t& fieldId) override;
    uint32_t readMapBegin_virt(TType& keyType, TType& valType, uint32_t& size) override;
    uint32_t readListBegin_virt(TType& elemType, uint32_t& size) override;
    uint32_t readSetBegin_virt(TType& elemType, uint32_t& size) override;
    uint32_t skip_virt(TType type) override;

private:
    uint32_t readType(TType& type);
    uint32_t readSize(uint32_t& size);
};
