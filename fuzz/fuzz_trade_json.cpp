// A trading reply body in the JSON envelope (or the flat heartbeat JSON): byte 0 picks the
// reply parser, the rest is the body.
#include "FuzzInput.h"
#include "FuzzTradeModule.h"

namespace {

const FuzzTradeModule::Parse kParsers[] = {
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
    FuzzTradeModule::parseSelected(kParsers, FuzzInput{data, size});
    return 0;
}
