#include "TradingDayFixture.h"

#include <cstdlib>
#include <filesystem>

#include "market/VKJYMarketScreens.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"
#include "trade/account/PXTradeAccountScreens.h"
#include "trade/close/PXTradeCloseScreens.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXTradeHomeView.h"
#include "trade/login/PXTradeLoginScreens.h"
#include "trade/open/PXTradeOpenScreens.h"
#include "trade/query/PXTradeQueryScreens.h"
#include "trade/quick/PXTradeQuickPanels.h"
#include "trade/quick/PXTradeQuickScreens.h"

TradingDayFixture::TradingDayFixture() : ShellTest({320, 568}, OutOfProcessSimulator{}) {
    registerPXTradeLoginScreens();
    registerPXTradeOpenScreens();
    registerPXTradeCloseScreens();
    registerPXTradeQuickScreens();
    registerPXTradeAccountScreens();
    registerPXTradeQueryScreens();
    registerPXTradeQuickPanels();
    VKJYMarketUIViewController::registerAsMarketRoot();
    registerVKJYMarketScreens();
}

TradingDayFixture::~TradingDayFixture() {
    VKJYTabRootFactory::setMarketRootMaker(nullptr);
}

void TradingDayFixture::SetUp() {
    // One folder per run, emptied first, so the contact sheet shows this run's pictures only.
    // Runs of one case at the same time (scripts/load-check) each name a root of their own.
    const char* root = std::getenv("VKJY_SNAPSHOT_DIR");
    snapshotFolder = std::string(root && *root ? root : VKJY_SNAPSHOT_DIR) + "/" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(snapshotFolder);
    std::filesystem::create_directories(snapshotFolder);
    ASSERT_TRUE(exchange.start()) << "vkjy-sim did not start";
}

void TradingDayFixture::launchClient() {
    launchWithUrls("VKDZ", exchange.directoryUrls().at(0), exchange.directoryUrls().at(1));
}

void TradingDayFixture::snapshot(const std::string& name) {
    driver.settle();
    char number[8];
    std::snprintf(number, sizeof number, "%02d-", ++shots);
    EXPECT_TRUE(driver.saveSnapshot(snapshotFolder + "/" + number + name + ".png"));
}

bool TradingDayFixture::waitFor(const std::function<bool()>& condition, double seconds) {
    return driver.runUntil(condition, seconds);
}

bool TradingDayFixture::showsText(const std::string& text) const {
    return driver.viewWithText(text) != nullptr;
}

bool TradingDayFixture::waitForText(const std::string& text, double seconds) {
    return waitFor([&] { return showsText(text); }, seconds);
}

std::string TradingDayFixture::alertText() const {
    AlertView* alert = driver.visibleAlert();
    return alert ? alert->title() + "|" + alert->message() : std::string();
}

bool TradingDayFixture::waitForAlert(double seconds) {
    return waitFor([&] { return driver.visibleAlert() != nullptr; }, seconds);
}

void TradingDayFixture::answerAlert() {
    if (AlertView* alert = driver.visibleAlert()) {
        driver.tapAlertButton(alert->buttonTitleAtIndex(0));
    }
}

bool TradingDayFixture::waitIdle(double seconds) {
    return waitFor([] { return VKJYCommonViewUtil::activityCount() == 0; }, seconds);
}

NavigationController* TradingDayFixture::selectedStack() const {
    return delegate ? dynamic_cast<NavigationController*>(
                          delegate->tabBarHelper().selectedViewController())
                    : nullptr;
}

ViewController* TradingDayFixture::topScreen() const {
    NavigationController* stack = selectedStack();
    return stack ? stack->topViewController() : nullptr;
}

bool TradingDayFixture::tapTab(const std::string& title) {
    TabBarController* tabs = delegate ? delegate->tabBarHelper().tabBarController() : nullptr;
    TabBar* bar = tabs ? tabs->tabBar() : nullptr;
    for (int i = 0; bar && i < static_cast<int>(bar->items().size()); ++i) {
        if (bar->items()[i].title == title && driver.isVisible(bar)) {
            const Rect item = bar->itemFrame(i);
            driver.tapAt(bar->convertPointToWindow({item.midX(), item.midY()}));
            driver.settle();
            return true;
        }
    }
    return false;
}

