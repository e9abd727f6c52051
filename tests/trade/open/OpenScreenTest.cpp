#include "OpenScreenTest.h"

#include <nlohmann/json.hpp>

#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYCommonViewUtil.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/open/PXTradeOpenScreens.h"

void OpenScreenTest::SetUp() {
    registerPXTradeOpenScreens();
    ASSERT_TRUE(launchAndLogIn());
    SimQuoteLookup::fill(sim, *VKJYHangQingDataClass::current());
    ASSERT_TRUE(waitForPrice("AG"));
    // Deals count as new only after the first heartbeat of the session.
    ASSERT_TRUE(driver.runUntil([&] { return !tradeModule().PXJYPeiZhi().shiFoGangDengLu(); }, 5));
    tradeServer().clearReceived();
}

PXJYJianCangViewController* OpenScreenTest::openScreen() {
    auto made = PXTradeScreenFactory::create("PXJYJianCangViewController");
    auto* typed = dynamic_cast<PXJYJianCangViewController*>(made.get());
    if (!typed) {
        return nullptr;
    }
    made.release();
    screen = pushOnTradeTab(std::unique_ptr<PXJYJianCangViewController>(typed));
    return screen;
}

bool OpenScreenTest::waitForPrice(const std::string& code) {
    return driver.runUntil(
        [&] { return tradeModule().PXJYData().zuiXinYiKouJia().count(code) > 0; }, 5);
}

bool OpenScreenTest::logInAnsweredWhen(const std::function<bool()>& until) {
    tradeServer().holdAnswers("logon");
    // logIn() drives the run loop itself: the answer is let go from within it.
    const auto release = Timer::scheduledTimer(0.05, true, [&] {
        if (until()) {
            tradeServer().releaseReplies("logon");
        }
    });
    const bool ok = logIn();
    release->invalidate();
    tradeServer().releaseReplies("logon");
    return ok;
}

void OpenScreenTest::pick(PXJianCangFormView& form, const std::string& code) {
    const auto& codes = form.commodityCodeArray();
    const auto found = std::find(codes.begin(), codes.end(), code);
    ASSERT_NE(found, codes.end()) << code;
    ASSERT_TRUE(driver.tap(form.commodityNameButton()));
    driver.settle();
    ASSERT_TRUE(driver.tapRow(*form.commodityListView(),
                              IndexPath{0, static_cast<int>(found - codes.begin())}));
    driver.settle();
}

void OpenScreenTest::reveal(View* view) {
    ScrollView* area = nullptr;
    for (View* v = view->superview(); v && !area; v = v->superview()) {
        area = dynamic_cast<ScrollView*>(v);
    }
    if (!area) {
        return;
    }
    constexpr int kMostDrags = 10;
    for (int i = 0; i < kMostDrags; ++i) {
        const Rect whole = view->convertRect(view->bounds(), nullptr);
        if (driver.visibleRect(view).height >= whole.height - 0.5) {
            return;
        }
        const Rect shown = driver.visibleRect(area);
        const Point middle{shown.x + shown.width / 2, shown.y + shown.height / 2};
        driver.drag(middle, {middle.x, middle.y - 60});
        driver.settle();
    }
}

void OpenScreenTest::typeQuantity(PXJianCangFormView& form, const std::string& digits) {
    reveal(form.shuLiang());
    typeOnKeypad(form.shuLiang(), digits);
}

void OpenScreenTest::typeInto(TextField* field, const std::string& text) {
    reveal(field);
    ASSERT_TRUE(driver.tap(field));
    driver.settle();
    driver.typeText(text);
    driver.pressReturn();
    driver.settle();
}

bool OpenScreenTest::switchInForm(PXJianCangFormView& form, IndexPath row) {
    if (!driver.tap(form.switchingAccountView()->accountButton()) ||
        !driver.tapRow(*form.switchingAccountView()->environmentListView(), row)) {
        return false;
    }
    PXJYSimpleLoginVC* login = nullptr;
    if (!driver.runUntil([&] {
            login = dynamic_cast<PXJYSimpleLoginVC*>(tradeNavigation()->topViewController());
            return login && login->isAppeared() && VKJYCommonViewUtil::activityCount() == 0;
        }) ||
        !driver.tap(login->passwordTextField())) {
        return false;
    }
    driver.typeText("111111");
    const bool back = driver.tapText("登录") && driver.tapAlertButton("确定") &&
                      driver.runUntil(
                          [&] {
                              return tradeNavigation()->topViewController() == screen &&
                                     tradeModule().tradeLogin() &&
                                     VKJYCommonViewUtil::activityCount() == 0;
                          },
                          10);
    driver.settle();
    return back;
}

void OpenScreenTest::setDefault(const std::string& key, const std::string& value) {
    tradeModule().setDefaultString(key, value);
}

std::vector<SimTradeReceived> OpenScreenTest::received(const std::string& name) {
    std::vector<SimTradeReceived> found;
    for (const auto& request : tradeServer().received()) {
        if (request.name == name) {
            found.push_back(request);
        }
    }
    return found;
}

std::string OpenScreenTest::reqValue(const SimTradeReceived& request, const std::string& key) {
    const auto body = nlohmann::json::parse(request.body, nullptr, false);
    const auto& req = body["VUZI"]["REQ"];
    return req.contains(key) && req[key].is_string() ? req[key].get<std::string>() : "";
}

std::string OpenScreenTest::alertMessage() const {
    AlertView* alert = driver.visibleAlert();
    return alert ? alert->message() : std::string();
}

int OpenScreenTest::alertsOnShow() const {
    int shown = 0;
    for (AlertView* alert : driver.viewsOfClass<AlertView>()) {
        shown += alert->isVisible() ? 1 : 0;
    }
    return shown;
}

void OpenScreenTest::snapshot(const std::string& name) {
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("open-" + name)));
}

int OpenScreenTest::heldLots(const std::string& code, const std::string& side) {
    int lots = 0;
    for (const auto& summary : tradeModule().PXJYData().chiCangHuiZongXinXi()) {
        if (summary && summary->commodityCode == code && summary->buySellSign == side) {
            lots += Text::intValue(summary->shuLiang);
        }
    }
    return lots;
}
