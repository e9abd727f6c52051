// An account-service XML reply: byte 0 picks the reply parser, the rest is the body.
#include "FuzzInput.h"
#include "FuzzTradeModule.h"

namespace {

using Parse = void (PXTradeDataAnalysis::*)(const std::string&);

const Parse kParsers[] = {
    &PXTradeDataAnalysis::analysisOpenAccountJY,
    &PXTradeDataAnalysis::analysisPhoneCaptchaJY,
    &PXTradeDataAnalysis::analysisShouJiYanZhengJY,
    &PXTradeDataAnalysis::analysisPhoneNumberVerificationJY,
    &PXTradeDataAnalysis::analysisCreateAccountJY,
    &PXTradeDataAnalysis::analysisResetPasswordJY,
    &PXTradeDataAnalysis::analysisHuiYuanQuanXian,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    const Parse parse = kParsers[input.selector() % std::size(kParsers)];
    const std::string body = input.restText();
    FuzzTradeModule::parse([&](PXTradeDataAnalysis& parser) { (parser.*parse)(body); });
    return 0;
}
