// An account-service XML reply: byte 0 picks the reply parser, the rest is the body.
#include "FuzzInput.h"
#include "FuzzTradeModule.h"

namespace {

const FuzzTradeModule::Parse kParsers[] = {
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
    FuzzTradeModule::parseSelected(kParsers, FuzzInput{data, size});
    return 0;
}
