// The logon reply's CLT_KEY: the fuzzer's bytes are the decrypted frame (key and session), sent
// encrypted and encoded as the server does, so the frame reader sees them as they are.
#include "FuzzInput.h"
#include "FuzzTradeModule.h"
#include "base/Base64Codec.h"
#include "base/NSDataAES128.h"
#include "platform/crypto/Md5.h"

namespace {

const char* const kLoginKey = "fuzz-login-key";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    // Byte 0 odd: the rest goes in as the CLT_KEY text itself, undecoded.
    std::string cltKey = input.restText();
    if ((input.selector() & 1) == 0) {
        auto cipher =
            NSDataAES128::SpecialAES128EncryptWithKey(input.rest(), Md5::digest(kLoginKey));
        cltKey = cipher ? Base64Codec::encodeData(*cipher) : std::string();
    }
    JYDict reply;
    reply["VUZI"]["REP"] = {{"retcode", 0}, {"CLT_KEY", cltKey}, {"IS_ENCRYPT", "0"}};
    const std::string body = reply.dump(-1, ' ', false, JYDict::error_handler_t::replace);
    FuzzTradeModule::parse(
        [&](PXTradeDataAnalysis& parser) { parser.analysisCPYLoginJY(body, kLoginKey); });
    return 0;
}
