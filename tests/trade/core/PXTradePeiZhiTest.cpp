#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "TradeCoreTest.h"
#include "platform/crypto/Md5.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/UserDefaults.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {

class PXTradePeiZhiTest : public TradeCoreTest {
protected:
    PXTradePeiZhi& peiZhi() { return module().PXJYPeiZhi(); }
    // Makes a request id and tells whether it is the upper-case MD5 of the address text and
    // the milliseconds of some moment while it was made.
    bool isIdOf(const std::string& address) {
        const int64_t before = DateFormat::nowMilliseconds();
        const std::string id = peiZhi().getCurrentDateWith();
        const int64_t after = DateFormat::nowMilliseconds();
        for (int64_t ms = before; ms <= after; ++ms) {
            if (Md5::upperHex(address + std::to_string(ms)) == id) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

TEST_F(PXTradePeiZhiTest, shouldSeedMissingAndBelowOneSettingsOnly) {
    setDefault("prompt", "0");
    setDefault("RefreshTrade", "5");
    setDefault("timeoutTime", "-3");
    peiZhi().setShiFoGangDengLu(false);
    peiZhi().setJiaoYiMoRenPeiZhi();
    EXPECT_TRUE(peiZhi().shiFoGangDengLu());
    UserDefaults::resetStandardUserDefaults();
    const UserDefaults& stored = UserDefaults::standardUserDefaults();
    EXPECT_EQ(stored.stringForKey("PromptType"), "3");
    EXPECT_EQ(stored.stringForKey("RefreshTrade"), "5");
    EXPECT_EQ(stored.stringForKey("timeoutTime"), "10");
    EXPECT_EQ(stored.stringForKey("prompt"), "1");
    EXPECT_EQ(stored.stringForKey("fastPrompt"), "2");
}

TEST_F(PXTradePeiZhiTest, shouldAddMissingPlatformAndEnvironmentLevelsAndKeepSavedAccounts) {
    m_host.directory.clear();
    m_host.setLines("A", "1", "1", {});
    m_host.setLines("A", "2", "1", {});
    m_host.setLines("B", "1", "1", {});
    peiZhi().creatAccountInfoPlist();
    auto file = PropertyList::readFile(m_host.accountsPath);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->keys(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(file->value("A").keys(), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(file->value("B").value("1").isDictionary());

    PropertyList saved = *file;
    PropertyList* environment = saved.find("A")->find("1");
    environment->set("800123456789012", PropertyList::dictionary());
    ASSERT_TRUE(saved.writeFile(m_host.accountsPath));
    m_host.setLines("B", "3", "1", {});
    peiZhi().creatAccountInfoPlist();
    file = PropertyList::readFile(m_host.accountsPath);
    EXPECT_TRUE(file->value("A").value("1").contains("800123456789012"));
    EXPECT_EQ(file->value("B").keys(), (std::vector<std::string>{"1", "3"}));
}

TEST_F(PXTradePeiZhiTest, shouldKeepAnUnreadableAccountsFileAsideAndStartAFreshOne) {
    ASSERT_TRUE(AtomicFile::write(m_host.accountsPath, std::string_view("not a plist")));
    m_host.setLines("A", "1", "1", {});
    peiZhi().creatAccountInfoPlist();

    const std::filesystem::path original(m_host.accountsPath);
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(original.parent_path())) {
        if (entry.path().filename().string().rfind(original.filename().string() + ".damaged-", 0) ==
            0) {
            kept.push_back(entry.path());
        }
    }
    ASSERT_EQ(kept.size(), 1u);
    const std::optional<Bytes> keptBytes = AtomicFile::read(kept.front().string());
    ASSERT_TRUE(keptBytes);
    EXPECT_EQ(std::string(keptBytes->begin(), keptBytes->end()), "not a plist");
    const std::optional<PropertyList> fresh = PropertyList::readFile(m_host.accountsPath);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->value("A").keys(), (std::vector<std::string>{"1"}));

    std::string log;
    for (const auto& entry :
         std::filesystem::directory_iterator(Paths::join(Paths::documents(), "Logs"))) {
        const std::optional<Bytes> bytes = AtomicFile::read(entry.path().string());
        log.append(bytes->begin(), bytes->end());
    }
    EXPECT_NE(log.find(kept.front().filename().string()), std::string::npos);
}

TEST_F(PXTradePeiZhiTest, shouldPairNoticeAndFundsLinksWithTheTradeLineByPosition) {
    m_host.setLines("01", "1", "1", {{"x", "", "http://t0 "}, {"y", "", "http://t 1"}});
    m_host.setLines("01", "1", "3", {{"", "", "http://f0"}, {"", "", "http://f1"}});
    m_host.setLines("01", "1", "2", {{"", "", "http://n0"}});
    module().PXJYData().setTradeLinkType("y");
    EXPECT_EQ(peiZhi().getURLString("1"), "http://t1");
    EXPECT_EQ(peiZhi().getURLString("3"), "http://f1");
    EXPECT_EQ(peiZhi().getURLString("2"), "http://n0");

    module().PXJYData().setTradeLinkType("none");
    EXPECT_EQ(peiZhi().getURLString("1"), "");
    std::set<std::string> drawn;
    for (int i = 0; i < 200; ++i) {
        drawn.insert(peiZhi().getURLString("3"));
    }
    EXPECT_EQ(drawn, (std::set<std::string>{"http://f0", "http://f1"}));

    peiZhi().setPlatformCODE("missing");
    EXPECT_EQ(peiZhi().getURLString("1"), "");
    EXPECT_EQ(peiZhi().getURLString("3"), "");
}

TEST_F(PXTradePeiZhiTest, shouldMakeRequestIdsFromTheHardwareAddressAndTheTime) {
    SystemInfo::setMacAddress(SystemInfo::MacAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
    EXPECT_TRUE(isIdOf("00:1A:2B:3C:4D:5E"));
    SystemInfo::setMacAddress(std::nullopt);
    EXPECT_TRUE(isIdOf("(null)"));
    SystemInfo::resetOverrides();
}

TEST_F(PXTradePeiZhiTest, shouldFormatWholePricesOnlyForAStepOfOne) {
    EXPECT_EQ(PXTradePeiZhi::getPointNum("1"), "%.0f");
    EXPECT_EQ(PXTradePeiZhi::getPointNum("0.01"), "%.2f");
    EXPECT_EQ(PXTradePeiZhi::getPointNum("5"), "%.2f");
    EXPECT_EQ(PXTradePeiZhi::getPointNum(""), "%.2f");
}

TEST_F(PXTradePeiZhiTest, shouldDrawRandomNumbersInsideTheClosedRange) {
    std::set<int> seen;
    for (int i = 0; i < 300; ++i) {
        seen.insert(PXTradePeiZhi::getRandomNumber(3, 5));
    }
    EXPECT_EQ(seen, (std::set<int>{3, 4, 5}));
}

namespace {

struct RightsCase {
    const char* sign;
    int priceMode;
    int direction;
    const char* flag;  // the commodity field set to flagValue; every other flag "1"
    const char* flagValue;
    const char* stoploss;
    const char* stopprofit;
    int expected;
};

std::string PXTradeCommodity::*field(const std::string& name) {
    static const std::map<std::string, std::string PXTradeCommodity::*> fields = {
        {"buyShiJian", &PXTradeCommodity::buyShiJianQuanXian},
        {"buyXianJian", &PXTradeCommodity::buyXianJianQuanXian},
        {"buyShiPing", &PXTradeCommodity::buyShiPingQuanXian},
        {"buyZhiSun", &PXTradeCommodity::buyZhiSunQuanXian},
        {"buyZhiYing", &PXTradeCommodity::buyZhiYingQuanXian},
        {"sellShiJian", &PXTradeCommodity::sellShiJianQuanXian},
        {"sellXianJian", &PXTradeCommodity::sellXianJianQuanXian},
        {"sellShiPing", &PXTradeCommodity::sellShiPingQuanXian},
        {"sellZhiSun", &PXTradeCommodity::sellZhiSunQuanXian},
        {"sellZhiYing", &PXTradeCommodity::sellZhiYingQuanXian},
    };
    return fields.at(name);
}

}  // namespace

TEST_F(PXTradePeiZhiTest, shouldCheckOrderRightsByTheCommoditysFlags) {
    const RightsCase cases[] = {
        {"1", 1, 1, "buyShiJian", "0", "", "", 1004},
        {"1", 1, 1, "buyShiJian", "1", "", "", 0},
        {"1", 2, 1, "buyXianJian", "0", "", "", 1006},
        {"1", 1, 2, "buyShiPing", "", "", "", 1005},
        {"2", 1, 1, "sellShiJian", "0", "", "", 1009},
        {"2", 2, 1, "sellXianJian", "0", "", "", 1011},
        {"2", 1, 2, "sellShiPing", "0", "", "", 1010},
        {"1", 2, 2, "buyZhiSun", "0", "12", "0", 1007},
        {"1", 2, 2, "buyZhiYing", "0", "12", "15", 1008},
        {"1", 2, 2, "buyZhiYing", "0", "12", "0", 0},
        {"2", 2, 2, "sellZhiSun", "0", "12", "0", 1012},
        {"2", 2, 2, "sellZhiYing", "0", "12", "0", 0},
        {"2", 2, 2, "sellZhiYing", "0", "0", "9", 1013},
        {"2", 2, 2, "sellZhiSun", "", "12", "0", 0},
        // A negative stop is no stop: neither flag decides.
        {"1", 2, 2, "buyZhiYing", "0", "-5", "10", 0},
        {"1", 2, 2, "buyZhiSun", "0", "10", "-5", 0},
        // Decimal stop prices are stops too.
        {"2", 2, 2, "sellZhiSun", "0", "0.5", "0", 1012},
        {"1", 2, 2, "buyZhiYing", "0", "0", "0.25", 1008},
        {"1", 2, 2, "buyZhiSun", "0", "0", "", 0},
        {"3", 1, 1, "buyShiJian", "1", "", "", -2},
        {"1", 3, 1, "buyShiJian", "1", "", "", -2},
    };
    for (const RightsCase& test : cases) {
        auto record = std::make_shared<PXTradeCommodity>();
        for (const char* name :
             {"buyShiJian", "buyXianJian", "buyShiPing", "buyZhiSun", "buyZhiYing", "sellShiJian",
              "sellXianJian", "sellShiPing", "sellZhiSun", "sellZhiYing"}) {
            (*record).*field(name) = "1";
        }
        (*record).*field(test.flag) = test.flagValue;
        module().PXJYData().setShangPinXinXi({{"AG", record}});
        const JYDict order = {{"commodityid", "AG"},
                              {"sign", test.sign},
                              {"stoploss", test.stoploss},
                              {"stopprofit", test.stopprofit}};
        EXPECT_EQ(peiZhi().PXXiaDanQuanXian(order, test.priceMode, test.direction), test.expected)
            << test.sign << " " << test.priceMode << " " << test.direction << " " << test.flag
            << "=" << test.flagValue;
    }
}

TEST_F(PXTradePeiZhiTest, shouldRefuseOpeningButAllowStopsForAnUnknownCommodity) {
    const JYDict order = {{"commodityid", "NONE"}, {"sign", "1"}, {"stoploss", "5"}};
    EXPECT_EQ(peiZhi().PXXiaDanQuanXian(order, 1, 1), 1004);
    EXPECT_EQ(peiZhi().PXXiaDanQuanXian(order, 2, 2), 0);
}

TEST_F(PXTradePeiZhiTest, shouldGiveTheRefusalTexts) {
    EXPECT_EQ(PXTradePeiZhi::PXCuoWuXinXi(1004), "此商品没有够入摘牌权限");
    EXPECT_EQ(PXTradePeiZhi::PXCuoWuXinXi(1010), "此商品当前用户没有该商品的转让权限");
    EXPECT_EQ(PXTradePeiZhi::PXCuoWuXinXi(1012), "此商品没有售出止损权限");
    EXPECT_EQ(PXTradePeiZhi::PXCuoWuXinXi(-2), "错误");
    EXPECT_FALSE(PXTradePeiZhi::PXCuoWuXinXi(0).has_value());
}

TEST_F(PXTradePeiZhiTest, shouldStartTheTradingSideInOneStep) {
    module().PXJYData().setFirmID("old");
    module().initPXTradeModule();
    EXPECT_TRUE(module().PXJYData().firmID().empty());
    EXPECT_EQ(module().defaultString("RefreshTrade"), "1");
    EXPECT_TRUE(PropertyList::readFile(m_host.accountsPath)->value("01").contains("1"));
    EXPECT_TRUE(module().PXJYTimerManger().heartTimer());
    EXPECT_TRUE(module().PXJYTimerManger().JY_Timer());
    EXPECT_FALSE(module().PXJYTimerManger().timeoutTimer());
    EXPECT_FALSE(module().tradeLogin());
}
