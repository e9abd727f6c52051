#include <gtest/gtest.h>

#include <atomic>

#include "TallyTestRig.h"
#include "analytics/TallyStat.h"
#include "analytics/TallyStatCheckUpdate.h"
#include "analytics/TallyStatOnlineConfig.h"
#include "platform/foundation/GlobalQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Window.h"

namespace {

constexpr const char* kUpdateReply =
    R"({"update":"YES","version":"2.1","update_log":"修复若干问题","path":"http://127.0.0.1/app/2.1"})";

class TallyStatCheckUpdateTest : public ::testing::Test {
protected:
    TallyStatCheckUpdateTest() : window(screen.bounds()), driver(screen) {
        window.makeKeyAndVisible();
        application.setOpenURLHandler([this](const std::string& url) {
            opened.push_back(url);
            return true;
        });
    }

    void startAndCheck() {
        rig.start();
        TallyStat::checkUpdate("澜石金银", "忽略", "更新");
    }

    bool waitForUpdateRequest() {
        return rig.runUntil([&] { return rig.sim().requestCount("/api/check_app_update") > 0; }) &&
               rig.settle();
    }

    TallyTestRig rig;
    Application application;
    Screen screen;
    Window window;
    ScreenDriver driver;
    std::vector<std::string> opened;
};

}  // namespace

TEST_F(TallyStatCheckUpdateTest, shouldShowTheNewVersionAndOpenItsAddressOnUpdate) {
    rig.sim().setUpdateReply(kUpdateReply);
    startAndCheck();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));

    AlertView* alert = driver.visibleAlert();
    EXPECT_EQ(alert->title(), "澜石金银2.1");
    EXPECT_EQ(alert->message(), "修复若干问题");
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "忽略");
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "更新");
    ASSERT_TRUE(driver.tapAlertButton("更新"));
    EXPECT_EQ(opened, std::vector<std::string>{"http://127.0.0.1/app/2.1"});

    const SimAnalyticsRequest request = rig.sim().requests("/api/check_app_update").front();
    EXPECT_EQ(request.host, 0);
    EXPECT_NE(request.content.find(R"("type":"update")"), std::string::npos);
    EXPECT_NE(request.content.find(R"("current_version":"2.0")"), std::string::npos);
    EXPECT_NE(request.content.find(R"("appkey":"5f2c9a7e01d34b8c")"), std::string::npos);
}

TEST_F(TallyStatCheckUpdateTest, shouldOpenNothingWhenTheUserIgnoresTheUpdate) {
    rig.sim().setUpdateReply(kUpdateReply);
    startAndCheck();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));
    ASSERT_TRUE(driver.tapAlertButton("忽略"));
    EXPECT_TRUE(opened.empty());
}

TEST_F(TallyStatCheckUpdateTest, shouldShowNoAlertForALowerCaseYes) {
    rig.sim().setUpdateReply(R"({"update":"yes","version":"2.1","path":"http://x/"})");
    startAndCheck();
    ASSERT_TRUE(waitForUpdateRequest());
    driver.settle();
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    EXPECT_EQ(TallyStatCheckUpdate::sharedInstance().updateInfo()["current_version"],
              TLANJsonValue("2.0"));
}

TEST_F(TallyStatCheckUpdateTest, shouldRefuseToOpenAnAddressThatIsNotHttp) {
    rig.sim().setUpdateReply(R"({"update":"YES","version":"2.1","path":"file:///etc/passwd"})");
    startAndCheck();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));
    ASSERT_TRUE(driver.tapAlertButton("更新"));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(TallyStatCheckUpdate::isOpenableAddress("HTTPS://example.test/app"));
    EXPECT_FALSE(TallyStatCheckUpdate::isOpenableAddress("javascript:alert(1)"));
    EXPECT_FALSE(TallyStatCheckUpdate::isOpenableAddress("http://"));
}

TEST_F(TallyStatCheckUpdateTest, shouldTryTheFallbackHostWhenThePrimaryIsDown) {
    rig.sim().setUpdateReply(kUpdateReply);
    rig.sim().refuse(0);
    startAndCheck();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));
    EXPECT_EQ(rig.sim().requests("/api/check_app_update").front().host, 1);
}

TEST_F(TallyStatCheckUpdateTest, shouldRunACheckAskedForBeforeTheKeyOnceTheKeyArrives) {
    rig.sim().setUpdateReply(kUpdateReply);
    TallyStat::checkUpdate("澜石金银", "忽略", "更新");
    EXPECT_TRUE(TallyStatCheckUpdate::sharedInstance().checkUpdateJobFlag());
    rig.start();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));
    EXPECT_FALSE(TallyStatCheckUpdate::sharedInstance().checkUpdateJobFlag());
}

TEST_F(TallyStatCheckUpdateTest, shouldLetTwoChecksBeforeTheKeyCancelEachOther) {
    TallyStat::checkUpdate();
    TallyStat::checkUpdate();
    rig.start();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.uploads().empty(); }));
    ASSERT_TRUE(rig.settle());
    EXPECT_EQ(rig.sim().requestCount("/api/check_app_update"), 0u);
}

