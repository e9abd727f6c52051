#pragma once
// Trading configuration: the settings defaults, the saved-accounts file skeleton, the server
// address of each kind of request, request ids, order rights and their refusal texts, and the
// price format of a commodity. One instance, owned by PXTradeModule. Main thread only.

#include <optional>
#include <string>

#include "platform/foundation/DictionaryFile.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeModule;

class PXTradePeiZhi {
public:
    explicit PXTradePeiZhi(PXTradeModule& module);

    // Seeds the five trading settings, then makes sure the saved-accounts file has every
    // platform and environment level of the directory model.
    void setJiaoYiMoRenPeiZhi();
    void creatAccountInfoPlist();
    void setPlistValue(const std::string& platform, const std::string& environment);
    // The saved-accounts file at path as every user of it reads it: a damaged file gives back
    // the accounts still readable, is kept aside (the day log says so) and replaced by them.
    static DictionaryFile::Contents readAccountsFile(const std::string& path);

    // Base address of URL type "1" (trade), "2" (notices and reports) or "3" (funds), on the
    // live session's server or on another one.
    std::string getURLString(const std::string& urlType) const;
    std::string getURLString(const std::string& urlType, const PXTradeTarget& target) const;
    // The live session's server: the two codes and the store's trading line.
    PXTradeTarget target() const;
    void setTarget(const PXTradeTarget& target);
    static int getRandomNumber(int from, int to);
    // A new request id: MD5 (upper-case hex) of the hardware address and the milliseconds.
    std::string getCurrentDateWith() const;
    // "%.0f" for a price step of exactly "1", "%.2f" otherwise.
    static std::string getPointNum(const std::string& zuiXiaoBianDongJia);

    // 0 when the order dictionary may be sent for that price mode (1 market, 2 set price or
    // stops) and direction (1 open, 2 close), else a refusal code.
    int PXXiaDanQuanXian(const JYDict& order, int shiJiaZhiJia, int JianCangPingCang) const;
    static std::optional<std::string> PXCuoWuXinXi(int code);

    bool shiFoGangDengLu() const { return m_shiFoGangDengLu; }
    void setShiFoGangDengLu(bool value) { m_shiFoGangDengLu = value; }
    const std::string& platformCODE() const { return m_platformCODE; }
    void setPlatformCODE(std::string value) { m_platformCODE = std::move(value); }
    const std::string& environmentCODE() const { return m_environmentCODE; }
    void setEnvironmentCODE(std::string value) { m_environmentCODE = std::move(value); }
    const std::string& loginInfo() const { return m_loginInfo; }
    void setLoginInfo(std::string value) { m_loginInfo = std::move(value); }

private:
    PXTradeModule& m_module;
    bool m_shiFoGangDengLu = false;
    std::string m_platformCODE;
    std::string m_environmentCODE;
    std::string m_loginInfo;
};
