// A trading reply body in the JSON envelope (or the flat heartbeat JSON): byte 0 picks the
// reply parser, the rest is the body.
#include "FuzzInput.h"
#include "FuzzTradeModule.h"

namespace {

using Parse = void (PXTradeDataAnalysis::*)(const std::string&);

const Parse kParsers[] = {
    &PXTradeDataAnalysis::analysisCommodityInfoJY,
    &PXTradeDataAnalysis::analysisCPYFirmID,
    &PXTradeDataAnalysis::analysisChiCangHuiZongJY,
    &PXTradeDataAnalysis::analysisChiCangMingXiJY,
    &PXTradeDataAnalysis::analysisAccountInformationJY,
    &PXTradeDataAnalysis::analysisChengJiaoHuiBaoPXJY,
    &PXTradeDataAnalysis::analysisWeiTuoDanChaXunJY,
    &PXTradeDataAnalysis::analysisChengJiaoChaXunJY,
    &PXTradeDataAnalysis::analysisBaoBiaoChaXunPCJY,
    &PXTradeDataAnalysis::analysisBaoBiaoChaXunCJJY,
    &PXTradeDataAnalysis::analysisBaoBiaoChaXunCCJY,
    &PXTradeDataAnalysis::analysisBaoBiaoChaXunLSJY,
    &PXTradeDataAnalysis::analysisBaoBiaoChaXunZKJY,
    &PXTradeDataAnalysis::analysisMarketfundsinfoJY,
    &PXTradeDataAnalysis::analysisBankInfoJY,
    &PXTradeDataAnalysis::analysisCheckGoldRecodeJY,
    &PXTradeDataAnalysis::analysisCheckAccountBalanceJY,
    &PXTradeDataAnalysis::analysisAnnouncementListJY,
    &PXTradeDataAnalysis::analysisAnnouncementDetailJY,
    &PXTradeDataAnalysis::analysisGuaPaiListJY,
    &PXTradeDataAnalysis::analysisZhiJiaJianCangJY,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    const Parse parse = kParsers[input.selector() % std::size(kParsers)];
    const std::string body = input.restText();
    FuzzTradeModule::parse([&](PXTradeDataAnalysis& parser) { (parser.*parse)(body); });
    return 0;
}
