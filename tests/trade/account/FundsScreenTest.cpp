#include "FundsScreenTest.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/account/PXJYBankListView.h"
#include "trade/account/PXJYChuRuJinViewController.h"
#include "trade/account/PXTradeAccountScreens.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXTradeLoginScreens.h"

void FundsScreenTest::SetUp() {
    // The trade tab's root is the trade home, whose menu opens the funds home.
    registerPXTradeLoginScreens();
    registerPXTradeAccountScreens();
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().PXJYTimerManger().stopJYHeartTimer();
    tradeServer().clearReceived();
}

PXJYChuRuJinViewController* FundsScreenTest::openHome() {
    auto made = PXTradeScreenFactory::create("PXJYChuRuJinViewController");
    auto* home = dynamic_cast<PXJYChuRuJinViewController*>(made.get());
    if (!home) {
        ADD_FAILURE() << "the funds home is not registered";
        return nullptr;
    }
    made.release();
    pushOnTradeTab(std::unique_ptr<PXJYChuRuJinViewController>(home));
    EXPECT_TRUE(waitIdle());
    return home;
}

ViewController* FundsScreenTest::openEntry(PXJYChuRuJinViewController& home, int tag) {
    // Back from a funds screen the home fetches the banks again behind the busy overlay.
    EXPECT_TRUE(waitIdle());
    ViewController* before = topScreen();
    EXPECT_TRUE(driver.tap(home.view()->viewWithTag(tag)));
    driver.settle();
    ViewController* after = topScreen();
    return after == before ? nullptr : after;
}

ViewController* FundsScreenTest::topScreen() {
    NavigationController* navigation = tradeNavigation();
    return navigation ? navigation->topViewController() : nullptr;
}

bool FundsScreenTest::waitIdle() {
    const bool idle = driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; });
    driver.settle();
    return idle;
}

bool FundsScreenTest::waitAlert() {
    return driver.runUntil([this] { return driver.visibleAlert() != nullptr; });
}

std::string FundsScreenTest::alertMessage() const {
    AlertView* alert = driver.visibleAlert();
    return alert ? alert->message() : std::string();
}

bool FundsScreenTest::answerAlert(const std::string& button) {
    const bool tapped = driver.tapAlertButton(button);
    driver.settle();
    return tapped;
}

void FundsScreenTest::typeInto(TextField* field, const std::string& text) {
    driver.tap(field);
    for (std::size_t i = 0; i < text.size();) {
        std::size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
            ++next;
        }
        driver.typeText(text.substr(i, next - i));
        i = next;
    }
}

void FundsScreenTest::pasteInto(TextField* field, const std::string& text) {
    driver.tap(field);
    driver.typeText(text);
}

bool FundsScreenTest::chooseBank(Button* opener, PXJYBankListView* list, const std::string& name) {
    if (!driver.tap(opener) || !list->isShown()) {
        return false;
    }
    driver.settle();
    const auto& banks = tradeModule().PXJYData().yinHangXinXi();
    for (std::size_t row = 0; row < banks.size(); ++row) {
        if (banks[row].value("BANK_NAME", "") == name) {
            const bool tapped = driver.tapRow(*list, IndexPath{0, static_cast<int>(row)});
            driver.settle();
            return tapped;
        }
    }
    return false;
}

int FundsScreenTest::sent(const std::string& name) {
    int count = 0;
    for (const auto& request : tradeServer().received()) {
        count += request.name == name;
    }
    return count;
}

JYDict FundsScreenTest::lastRequest(const std::string& name) {
    JYDict req = JYDict::object();
    for (const auto& request : tradeServer().received()) {
        if (request.name == name) {
            req = JYDict::parse(request.body)["VUZI"]["REQ"];
        }
    }
    return req;
}

bool FundsScreenTest::logInAs(const std::string& account) {
    TradeSessionAccount who;
    who.account = account;
    const bool done = logIn(who);
    tradeServer().clearReceived();
    return done;
}

double FundsScreenTest::balance() {
    return tradeServer().ledger().balance(kAccount).value_or(-1);
}

double FundsScreenTest::bankFunds(const std::string& bankId) {
    return tradeServer().ledger().bankFunds(kAccount, bankId).value_or(-1);
}

void FundsScreenTest::snapshot(const std::string& name) {
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("funds-" + name)));
}
