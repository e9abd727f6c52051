#include "support/session/TradeSessionFixture.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/core/PXJYCeSuVC.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/core/TradeText.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"

namespace {
constexpr double kStepSeconds = 10;

// Keeps the last answer of one request: finished (with its data) or failed.
class AnswerRecorder : public PXTradeNetworkMangerDelegate, public PXJYCeSuVCDelegate {
public:
    bool answered = false;
    bool finished = false;
    std::string typeNW;
    std::string message;
    int code = 0;
    PXTradeResult data;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override {
        end(manager, false, errorCode);
    }
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* result) override {
        data = result ? *result : PXTradeResult();
        end(manager, true, 0);
    }
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override {
        message = manager->JY_ErrorMessage();
        end(manager, false, errorCode);
    }
    void PXCeSuFinished(const std::map<std::string, std::string>*) override { answered = true; }

private:
    void end(PXTradeNetworkManger* manager, bool ok, int errorCode) {
        typeNW = manager->typeNW();
        finished = ok;
        code = errorCode;
        answered = true;
    }
};
}  // namespace

bool TradeSessionFixture::launchShell(const std::string& vkAppName) {
    setGuideShown();
    launch(vkAppName);
    const bool shown = runUntilTabBar() && delegate->tradeModuleStarted();
    EXPECT_TRUE(shown) << "the shell did not reach the tab bar";
    return shown;
}

bool TradeSessionFixture::launchAndLogIn(const TradeSessionAccount& who) {
    return launchShell() && logIn(who);
}

PXTradeModule& TradeSessionFixture::tradeModule() const {
    return PXTradeModule::shared();
}

SimTradeServer& TradeSessionFixture::tradeServer(const std::string& platform,
                                                 const std::string& environment) {
    SimTradeServer* server =
        sim.trade().server(platform.empty() ? loggedIn.platform : platform,
                           environment.empty() ? loggedIn.environment : environment);
    EXPECT_TRUE(server) << "no simulated trading server for " << platform << "/" << environment;
    return server ? *server : sim.trade().server(0);
}

std::string TradeSessionFixture::captchaCode(const std::string& uuid, const std::string& platform,
                                             const std::string& environment) {
    return tradeServer(platform, environment).ledger().captchaCode(uuid).value_or("");
}

bool TradeSessionFixture::logIn(const TradeSessionAccount& who) {
    loggedIn = who;
    PXTradePeiZhi& peiZhi = tradeModule().PXJYPeiZhi();
    peiZhi.setPlatformCODE(who.platform);
    peiZhi.setEnvironmentCODE(who.environment);
    if (!chooseLine()) {
        return false;
    }
    std::string uuid;
    const std::string captcha = environmentNeedsCaptcha() ? fetchCaptcha(&uuid) : std::string();
    if (environmentNeedsCaptcha() && captcha.empty()) {
        return false;
    }
    // The account screens read, as the login screen saves it for a login that goes through.
    UserDefaults::standardUserDefaults().setString(who.account, "JYUserName");
    UserDefaults::standardUserDefaults().synchronize();
    auto recorder = std::make_shared<AnswerRecorder>();
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(recorder);
    manager->CPYloginJiaoYiActionType(who.account, captcha, uuid, who.password);
    const bool answered = driver.runUntil([&] { return recorder->answered; }, kStepSeconds);
    const bool ok = answered && recorder->finished && recorder->typeNW == "PXAccountInformation" &&
                    tradeModule().tradeLogin();
    EXPECT_TRUE(ok) << "login of " << who.account << " ended at " << recorder->typeNW << " ("
                    << recorder->code << " " << recorder->message << ")";
    if (ok) {
        keepAccount(who);
    }
    return ok;
}

bool TradeSessionFixture::chooseLine() {
    auto recorder = std::make_shared<AnswerRecorder>();
    auto tester = PXJYCeSuVC::create();
    tester->setDelegate(recorder.get());
    tester->ziDongCeSu();
    const bool chosen = driver.runUntil([&] { return recorder->answered; }, kStepSeconds) &&
                        !tradeModule().PXJYData().tradeLinkType().empty();
    tester->setDelegate(nullptr);
    EXPECT_TRUE(chosen) << "the line test chose no trading line";
    return chosen;
}

