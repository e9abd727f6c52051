// The captcha reply's binary frame.
#include "FuzzInput.h"
#include "FuzzTradeModule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body = FuzzInput{data, size}.allText();
    FuzzTradeModule::parse([&](PXTradeDataAnalysis& parser) { parser.analysisJYCode(body); });
    return 0;
}
