// Property lists as user defaults, the saved-accounts file and the analytics cache are read:
// XML or binary, whichever the bytes are; what parses is written back and read again.
#include "FuzzInput.h"
#include "platform/foundation/PropertyList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    std::optional<PropertyList> value = PropertyList::parse(input.all());
    if (!value) {
        return 0;
    }
    value->description();
    PropertyList::parse(value->toBinary());
    PropertyList::parse(value->toXml());
    return 0;
}