std::string TradeSessionFixture::fetchCaptcha(std::string* uuid) {
    auto recorder = std::make_shared<AnswerRecorder>();
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(recorder);
    manager->CPYgetJiaoYiCodeType();
    driver.runUntil([&] { return recorder->answered; }, kStepSeconds);
    const auto* id =
        recorder->data.size() == 2 ? std::get_if<std::string>(&recorder->data[1]) : nullptr;
    if (!recorder->finished || !id) {
        ADD_FAILURE() << "no captcha: " << recorder->code << " " << recorder->message;
        return {};
    }
    *uuid = *id;
    return captchaCode(*uuid);
}

bool TradeSessionFixture::environmentNeedsCaptcha() const {
    const auto& model = delegate->directoryServerModel();
    auto jys = model ? model->jysModelForCode(loggedIn.platform) : nullptr;
    auto env = jys ? jys->envModelForCode(loggedIn.environment) : nullptr;
    return !env || env->typeValue() != 2;
}

void TradeSessionFixture::keepAccount(const TradeSessionAccount& who) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setString(who.platform, "platform_code");
    defaults.setString(who.environment, "environment_code");
    defaults.synchronize();
    EXPECT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath())
                    .addAccount({who.platform, who.environment, who.account}));
}

NavigationController* TradeSessionFixture::tradeNavigation() {
    VKJYTabBarHelper& tabs = delegate->tabBarHelper();
    tabs.selectTradeTab();
    driver.settle();
    return dynamic_cast<NavigationController*>(tabs.selectedViewController());
}

std::vector<SimTradeReceived> TradeSessionFixture::received(const std::string& name) {
    std::vector<SimTradeReceived> found;
    for (const auto& request : tradeServer().received()) {
        if (request.name == name) {
            found.push_back(request);
        }
    }
    return found;
}