TEST_F(TallyStatCheckUpdateTest, shouldHandTheReplyToTheCallerInsteadOfAnAlert) {
    rig.sim().setUpdateReply(kUpdateReply);
    rig.start();
    std::optional<PropertyList> reply;
    auto callback = std::make_shared<TallyStat::UpdateCallback>(
        [&](const PropertyList& info) { reply = info; });
    TallyStat::checkUpdateWithDelegate(callback);
    ASSERT_TRUE(rig.runUntil([&] { return reply.has_value(); }));
    EXPECT_EQ((*reply)["version"].toString(), "2.1");
    EXPECT_EQ((*reply)["current_version"].toString(), "2.0");
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

TEST_F(TallyStatCheckUpdateTest, shouldRaiseTheAlertAgainOnceTheCallerHasLetItsCallbackGo) {
    rig.sim().setUpdateReply(kUpdateReply);
    rig.start();
    int replies = 0;
    auto callback =
        std::make_shared<TallyStat::UpdateCallback>([&](const PropertyList&) { ++replies; });
    TallyStat::checkUpdateWithDelegate(callback);
    ASSERT_TRUE(rig.runUntil([&] { return replies == 1; }));
    callback.reset();

    TallyStat::checkUpdate("澜石金银", "忽略", "更新");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 20));
    EXPECT_EQ(driver.visibleAlert()->title(), "澜石金银2.1");
    EXPECT_EQ(replies, 1);
    EXPECT_EQ(rig.sim().requestCount("/api/check_app_update"), 2u);
}

TEST_F(TallyStatCheckUpdateTest, shouldStoreTheServicesConfigurationAndPostWhenDone) {
    rig.sim().setConfigReply(
        R"({"report_policy":4,"report_interval":5,"ad_request":0,"config_update":"Yes",)"
        R"("last_config_time":"20261206","online_params":{"level":3,"name":"金"}})");
    rig.start();
    bool finished = false;
    NotificationCenter::defaultCenter().addObserver(
        this, TallyStatOnlineConfig::kDidFinishNotification, nullptr,
        [&](const std::string&, const void*, const PropertyList&) { finished = true; });
    TallyStat::updateOnlineConfig();
    ASSERT_TRUE(rig.runUntil([&] { return finished; }));
    NotificationCenter::defaultCenter().removeObserver(this);

    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    EXPECT_EQ(defaults.integerForKey("report_policy"), 4);
    EXPECT_EQ(defaults.integerForKey("tally_report_interval"), 10);
    EXPECT_EQ(defaults.stringForKey("last_config_time"), "20261206");
    EXPECT_EQ(TallyStat::getConfigParams("level"), std::optional<std::string>("3"));
    EXPECT_EQ(TallyStat::getConfigParams("name"), std::optional<std::string>("金"));
    EXPECT_EQ(TallyStat::getConfigParams("missing"), std::nullopt);
    const std::string content = rig.sim().requests("/check_config_update").front().content;
    EXPECT_NE(content.find(R"("type":"online_config")"), std::string::npos);
}

TEST_F(TallyStatCheckUpdateTest, shouldKeepTheParametersWhenTheConfigurationIsNotNew) {
    UserDefaults::standardUserDefaults().setObject(
        PropertyList(PropertyList::Dictionary{{"level", PropertyList("1")}}), "online_params");
    rig.sim().setConfigReply(
        R"({"report_interval":100000,"config_update":"No","online_params":{"level":"9"}})");
    rig.start();
    TallyStat::updateOnlineConfig();
    ASSERT_TRUE(rig.runUntil([&] { return rig.sim().requestCount("/check_config_update") > 0; }));
    ASSERT_TRUE(rig.settle());
    EXPECT_EQ(TallyStat::getConfigParams("level"), std::optional<std::string>("1"));
    EXPECT_EQ(UserDefaults::standardUserDefaults().integerForKey("tally_report_interval"), 10);
}

TEST_F(TallyStatCheckUpdateTest, shouldFetchTheFirstAdAddressOnAWorkerThread) {
    rig.sim().setConfigReply(R"({"ad_request":1})");
    rig.sim().setAdReply(R"({"status":0,"count":2,"ad_urls":["http://a/1.png","http://a/2.png"]})");
    rig.start();
    std::atomic<bool> done{false};
    std::string address;
    GlobalQueue::post([&] {
        address = TallyStat::getAdURL();
        done = true;
    });
    ASSERT_TRUE(rig.runUntil([&] { return done.load(); }));
    EXPECT_EQ(address, "http://a/1.png");
    const std::string content = rig.sim().requests("/api/get_ad_url").front().content;
    EXPECT_NE(content.find(R"("protocol_version":"1")"), std::string::npos);
}

TEST_F(TallyStatCheckUpdateTest, shouldGiveNoAdAddressWhenTheServiceHasNone) {
    rig.sim().setConfigReply(R"({"ad_request":1})");
    rig.sim().setAdReply(R"({"status":0,"count":0,"ad_urls":[]})");
    rig.start();
    std::atomic<bool> done{false};
    std::string address = "unset";
    GlobalQueue::post([&] {
        address = TallyStat::getAdURL();
        done = true;
    });
    ASSERT_TRUE(rig.runUntil([&] { return done.load(); }));
    EXPECT_EQ(address, "");
}

TEST(TallyStatAdWithoutKey, shouldGiveAnEmptyAdAddressBeforeTheLibraryStarts) {
    TallyTestRig rig;
    rig.sim().setAdReply(R"({"status":0,"count":1,"ad_urls":["http://a/1.png"]})");
    EXPECT_EQ(TallyStat::getAdURL(), "");
}
