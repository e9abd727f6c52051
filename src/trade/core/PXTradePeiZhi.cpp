#include "trade/core/PXTradePeiZhi.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include "base/NSStringUtil.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Text.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"

namespace {

// Settings seeded when missing or below 1, in the order they are written.
const std::pair<const char*, const char*> kSettingsDefaults[] = {
    {"PromptType", "3"}, {"RefreshTrade", "1"}, {"timeoutTime", "10"},
    {"prompt", "1"},     {"fastPrompt", "2"},
};

const char* const kTradeUrlType = "1";

std::string withoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

struct RightsRow {
    int sign;
    int direction;
    int priceMode;
    std::string PXTradeCommodity::*flag;
    int code;
};

// Opening and market-price closing: only a flag of exactly "1" allows.
const RightsRow kRightsRows[] = {
    {1, 1, 1, &PXTradeCommodity::buyShiJianQuanXian, 1004},
    {1, 1, 2, &PXTradeCommodity::buyXianJianQuanXian, 1006},
    {1, 2, 1, &PXTradeCommodity::buyShiPingQuanXian, 1005},
    {2, 1, 1, &PXTradeCommodity::sellShiJianQuanXian, 1009},
    {2, 1, 2, &PXTradeCommodity::sellXianJianQuanXian, 1011},
    {2, 2, 1, &PXTradeCommodity::sellShiPingQuanXian, 1010},
};

struct StopRow {
    int sign;
    std::string PXTradeCommodity::*lossFlag;
    int lossCode;
    std::string PXTradeCommodity::*profitFlag;
    int profitCode;
};

// Stops: only a flag of exactly "0" refuses.
const StopRow kStopRows[] = {
    {1, &PXTradeCommodity::buyZhiSunQuanXian, 1007, &PXTradeCommodity::buyZhiYingQuanXian, 1008},
    {2, &PXTradeCommodity::sellZhiSunQuanXian, 1012, &PXTradeCommodity::sellZhiYingQuanXian, 1013},
};

const std::pair<int, const char*> kRefusalTexts[] = {
    {1004, "此商品没有够入摘牌权限"},
    {1005, "此商品当前用户没有该商品的转让权限"},
    {1006, "此商品没有够入条件摘牌权限"},
    {1007, "此商品没有够入止损权限"},
    {1008, "此商品没有够入止盈权限"},
    {1009, "此商品没有售出摘牌权限"},
    {1010, "此商品当前用户没有该商品的转让权限"},
    {1011, "此商品没有售出条件摘牌权限"},
    {1012, "此商品没有售出止损权限"},
    {1013, "此商品没有售出止盈权限"},
    {-2, "错误"},
};

}  // namespace

PXTradePeiZhi::PXTradePeiZhi(PXTradeModule& module) : m_module(module) {}

PXTradeTarget PXTradePeiZhi::target() const {
    return {m_platformCODE, m_environmentCODE, m_module.PXJYData().tradeLinkType()};
}

void PXTradePeiZhi::setTarget(const PXTradeTarget& target) {
    m_platformCODE = target.platformCODE;
    m_environmentCODE = target.environmentCODE;
    m_module.PXJYData().setTradeLinkType(target.tradeLinkType);
}

std::string PXTradePeiZhi::getURLString(const std::string& urlType) const {
    return getURLString(urlType, target());
}

std::string PXTradePeiZhi::getURLString(const std::string& urlType,
                                        const PXTradeTarget& target) const {
    PXTradeHost& host = m_module.host();
    const std::string& linkCode = target.tradeLinkType;
    const auto tradeLines =
        host.llArray(target.platformCODE, target.environmentCODE, kTradeUrlType);
    const std::vector<PXTradeLine> noLines;
    const std::vector<PXTradeLine>& trade = tradeLines ? *tradeLines : noLines;
    if (urlType == kTradeUrlType) {
        std::string result;
        for (const PXTradeLine& line : trade) {
            if (line.code == linkCode) {
                result = line.url;
            }
        }
        return withoutSpaces(result);
    }
    // The n-th notice and funds links go with the n-th trade link.
    size_t position = 0;
    while (position < trade.size() && trade[position].code != linkCode) {
        ++position;
    }
    const auto lines = host.llArray(target.platformCODE, target.environmentCODE, urlType);
    if (!lines || lines->empty()) {
        return {};
    }
    if (position < lines->size()) {
        return withoutSpaces((*lines)[position].url);
    }
    const int drawn = getRandomNumber(0, static_cast<int>(lines->size()) - 1);
    return withoutSpaces((*lines)[static_cast<size_t>(drawn)].url);
}

