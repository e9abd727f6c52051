// The analytics Thrift reader: byte 0 picks the upload response, the kept envelope or the log
// entry; what reads is written and read again.
#include "FuzzInput.h"
#include "analytics/TLEnvelope.h"
#include "analytics/TLTResponse.h"
#include "analytics/TLTUALogEntry.h"

namespace {

template <typename R>
void readRecord(const Bytes& bytes) {
    R record;
    if (!record.readBytes(bytes)) {
        return;
    }
    record.description();
    if (auto bytes = record.toBytes()) {
        R again;
        again.readBytes(*bytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    switch (input.selector() % 3) {
        case 0:
            readRecord<TLTResponse>(input.rest());
            break;
        case 1:
            readRecord<TLEnvelope>(input.rest());
            break;
        default:
            readRecord<TLTUALogEntry>(input.rest());
            break;
    }
    return 0;
}
