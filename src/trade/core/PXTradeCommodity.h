#pragma once
// Trading parameters of one commodity as the commodity_query reply sends them. Made by the
// reply parser, kept by PXTradeData under its code, read by every order screen. Plain record;
// an absent reply key leaves its field empty. Main thread.

#include <string>
#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXTradeCommodity {
public:
    std::string commodityCode;
    std::string commodityName;
    std::string commodityStatus;
    std::string tradeUnit;
    std::string zuiXiaoBianDongJia;
    std::string shangXian;
    std::string xiaXian;
    std::string baoZhengJinSuanFa;
    std::string baoZhengJinXIShu;
    std::string yanQiFeiSuanFa;
    std::vector<JYDict> yanQiFeiArray;
    std::string zuoJieSuan;
    std::string JYShouXuFeiSuanFa;
    std::string shouXuFeiXiShu;
    std::string shouQuFangShi;
    std::string DBZuiXiaoKeWeiTuoLiang;
    std::string DBZuiDaKeWeiTuoLiang;
    std::string ZuiDaChiCangLiang;
    std::string CXXianJianQuanXian;
    std::string CXZhiSunQuanXian;
    std::string CXZhiYingQuanXian;
    std::string buyShiJianQuanXian;
    std::string buyXianJianQuanXian;
    std::string buyShiPingQuanXian;
    std::string buyZhiSunQuanXian;
    std::string buyZhiYingQuanXian;
    std::string sellShiJianQuanXian;
    std::string sellXianJianQuanXian;
    std::string sellShiPingQuanXian;
    std::string sellZhiSunQuanXian;
    std::string sellZhiYingQuanXian;
    std::string cuoHeBuyXianJian;
    std::string cuoHeBuyXianPing;
    std::string cuoHeSellXianJian;
    std::string cuoHeSellXianPing;
    std::string buyDianCha;
    std::string sellDianCha;
    std::string zhiSunXiaDanDianCha;
    std::string zhiYingXiaDanDianCha;
    std::string XJJianCangBuyDianCha;
    std::string XJJianCangSellDianCha;
    std::string YHBJDianChaZuiXiaoZhi;
    std::string YHBJDianChaZuiDaZhi;
    std::string YHBJDianChaMoRenZhi;
    std::string shangPinXianShiShunXu;
    std::string baoJiaHuiLv;
    std::string commodityUnit;
    std::string jiaoShouShouXuFeiSuanFa;
    std::string jiaoShouBuyShouXuFei;
    std::string jiaoShouSellShouXuFei;
    std::string suoShuPinZhongID;
    std::string suoShuPinZhongJiaoYiMoShi;
    std::string shangPinJiaoYiMoShi;
    std::string zuiXiaoHangQingDanWei;
    std::string cuoHeBaoZhengJinSuanFa;
    std::string cuoHeBaoZhengJinXiShu;
    std::string cuoHeDanBiZuiXiaoKeWeiTuoLiang;
    std::string cuoHeDanBiZuiDaKeWeiTuoLiang;
    std::string cuoHeZuiDaChiCangLiang;
    std::string cuoHeJiaoYiShouXuFeiSuanFa;
    std::string cuoHeShouXuFeiXiShu;
    std::string guaPaiBuyJian;
    std::string guaPaiBuyPing;
    std::string guaPaiSellJian;
    std::string guaPaiSellPing;
    std::string zhaiPaiBuyJian;
    std::string zhaiPaiBuyPing;
    std::string zhaiPaiSellJian;
    std::string zhaiPaiSellPing;
    std::string qiangZhiJiaoShou;
};
