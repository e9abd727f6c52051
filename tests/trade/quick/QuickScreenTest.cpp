#include "QuickScreenTest.h"

#include <nlohmann/json.hpp>

#include "platform/foundation/Text.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "quote/VKJYHangQingDataClass.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/close/PXTradeCloseScreens.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXTradeHomeView.h"
#include "trade/login/PXTradeLoginScreens.h"
#include "trade/open/PXTradeOpenScreens.h"
#include "trade/quick/PXTradeQuickScreens.h"

void QuickScreenTest::SetUp() {
    registerPXTradeLoginScreens();
    registerPXTradeOpenScreens();
    registerPXTradeCloseScreens();
    registerPXTradeQuickScreens();
    ASSERT_TRUE(launchAndLogIn());
    SimQuoteLookup::fill(sim, *VKJYHangQingDataClass::current());
    ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 5));
    ASSERT_TRUE(driver.runUntil([&] { return !tradeModule().PXJYPeiZhi().shiFoGangDengLu(); }, 5));
    ASSERT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") >= 2; }, 5));
    tradeModule().setDefaultString("prompt", "2");
    tradeServer().clearReceived();
}

PXTradeData& QuickScreenTest::store() const {
    return tradeModule().PXJYData();
}

PXJYRootViewController* QuickScreenTest::home() {
    NavigationController* navigation = tradeNavigation();
    if (!navigation) {
        return nullptr;
    }
    navigation->popToRootViewController(false);
    driver.settle();
    return dynamic_cast<PXJYRootViewController*>(navigation->topViewController());
}

ViewController* QuickScreenTest::openShortcut(const std::string& code, const std::string& side,
                                              int index) {
    PXJYRootViewController* root = home();
    if (!root) {
        return nullptr;
    }
    PXTradeHomeView& view = *root->tradeHomeView();
    // The rows follow the store at the next price refresh.
    int row = -1;
    driver.runUntil([&] {
        view.reloadTableView();
        const auto& rows = view.commodityAllKeys();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] && rows[i]->commodityCode == code && rows[i]->buySellSign == side) {
                row = static_cast<int>(i);
            }
        }
        return row >= 0;
    });
    const int section = view.loggedInSection().value_or(0);
    if (row < 0 || !driver.tapRow(*view.chiCangListView(), IndexPath{section, row + 2})) {
        return nullptr;
    }
    driver.settle();
    view.orderButtonClick(index);
    driver.settle();
    ViewController* top = tradeNavigation()->topViewController();
    return top == root ? nullptr : top;
}

std::shared_ptr<PXJYChiCangHuiZong> QuickScreenTest::summary(const std::string& code,
                                                             const std::string& side) {
    for (const auto& held : store().chiCangHuiZongXinXi()) {
        if (held && held->commodityCode == code && held->buySellSign == side) {
            return held;
        }
    }
    return nullptr;
}

void QuickScreenTest::typeOnKeypad(TextField* field, const std::string& digits) {
    ASSERT_TRUE(driver.tap(field));
    driver.settle();
    for (char digit : digits) {
        ASSERT_TRUE(driver.pressKey(std::string(1, digit)));
    }
    driver.pressKey("完成");
    driver.settle();
}

void QuickScreenTest::typeText(TextField* field, const std::string& text) {
    ASSERT_TRUE(driver.tap(field));
    driver.settle();
    driver.typeText(text);
    driver.pressReturn();
    driver.settle();
}

std::vector<SimTradeReceived> QuickScreenTest::received(const std::string& name) {
    std::vector<SimTradeReceived> found;
    for (const auto& request : tradeServer().received()) {
        if (request.name == name) {
            found.push_back(request);
        }
    }
    return found;
}

std::string QuickScreenTest::req(const SimTradeReceived& request, const std::string& key) {
    const auto body = nlohmann::json::parse(request.body, nullptr, false);
    const auto& fields = body["VUZI"]["REQ"];
    return fields.contains(key) && fields[key].is_string() ? fields[key].get<std::string>() : "";
}

std::string QuickScreenTest::alertMessage() const {
    AlertView* alert = driver.visibleAlert();
    return alert ? alert->message() : std::string();
}

int QuickScreenTest::heldLots(const std::string& code, const std::string& side) {
    const auto held = summary(code, side);
    return held ? Text::intValue(held->shuLiang) : 0;
}

int QuickScreenTest::frozenLots(const std::string& code, const std::string& side) {
    const auto held = summary(code, side);
    return held ? Text::intValue(held->dongJieShuLiang) : 0;
}

std::string QuickScreenTest::simPrice(const std::string& code, bool buy) {
    const auto prices = SimQuoteLookup::prices(sim, code);
    return PXTradeFormat::priceText(buy ? prices.buyPrice : prices.sellPrice,
                                    store().shangPinXinXi().at(code)->zuiXiaoBianDongJia);
}

void QuickScreenTest::snapshot(const std::string& name) {
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quick-" + name)));
}
