#include <gtest/gtest.h>

#include "quote/HQNetworkPostBodyCreate.h"

namespace {

std::shared_ptr<SubmissionPackage> chartPackage() {
    auto package = std::make_shared<SubmissionPackage>();
    package->MarketID = "1";
    package->DiskID = "1";
    package->CommodityID = "2";
    package->period = "6";
    package->numberOfRequest = "3000";
    package->requestTime = "1796365800000";
    package->direction = "1";
    return package;
}

}  // namespace

TEST(HQNetworkPostBodyCreate, shouldWriteHeadWithProtocolSessionAndBodyLength) {
    const Bytes request = HQNetworkPostBodyCreate::request(38, 0x01020304, {0xAA, 0xBB});
    EXPECT_EQ(request, (Bytes{0x00, 0x26, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00, 0x02, 0xAA,
                              0xBB}));
}

TEST(HQNetworkPostBodyCreate, shouldWriteLoginWithRealTextLengthsWhateverThePackageClaims) {
    EXPECT_EQ(HQNetworkPostBodyCreate::loginBody(nullptr, false),
              (Bytes{0x00, 0x00, 0x00, 0x00, 0x00}));
    LoginPackage package;
    package.userName = "ab";
    package.userNameLength = 9;
    package.password = "xyz";
    package.passwordLength = 1;
    EXPECT_EQ(HQNetworkPostBodyCreate::loginBody(&package, true),
              (Bytes{0x01, 0x00, 0x02, 'a', 'b', 0x00, 0x03, 'x', 'y', 'z'}));
    EXPECT_EQ(HQNetworkPostBodyCreate::loginBody(&package, false),
              (Bytes{0x00, 0x00, 0x00, 0x00, 0x00}));
}

TEST(HQNetworkPostBodyCreate, shouldCarryCommodityAbove255AndContinuationMarks) {
    SubmissionPackage package;
    package.MarketID = "1";
    package.DiskID = "4";
    package.CommodityID = "300";
    package.wuDangID = "7";
    package.fenBiID = "70000";
    EXPECT_EQ(HQNetworkPostBodyCreate::dataBody("oneyikoujia", package),
              (Bytes{0x00, 0x01, 0x00, 0x04, 0x01, 0x2C, 0x00, 0x00, 0x00, 0x07, 0x00, 0x01,
                     0x11, 0x70, 0x00, 0x00, 0x00, 0x00}));
}

TEST(HQNetworkPostBodyCreate, shouldWritePanelRequestsAsMarketAndDisk) {
    SubmissionPackage package;
    package.MarketID = "3";
    package.DiskID = "-2";
    package.yikoujiaCount = 99;
    for (const char* type : {"shiChangXinXix", "panJYTime", "allyikoujia"}) {
        EXPECT_EQ(HQNetworkPostBodyCreate::dataBody(type, package),
                  (Bytes{0x00, 0x03, 0xFF, 0xFE}))
            << type;
    }
}

TEST(HQNetworkPostBodyCreate, shouldWriteIncrementalKLineRequest) {
    EXPECT_EQ(HQNetworkPostBodyCreate::dataBody("Kline", *chartPackage()),
              (Bytes{0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x06, 0x00, 0x00, 0x0B, 0xB8, 0x00,
                     0x00, 0x01, 0xA2, 0x3F, 0xBE, 0xD2, 0x40, 0x01}));
}

TEST(HQNetworkPostBodyCreate, shouldAppendSearchDayCountToFirstKLineRequest) {
    auto package = chartPackage();
    package->numberOfRequest = "600";
    package->requestTime = "-1";
    package->direction = "0";
    package->searchDayCount = "30";
    EXPECT_EQ(HQNetworkPostBodyCreate::dataBody("manydaykxian", *package),
              (Bytes{0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x06, 0x00, 0x00, 0x02, 0x58, 0xFF,
                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x1E}));
}

TEST(HQNetworkPostBodyCreate, shouldTurnServerLocalMinuteIntoUtcMilliseconds) {
    auto package = chartPackage();
    package->numberOfRequest = "2000";
    package->requestTime = "202612041430";
    EXPECT_EQ(HQNetworkPostBodyCreate::dataBody("fenshi", *package, 480),
              (Bytes{0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00, 0x07, 0xD0, 0x00, 0x00,
                     0x01, 0xA2, 0x3F, 0xBE, 0xD2, 0x40, 0x01}));
    EXPECT_EQ(HQNetworkPostBodyCreate::requestTimeMs("202612041430", 0), 1796394600000);
    EXPECT_EQ(HQNetworkPostBodyCreate::requestTimeMs("-1", 480), -1);
    EXPECT_EQ(HQNetworkPostBodyCreate::requestTimeMs("", 480), 0);
}

TEST(HQNetworkPostBodyCreate, shouldWriteManyDayTimeSharingAsCommodityOnly) {
    EXPECT_EQ(HQNetworkPostBodyCreate::dataBody("manydayfenshi", *chartPackage()),
              (Bytes{0x00, 0x01, 0x00, 0x01, 0x00, 0x02}));
    EXPECT_TRUE(HQNetworkPostBodyCreate::dataBody("zipsec", *chartPackage()).empty());
    EXPECT_TRUE(HQNetworkPostBodyCreate::dataBody("KlinePeriod", SubmissionPackage()).empty());
}

TEST(HQNetworkPostBodyCreate, shouldMapEveryTypeToItsProtocol) {
    const std::pair<const char*, int> expected[] = {
        {"jyspaninfo", 10}, {"shiChangXinXix", 11}, {"panJYTime", 12},     {"Kline", 30},
        {"KlinePeriod", 31}, {"fenshi", 32},       {"manydaykxian", 33},  {"manydayfenshi", 34},
        {"severTime", 35},  {"zipsec", 36},        {"allyikoujia", 37},   {"oneyikoujia", 38}};
    for (const auto& [type, protocol] : expected) {
        EXPECT_EQ(HQNetworkPostBodyCreate::protocolForType(type), protocol) << type;
    }
    EXPECT_FALSE(HQNetworkPostBodyCreate::protocolForType("shiChangXinXi"));
    EXPECT_FALSE(HQNetworkPostBodyCreate::protocolForType("bogus"));
}