// A panel slid in over a screen takes the first taps of the back button.
bool TradingDayFixture::goBack() {
    NavigationController* stack = selectedStack();
    const size_t depth = stack ? stack->viewControllers().size() : 0;
    if (depth < 2) {
        return false;
    }
    for (int tap = 0; tap < 3; ++tap) {
        // A screen coming back fetches again under the busy overlay, which takes every touch.
        waitIdle();
        Button* back = nullptr;
        for (auto* bar : driver.viewsOfClass<VKJYNavigationBarView>()) {
            if (driver.isVisible(bar->backButton())) {
                back = bar->backButton();
            }
        }
        for (auto* bar :
             back ? std::vector<NavigationBar*>{} : driver.viewsOfClass<NavigationBar>()) {
            if (driver.isVisible(bar->backButton())) {
                back = bar->backButton();
            }
        }
        if (!back || !driver.tap(back)) {
            return false;
        }
        if (waitFor([&] { return stack->viewControllers().size() < depth; }, 1)) {
            return true;
        }
    }
    return false;
}

nlohmann::json TradingDayFixture::books(const std::string& account) {
    const auto reply = exchange.get(std::string("/control/trade/books?jys=") + kExchange +
                                    "&env=" + kEnvironment + "&account=" + account);
    return reply.status == 200 ? nlohmann::json::parse(reply.body, nullptr, false)
                               : nlohmann::json();
}

std::string TradingDayFixture::captchaCode(const std::string& uuid) {
    const auto reply = exchange.get(std::string("/control/trade/captcha?jys=") + kExchange +
                                    "&env=" + kEnvironment + "&uuid=" + uuid);
    return reply.status == 200 ? reply.body : std::string();
}

// Every row of the home's list, scrolled into view one after another: a long list of holdings
// does not fit on the screen.
std::map<std::string, int> TradingDayFixture::holdingsShown() const {
    std::map<std::string, int> shown;
    auto* home = top<PXJYRootViewController>();
    TableView* table = home ? home->tradeHomeView()->chiCangListView() : nullptr;
    for (int section = 0; table && section < table->numberOfSections(); ++section) {
        for (int row = 0; row < table->numberOfRows(section); ++row) {
            table->scrollToRow({section, row}, TableViewScrollPosition::None, false);
            table->layoutIfNeeded();
            TableViewCell* cell = table->cellForRow({section, row});
            std::vector<std::string> texts;
            for (View* view : driver.allViews()) {
                if (auto* label = dynamic_cast<Label*>(view);
                    cell && label && label->isDescendantOf(cell) && driver.isVisible(label)) {
                    texts.push_back(label->text());
                }
            }
            if (texts.size() >= 3 && (texts[2] == "购入" || texts[2] == "售出")) {
                shown[texts[0] + "|" + texts[2]] += std::stoi(texts[1]);
            }
        }
    }
    return shown;
}

std::map<std::string, int> TradingDayFixture::holdingsBooked(const nlohmann::json& books) {
    // Every commodity the simulator trades on either exchange.
    const std::map<std::string, std::string> names = {
        {"AG", "白银"}, {"AU", "黄金"}, {"PT", "铂金"}, {"CU", "铜"},
        {"NI", "镍"},   {"zn", "锌"},   {"PD", "钯金"}, {"SN", "锡"},
        {"CO", "钴"},   {"YB", "银币"}, {"HM", "红木"}, {"XAG", "现货银"}};
    std::map<std::string, int> held;
    for (const auto& holding : books["holdings"]) {
        const std::string code = holding["commodity"].get<std::string>();
        held[(names.count(code) ? names.at(code) : code) + "|" +
             (holding["side"].get<int>() == 1 ? "购入" : "售出")] += holding["qty"].get<int>();
    }
    return held;
}
