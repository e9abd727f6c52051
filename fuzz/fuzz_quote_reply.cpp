// A whole quote-server reply (head and body) as the quote client reads it: the head, the body
// for the protocol it names, then every data parser on that body.
#include "FuzzInput.h"
#include "quote/HQDataAnalysis.h"

namespace {

const char* const kTypes[] = {"jyspaninfo",    "shiChangXinXix", "panJYTime",   "allyikoujia",
                              "oneyikoujia",   "zipsec",         "KlinePeriod", "fenshi",
                              "manydayfenshi", "Kline",          "manydaykxian"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes reply(data, data + size);
    HQDataAnalysis head;
    const auto parsed = head.analysisHead(reply);
    if (!parsed) {
        return 0;
    }
    const auto body = head.analysisBody(parsed->protocol, reply);
    if (!body) {
        return 0;
    }
    HQDataAnalysis().analysisSeverProtocol(*body);
    HQDataAnalysis().analysisLogin(*body);
    HQDataAnalysis().analysisServerTime(*body);
    for (const char* type : kTypes) {
        HQDataAnalysis().analysisData(type, *body, 0);
    }
    return 0;
}
