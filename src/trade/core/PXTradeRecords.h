#pragma once
// Plain records of the trading store: holding summaries and tickets, the latest trading prices
// of a commodity, and the session of the logged-in account. Every value the server sends stays
// its decimal text. Shared through std::shared_ptr; main thread.

#include <cstdint>
#include <string>
#include <vector>

// One holding summary: one commodity and one direction of the account.
class PXJYChiCangHuiZong {
public:
    std::string commodityCode;
    std::string fuDongYingKui;
    std::string chiCangBaoZhengJin;
    std::string buySellSign;
    std::string shuLiang;
    std::string jianCangJunJia;
    std::string pingJunChiCangJia;
    std::string dongJieShuLiang;
    std::string jiaoYiShouXuFei;

    // What tells one summary of the account from another: its commodity and direction.
    std::string key() const { return commodityCode + "/" + buySellSign; }
};

// One holding ticket.
class PXJYChiCangMingXi {
public:
    std::string chiCangDanHao;
    std::string chengJiaoDanHao;
    std::string commodityCode;
    std::string buySellSign;
    std::string kaiCangShuLiang;
    std::string dangQianChiCangLiang;
    std::string dongJieShuLiang;
    std::string jianCangJia;
    std::string chiCangJia;
    std::string jianCangShiJian;
    std::string fuDongYingKui;
    std::string baoZhengJin;
    std::string jiaoYiShouXuFei;
    std::string zhiSun;
    std::string zhiYing;
    std::string chengJiaoDuiFang;
    std::string weiTuoYuanDaiMa;
    std::string chiCangBaoZhengJinBiLi;
};

// Latest trading prices of one commodity, copied from the quote side on each refresh tick.
class PXTradeYiKouJia {
public:
    std::string commodityCode;
    double commodityTopPrice = 0;
    double commodityLowerPrice = 0;
    double commodityNewPrice = 0;
    double commodityBuyPrice = 0;
    double commoditySellPrice = 0;
    std::string commodityDate;
    double todayOpen = 0;
    double yesterdayClose = 0;
    int32_t gpNum = 0;
    int32_t gpNumSell = 0;
};

// Session of the logged-in account, filled from the logon reply. The key and the server token
// are secrets: never logged or shown.
class PXTradeSession {
public:
    std::string JYsessionID;
    std::vector<uint8_t> encryptKey_data;
    std::string encryptSign;
    std::string srvToken;
    // The account the logon was given for: the session's requests name it, whatever account a
    // logon still on its way has typed.
    std::string userID;
};
