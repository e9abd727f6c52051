#pragma once

#include <thrift/protocol/TBinaryProtocol.h>
#include <thrift/transport/TBufferTransports.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTArchive.h"
#include "analytics/TLTBinaryProtocol.h"
#include "analytics/TLTWire.h"
#include "platform/foundation/Archivable.h"

// What every wire record offers on top of its fields: binary-protocol read and write with
// failures as values, bytes in and out of a memory buffer, the debug description, and
// keyed archiving of the flagged fields under their names. R derives from TLTRecord<R>,
// befriends TLTWire and names itself in kClassName. Records are plain values, any thread.
template <class R>
class TLTRecord : public Archivable {
public:
    // False when the protocol or its transport failed; the fields read so far stay set.
    bool read(apache::thrift::protocol::TProtocol& protocol);
    bool write(apache::thrift::protocol::TProtocol& protocol) const;

    // The record as a bare struct in the non-strict binary protocol; empty on failure.
    std::optional<std::vector<uint8_t>> toBytes() const;
    // Reads one struct from the front of the bytes; false when they end too early or
    // announce more than they hold.
    bool readBytes(const std::vector<uint8_t>& bytes);

    std::string description() const { return TLTWire::describe(static_cast<const R&>(*this)); }

    std::string archiveClassName() const override { return R::kClassName; }
    void encode(KeyedArchiver& archiver) const override;
    // Starts from every field unset, then takes each field whose key the archive holds.
    void decode(const KeyedUnarchiver& unarchiver) override;

    bool operator==(const TLTRecord&) const { return true; }
};

template <class R>
bool TLTRecord<R>::read(apache::thrift::protocol::TProtocol& protocol) {
    return TLTWire::succeeds([&] { TLTWire::readStruct(protocol, static_cast<R&>(*this)); });
}

template <class R>
bool TLTRecord<R>::write(apache::thrift::protocol::TProtocol& protocol) const {
    return TLTWire::succeeds([&] { TLTWire::writeStruct(protocol, static_cast<const R&>(*this)); });
}

template <class R>
std::optional<std::vector<uint8_t>> TLTRecord<R>::toBytes() const {
    auto buffer = std::make_shared<apache::thrift::transport::TMemoryBuffer>();
    apache::thrift::protocol::TBinaryProtocol protocol(buffer, 0, 0, false, false);
    if (!write(protocol)) {
        return std::nullopt;
    }
    uint8_t* data = nullptr;
    uint32_t size = 0;
    buffer->getBuffer(&data, &size);
    return std::vector<uint8_t>(data, data + size);
}

template <class R>
bool TLTRecord<R>::readBytes(const std::vector<uint8_t>& bytes) {
    // An empty buffer has no storage for the transport to point into: nothing to read anyway.
    if (bytes.empty() || bytes.size() > INT32_MAX) {
        return false;
    }
    auto buffer = std::make_shared<apache::thrift::transport::TMemoryBuffer>(
        const_cast<uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()),
        apache::thrift::transport::TMemoryBuffer::OBSERVE);
    // No string or collection can be longer than the input: the limits stop a forged length
    // from allocating gigabytes before the read fails.
    auto limit = static_cast<int32_t>(bytes.size());
    TLTBinaryProtocol protocol(buffer, limit);
    return read(protocol);
}

template <class R>
void TLTRecord<R>::encode(KeyedArchiver& archiver) const {
    std::apply(
        [&](const auto&... fields) {
            ((fields.field.isSet
                  ? TLTArchive::encodeValue(archiver, fields.name, fields.field.value)
                  : void()),
             ...);
        },
        TLTWire::fieldsOf(static_cast<const R&>(*this)));
}

template <class R>
void TLTRecord<R>::decode(const KeyedUnarchiver& unarchiver) {
    std::apply(
        [&](auto... fields) {
            (fields.field.unset(), ...);
            ((unarchiver.containsValue(fields.name)
                  ? (TLTArchive::decodeValue(unarchiver, fields.name, fields.field.value),
                     fields.field.isSet = true, void())
                  : void()),
             ...);
        },
        TLTWire::fieldsOf(static_cast<R&>(*this)));
}
