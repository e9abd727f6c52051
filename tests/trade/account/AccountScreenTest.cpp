#include "AccountScreenTest.h"

#include <nlohmann/json.hpp>

#include "platform/ui/AlertView.h"
#include "trade/account/PXTradeAccountScreens.h"
#include "trade/common/PXTradeScreenFactory.h"

void AccountScreenTest::SetUp() {
    registerPXTradeAccountScreens();
    ASSERT_TRUE(launchAndLogIn());
    tradeServer().clearReceived();
}

ViewController* AccountScreenTest::openByName(const std::string& className) {
    auto made = PXTradeScreenFactory::create(className);
    if (!made) {
        ADD_FAILURE() << className << " is not registered";
        return nullptr;
    }
    made->setHidesBottomBarWhenPushed(true);
    return pushOnTradeTab(std::move(made));
}

ViewController* AccountScreenTest::openFromMenuRow(const std::string& row) {
    if (!openByName("PXJYTradeOthersController")) {
        return nullptr;
    }
    EXPECT_TRUE(driver.tapText(row)) << row;
    driver.settle();
    return topScreen();
}

ViewController* AccountScreenTest::topScreen() {
    NavigationController* navigation = tradeNavigation();
    return navigation ? navigation->topViewController() : nullptr;
}

std::vector<SimTradeReceived> AccountScreenTest::received(const std::string& name) {
    std::vector<SimTradeReceived> found;
    for (const auto& request : tradeServer().received()) {
        if (request.name == name) {
            found.push_back(request);
        }
    }
    return found;
}

std::string AccountScreenTest::reqValue(const SimTradeReceived& request, const std::string& key) {
    const auto body = nlohmann::json::parse(request.body, nullptr, false);
    if (!body.is_object() || !body.contains("VUZI")) {
        return {};
    }
    const auto& req = body["VUZI"]["REQ"];
    return req.contains(key) && req[key].is_string() ? req[key].get<std::string>() : "";
}

std::string AccountScreenTest::alertMessage() const {
    AlertView* alert = driver.visibleAlert();
    return alert ? alert->message() : std::string();
}

void AccountScreenTest::answerAlert(const std::string& button) {
    EXPECT_TRUE(driver.tapAlertButton(button)) << "no alert button " << button;
    driver.settle();
}

bool AccountScreenTest::waitForAlert(double seconds) {
    return driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, seconds);
}

void AccountScreenTest::snapshot(const std::string& name) {
    driver.settle();
    EXPECT_TRUE(snapshotDriver->saveSnapshot(snapshotPath("account-" + name + snapshotSuffix)));
}

SimHttpLine& AccountScreenTest::line(size_t index) {
    return tradeServer().line(index);
}
