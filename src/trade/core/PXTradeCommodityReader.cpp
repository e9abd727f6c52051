#include "trade/core/PXTradeCommodityReader.h"

#include "platform/foundation/Text.h"
#include "trade/core/TradeText.h"

namespace {

enum Conversion { kCopy, kStatus, kRule, kFeeCollection };

struct CommodityKey {
    const char* key;
    std::string PXTradeCommodity::*field;
    Conversion conversion;
};

using C = PXTradeCommodity;

const CommodityKey kKeys[] = {
    {"CO_I", &C::commodityCode, kCopy},
    {"CO_N", &C::commodityName, kCopy},
    {"STA", &C::commodityStatus, kStatus},
    {"CT_S", &C::tradeUnit, kCopy},
    {"SPREAD", &C::zuiXiaoBianDongJia, kCopy},
    {"SP_U", &C::shangXian, kCopy},
    {"SP_D", &C::xiaXian, kCopy},
    {"MA_A", &C::baoZhengJinSuanFa, kRule},
    {"MA_V", &C::baoZhengJinXIShu, kCopy},
    {"YA_A", &C::yanQiFeiSuanFa, kRule},
    {"PR_C", &C::zuoJieSuan, kCopy},
    {"FE_A", &C::JYShouXuFeiSuanFa, kRule},
    {"FEE_V", &C::shouXuFeiXiShu, kCopy},
    {"FEE_T", &C::shouQuFangShi, kFeeCollection},
    {"P_MIN_H", &C::DBZuiXiaoKeWeiTuoLiang, kCopy},
    {"P_M_H", &C::DBZuiDaKeWeiTuoLiang, kCopy},
    {"M_H", &C::ZuiDaChiCangLiang, kCopy},
    {"W_D_T_P", &C::CXXianJianQuanXian, kCopy},
    {"W_D_S_L_P", &C::CXZhiSunQuanXian, kCopy},
    {"W_D_S_P_P", &C::CXZhiYingQuanXian, kCopy},
    {"B_O_P", &C::buyShiJianQuanXian, kCopy},
    {"B_L_P", &C::buyShiPingQuanXian, kCopy},
    {"B_X_O_P", &C::buyXianJianQuanXian, kCopy},
    {"B_S_L", &C::buyZhiSunQuanXian, kCopy},
    {"B_S_P", &C::buyZhiYingQuanXian, kCopy},
    {"S_O_P", &C::sellShiJianQuanXian, kCopy},
    {"S_L_P", &C::sellShiPingQuanXian, kCopy},
    {"S_X_O_P", &C::sellXianJianQuanXian, kCopy},
    {"S_S_L", &C::sellZhiSunQuanXian, kCopy},
    {"S_S_P", &C::sellZhiYingQuanXian, kCopy},
    {"C_L_B_O", &C::cuoHeBuyXianJian, kCopy},
    {"C_L_B_C", &C::cuoHeBuyXianPing, kCopy},
    {"C_L_C_O", &C::cuoHeSellXianJian, kCopy},
    {"C_L_C_C", &C::cuoHeSellXianPing, kCopy},
    {"B_P_D_D", &C::buyDianCha, kCopy},
    {"S_P_D_D", &C::sellDianCha, kCopy},
    {"STOP_L_P", &C::zhiSunXiaDanDianCha, kCopy},
    {"STOP_P_P", &C::zhiYingXiaDanDianCha, kCopy},
    {"X_O_B_D_D", &C::XJJianCangBuyDianCha, kCopy},
    {"X_O_S_D_D", &C::XJJianCangSellDianCha, kCopy},
    {"U_O_D_D_MIN", &C::YHBJDianChaZuiXiaoZhi, kCopy},
    {"U_O_D_D_MAX", &C::YHBJDianChaZuiDaZhi, kCopy},
    {"U_O_D_D_DF", &C::YHBJDianChaMoRenZhi, kCopy},
    {"ORDER_NUM", &C::shangPinXianShiShunXu, kCopy},
    {"B_J_H", &C::baoJiaHuiLv, kCopy},
    {"CON_U", &C::commodityUnit, kCopy},
    {"SFE_A", &C::jiaoShouShouXuFeiSuanFa, kCopy},
    {"TM_SET", &C::jiaoShouBuyShouXuFei, kCopy},
    {"STM_SET", &C::jiaoShouSellShouXuFei, kCopy},
    {"BRDID", &C::suoShuPinZhongID, kCopy},
    {"B_T_M", &C::suoShuPinZhongJiaoYiMoShi, kCopy},
    {"TRADEMODE", &C::shangPinJiaoYiMoShi, kCopy},
    {"MIN_HQ_MOVE", &C::zuiXiaoHangQingDanWei, kCopy},
    {"MA_A_C", &C::cuoHeBaoZhengJinSuanFa, kCopy},
    {"MA_V_C", &C::cuoHeBaoZhengJinXiShu, kCopy},
    {"P_MIN_H_C", &C::cuoHeDanBiZuiXiaoKeWeiTuoLiang, kCopy},
    {"P_M_H_C", &C::cuoHeDanBiZuiDaKeWeiTuoLiang, kCopy},
    {"M_H_C", &C::cuoHeZuiDaChiCangLiang, kCopy},
    {"FE_A_C", &C::cuoHeJiaoYiShouXuFeiSuanFa, kCopy},
    {"FEE_V_C", &C::cuoHeShouXuFeiXiShu, kCopy},
    {"G_L_B_O", &C::guaPaiBuyJian, kCopy},
    {"G_L_B_C", &C::guaPaiBuyPing, kCopy},
    {"G_L_S_O", &C::guaPaiSellJian, kCopy},
    {"G_L_S_C", &C::guaPaiSellPing, kCopy},
    {"Z_L_B_O", &C::zhaiPaiBuyJian, kCopy},
    {"Z_L_B_C", &C::zhaiPaiBuyPing, kCopy},
    {"Z_L_S_O", &C::zhaiPaiSellJian, kCopy},
    {"Z_L_S_C", &C::zhaiPaiSellPing, kCopy},
    {"FS", &C::qiangZhiJiaoShou, kCopy},
};

// Coded fields read a missing or non-numeric text as 0.
std::string convert(Conversion conversion, int code) {
    switch (conversion) {
        case kStatus:
            return code == 0 ? "编辑中" : code == 1 ? "上市" : "退市";
        case kRule:
            return code == 1 ? "按百分比" : "按交易数量";
        case kFeeCollection:
            return code == 1   ? "单边摘牌"
                   : code == 2 ? "单边转让"
                   : code == 3 ? "双边建平"
                               : "隔夜建平";
        case kCopy:
            break;
    }
    return {};
}

std::vector<JYDict> deferralSteps(const JYDict& element) {
    const char* const stepKeys[] = {"STEP_L", "STEP_V", "YA_V"};
    std::vector<JYDict> steps;
    const auto yars = element.find("YARS");
    if (yars == element.end() || !yars->is_object()) {
        JYDict blank = JYDict::object();
        for (const char* key : stepKeys) {
            blank[key] = " ";
        }
        steps.push_back(blank);
        return steps;
    }
    const auto yas = yars->find("YAS");
    if (yas == yars->end() || !yas->is_array()) {
        return steps;
    }
    for (const JYDict& item : *yas) {
        JYDict step = JYDict::object();
        for (const char* key : stepKeys) {
            if (TradeText::has(item, key)) {
                step[key] = TradeText::textAt(item, key);
            }
        }
        steps.push_back(step);
    }
    return steps;
}

}  // namespace

std::shared_ptr<PXTradeCommodity> readTradeCommodity(const JYDict& element) {
    auto record = std::make_shared<PXTradeCommodity>();
    for (const CommodityKey& entry : kKeys) {
        const bool present = TradeText::has(element, entry.key);
        const std::string text = TradeText::textAt(element, entry.key);
        if (entry.conversion != kCopy) {
            (*record).*entry.field = convert(entry.conversion, Text::intValue(text));
        } else if (present) {
            (*record).*entry.field = text;
        }
    }
    if (!TradeText::has(element, "U_O_D_D_DF")) {
        record->YHBJDianChaMoRenZhi = "0";
    }
    record->yanQiFeiArray = deferralSteps(element);
    return record;
}