::testing::AssertionResult TradeSessionFixture::secondTapUnsentUntilAnswered(
    View* button, const std::string& name, const std::string& message) {
    driver.tap(button);
    if (driver.runFor(1, [&] { return received(name).size() > 1; })) {
        return ::testing::AssertionFailure() << "a second tap sent a second " << name;
    }
    tradeServer().releaseReplies(name);
    const auto shown = [&] {
        const AlertView* alert = driver.visibleAlert();
        return alert ? alert->message() : std::string();
    };
    if (!driver.runUntil([&] { return shown() == message; }, 10)) {
        return ::testing::AssertionFailure()
               << "no \"" << message << "\" but \"" << shown() << "\"";
    }
    if (const int left = VKJYCommonViewUtil::activityCount(); left != 0) {
        return ::testing::AssertionFailure() << left << " busy overlay(s) left";
    }
    if (const size_t sent = received(name).size(); sent != 1) {
        return ::testing::AssertionFailure() << sent << " " << name << " received";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TradeSessionFixture::lineFailureAfterAnotherLogonUntold(
    const std::string& name, const std::function<void()>& send, const std::function<bool()>& ended,
    const TradeSessionAccount& other) {
    SimTradeServer& server = tradeServer();
    const auto count = [&] {
        const auto requests = server.received();
        return std::count_if(requests.begin(), requests.end(),
                             [&](const SimTradeReceived& request) { return request.name == name; });
    };
    server.holdReplies(name);
    const auto before = count();
    send();
    if (!driver.runUntil([&] { return count() > before; }, 10)) {
        return ::testing::AssertionFailure() << "no " << name << " sent";
    }
    if (!logIn(other)) {
        return ::testing::AssertionFailure() << "the other account did not log on";
    }
    server.dropReplies(name);
    if (!driver.runUntil(ended, 10)) {
        return ::testing::AssertionFailure() << "the screen never heard of the failure";
    }
    driver.settle();
    if (const AlertView* alert = driver.visibleAlert()) {
        return ::testing::AssertionFailure() << "alert \"" << alert->message() << "\"";
    }
    if (const int left = VKJYCommonViewUtil::activityCount(); left != 0) {
        return ::testing::AssertionFailure() << left << " busy overlay(s) left";
    }
    return ::testing::AssertionSuccess();
}

std::string TradeSessionFixture::reqValue(const SimTradeReceived& request, const std::string& key) {
    const auto body = nlohmann::json::parse(request.body, nullptr, false);
    if (!body.is_object() || !body.contains("VUZI") || !body["VUZI"].contains("REQ")) {
        return "";
    }
    const auto& fields = body["VUZI"]["REQ"];
    return fields.contains(key) && fields[key].is_string() ? fields[key].get<std::string>() : "";
}

long long TradeSessionFixture::reportedSellListing() const {
    const auto& report = tradeModule().PXJYTimerManger().transactionReporting();
    return Text::longLongValue(TradeText::textAt(report, "UPT"));
}

bool TradeSessionFixture::listingsHeard(const std::function<void()>& change) {
    const long long before = reportedSellListing();
    change();
    return driver.runUntil([&] { return reportedSellListing() > before; }, 10);
}

void TradeSessionFixture::typeOnKeypad(TextField* field, const std::string& digits) {
    ASSERT_TRUE(driver.tap(field));
    driver.settle();
    for (char digit : digits) {
        ASSERT_TRUE(driver.pressKey(std::string(1, digit)));
    }
    driver.pressKey("完成");
    driver.settle();
}

::testing::AssertionResult TradeSessionFixture::holdOrderBookLots(const std::string& code,
                                                                  const std::string& price,
                                                                  int qty) {
    SimTradeLedger& ledger = tradeServer().ledger();
    if (!ledger.listForFirm("F002", code, 2, std::stod(price), qty)) {
        return ::testing::AssertionFailure() << "the simulator refused the listing of " << code;
    }
    const auto& session = tradeModule().PXJYData().tradeSession();
    const SimJson reply = ledger.handle(SimTradeLink::Trade, "order_mp",
                                        {{"USER_ID", loggedIn.account},
                                         {"BUY_SELL", "1"},
                                         {"COMMODITY_ID", code},
                                         {"PRICE", price},
                                         {"QTY", std::to_string(qty)},
                                         {"SETTLE_BASIS", "1"},
                                         {"ISLIST", "0"},
                                         {"CLOSEMODE", "1"},
                                         {"SESSION_ID", session ? session->JYsessionID : ""}});
    if (reply.value("retcode", -1) != 0) {
        return ::testing::AssertionFailure() << reply.dump();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TradeSessionFixture::orderAtTheExchange(const std::string& code,
                                                                   const std::string& side,
                                                                   const std::string& qty,
                                                                   const std::string& holding) {
    const auto& session = tradeModule().PXJYData().tradeSession();
    const SimJson reply =
        tradeServer().ledger().handle(SimTradeLink::Trade, "order_s",
                                      {{"USER_ID", loggedIn.account},
                                       {"BUY_SELL", side},
                                       {"COMMODITY_ID", code},
                                       {"PRICE", ""},
                                       {"QTY", qty},
                                       {"SETTLE_BASIS", holding.empty() ? "1" : "2"},
                                       {"DOT_DIFF", ""},
                                       {"CLOSEMODE", holding.empty() ? "" : "2"},
                                       {"HOLDING_ID", holding},
                                       {"OTHER_ID", ""},
                                       {"SESSION_ID", session ? session->JYsessionID : ""}});
    if (reply.value("retcode", -1) != 0) {
        return ::testing::AssertionFailure() << reply.dump();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TradeSessionFixture::switchToSavedAccount(
    PXJYSwitchingAccountView& switcher, const ViewController* back) {
    if (!driver.tap(switcher.accountButton()) ||
        !driver.tapRow(*switcher.environmentListView(), {0, 1})) {
        return ::testing::AssertionFailure() << "no saved account to switch to";
    }
    PXJYSimpleLoginVC* login = nullptr;
    if (!driver.runUntil([&] {
            login = dynamic_cast<PXJYSimpleLoginVC*>(tradeNavigation()->topViewController());
            return login && !login->captchaButton()->validString().empty();
        })) {
        return ::testing::AssertionFailure() << "no switch screen with its captcha";
    }
    if (!driver.tap(login->passwordTextField())) {
        return ::testing::AssertionFailure() << "no password field on the switch screen";
    }
    driver.typeText("111111");
    typeOnKeypad(login->captchaTextField(), captchaCode(login->captchaButton()->validString()));
    if (!driver.tapText("登录") || !driver.tapAlertButton("确定")) {
        return ::testing::AssertionFailure() << "the switch was not confirmed";
    }
    const bool done = driver.runUntil(
        [&] {
            return tradeNavigation()->topViewController() == back &&
                   tradeModule().tradeLogin() && VKJYCommonViewUtil::activityCount() == 0;
        },
        10);
    return done ? ::testing::AssertionSuccess()
                : ::testing::AssertionFailure() << "not back, logged in, after the switch";
}
