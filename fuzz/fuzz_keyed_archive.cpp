// Keyed archives as the analytics cache keeps its record lists: byte 0 picks the record class,
// the rest is the archive; plain values as the shared device identifier is kept.
#include "FuzzInput.h"
#include "analytics/TLANRecords.h"
#include "platform/foundation/KeyedUnarchiver.h"

namespace {

template <typename T>
void readAll(const Bytes& archive) {
    for (const auto& record : KeyedUnarchiver::unarchiveObjects<T>(archive)) {
        record->attributes();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    const Bytes archive = input.rest();
    switch (input.selector() % 6) {
        case 0:
            readAll<TLANLaunch>(archive);
            break;
        case 1:
            readAll<TLANTerminate>(archive);
            break;
        case 2:
            readAll<TLANEvent>(archive);
            break;
        case 3:
            readAll<TLANEkv>(archive);
            break;
        case 4:
            readAll<TLANError>(archive);
            break;
        default:
            KeyedUnarchiver::unarchiveValue(archive).description();
            break;
    }
    return 0;
}