int PXTradePeiZhi::getRandomNumber(int from, int to) {
    static std::mt19937 generator{std::random_device{}()};
    if (to < from) {
        return from;
    }
    return std::uniform_int_distribution<int>(from, to)(generator);
}

std::string PXTradePeiZhi::getPointNum(const std::string& zuiXiaoBianDongJia) {
    return zuiXiaoBianDongJia == "1" ? "%.0f" : "%.2f";
}

int PXTradePeiZhi::PXXiaDanQuanXian(const JYDict& order, int shiJiaZhiJia,
                                    int JianCangPingCang) const {
    const auto& commodities = m_module.PXJYData().shangPinXinXi();
    const auto it = commodities.find(TradeText::textAt(order, "commodityid"));
    const PXTradeCommodity noRecord;
    const PXTradeCommodity& record = it != commodities.end() && it->second ? *it->second : noRecord;
    const int sign = Text::intValue(TradeText::textAt(order, "sign"));

    for (const RightsRow& row : kRightsRows) {
        if (row.sign == sign && row.direction == JianCangPingCang &&
            row.priceMode == shiJiaZhiJia) {
            return record.*row.flag == "1" ? 0 : row.code;
        }
    }
    if (JianCangPingCang != 2 || shiJiaZhiJia != 2) {
        return -2;
    }
    for (const StopRow& row : kStopRows) {
        if (row.sign != sign) {
            continue;
        }
        // Stop prices are decimals: any price above 0 is a stop to check (0.5 is one). A price
        // below 0 is no stop, and then neither flag is looked at.
        const double loss = Text::doubleValue(TradeText::textAt(order, "stoploss"));
        const double profit = Text::doubleValue(TradeText::textAt(order, "stopprofit"));
        const bool lossRefused = record.*row.lossFlag == "0";
        const bool profitRefused = record.*row.profitFlag == "0";
        if (loss > 0 && profit > 0) {
            return lossRefused ? row.lossCode : profitRefused ? row.profitCode : 0;
        }
        if (loss > 0 && profit == 0) {
            return lossRefused ? row.lossCode : 0;
        }
        if (loss == 0 && profit > 0) {
            return profitRefused ? row.profitCode : 0;
        }
        return 0;
    }
    return -2;
}

std::optional<std::string> PXTradePeiZhi::PXCuoWuXinXi(int code) {
    for (const auto& [known, text] : kRefusalTexts) {
        if (known == code) {
            return std::string(text);
        }
    }
    return std::nullopt;
}

void PXTradePeiZhi::setJiaoYiMoRenPeiZhi() {
    m_shiFoGangDengLu = true;
    for (const auto& [key, value] : kSettingsDefaults) {
        if (!m_module.hasDefault(key) || Text::intValue(m_module.defaultString(key)) < 1) {
            m_module.setDefaultString(key, value);
        }
    }
    m_module.synchronizeDefaults();
    creatAccountInfoPlist();
}

void PXTradePeiZhi::creatAccountInfoPlist() {
    const std::string path = m_module.host().accountInfoFilePath();
    if (path.empty()) {
        return;
    }
    const DictionaryFile::Contents accounts = readAccountsFile(path);
    if (!accounts.writable) {
        return;
    }
    if (!std::filesystem::exists(path)) {
        accounts.values.writeFile(path);
    }
    PXTradeHost& host = m_module.host();
    for (const std::string& platform : host.allJysCodeWithEnvAndLL()) {
        for (const std::string& environment : host.allEnvCodeWithLL(platform)) {
            setPlistValue(platform, environment);
        }
    }
}

void PXTradePeiZhi::setPlistValue(const std::string& platform, const std::string& environment) {
    const std::string path = m_module.host().accountInfoFilePath();
    DictionaryFile::Contents accounts = readAccountsFile(path);
    if (!accounts.writable) {
        return;
    }
    PropertyList* platformEntry = accounts.values.find(platform);
    if (platformEntry && platformEntry->isDictionary() && platformEntry->contains(environment)) {
        return;
    }
    if (!platformEntry || !platformEntry->isDictionary()) {
        accounts.values.set(platform, PropertyList::dictionary());
        platformEntry = accounts.values.find(platform);
    }
    platformEntry->set(environment, PropertyList::dictionary());
    accounts.values.writeFile(path);
}

DictionaryFile::Contents PXTradePeiZhi::readAccountsFile(const std::string& path) {
    return DictionaryFile::read(path, "saved accounts", "platforms");
}

std::string PXTradePeiZhi::getCurrentDateWith() const {
    const std::string address = NSStringUtil::macaddress().value_or("(null)");
    return NSStringUtil::md5(address + std::to_string(DateFormat::nowMilliseconds()));
}
