// The analytics JSON coder: a reply read as an object or as any value, then written back.
#include "FuzzInput.h"
#include "analytics/TLANTxJsonParser.h"
#include "analytics/TLANTxJsonWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    const bool fragment = input.selector() & 1;
    const std::string text = input.restText();
    TLANTxJsonParser parser;
    auto value = fragment ? parser.fragmentWithString(text) : parser.objectWithString(text);
    if (!value) {
        return 0;
    }
    TLANTxJsonWriter writer;
    if (fragment) {
        writer.stringWithFragment(*value);
    } else {
        writer.stringWithObject(*value);
    }
    return 0;
}
