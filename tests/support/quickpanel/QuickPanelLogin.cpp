#include "support/quickpanel/QuickPanelLogin.h"

#include "market/VKJYCommodityCell.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketScreens.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYFastTradeViewControllerFactory.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/quick/PXFastTradeViewController.h"
#include "trade/quick/PXTradeQuickPanels.h"

namespace {
constexpr const char* kPassword = "111111";
constexpr double kLoginSeconds = 10;

bool idle() {
    return VKJYCommonViewUtil::activityCount() == 0;
}
}  // namespace

QuickPanelLogin::QuickPanelLogin(ScreenDriver& driver, CaptchaCode captchaCode)
    : m_driver(driver), m_captchaCode(std::move(captchaCode)) {
    VKJYMarketUIViewController::registerAsMarketRoot();
    registerVKJYMarketScreens();
    registerPXTradeQuickPanels();
    UserDefaults::standardUserDefaults().setBool(false, VKJYMarketUIViewController::kShowHelpKey);
}

QuickPanelLogin::~QuickPanelLogin() {
    // The quote screen's chart asks on while it shows: closed, nothing is left on its way.
    if (auto* stack = dynamic_cast<NavigationController*>(m_market.get())) {
        stack->popToRootViewController(false);
        m_driver.runUntil([] { return HttpClient::exchangesInFlight() == 0; });
    }
    VKJYTabRootFactory::setMarketRootMaker(nullptr);
    VKJYFastTradeViewControllerFactory::registerPanels({}, {});
}

VKJYMarketChartController* QuickPanelLogin::openChart(VKJYAppDelegate& app,
                                                      const std::string& name) {
    TabBarController* tabs = app.tabBarHelper().tabBarController();
    tabs->setSelectedIndex(VKJYTabBarHelper::kHangQingTab);
    auto* stack = dynamic_cast<NavigationController*>(tabs->viewControllers().front());
    m_market = WeakLink<ViewController>(stack);
    auto* list = stack ? dynamic_cast<VKJYMarketUIViewController*>(stack->viewControllers().front())
                       : nullptr;
    // The busy overlay of a request the trade tab still waits on covers the list.
    if (!list || !m_driver.runUntil([&] { return list->dataRoad().isTimeEnd() && idle(); }, 15)) {
        return nullptr;
    }
    TableView& table = *list->CommodityInfoListTableView();
    for (int row = 0; row < table.numberOfRows(1); ++row) {
        table.scrollToRow({1, row}, TableViewScrollPosition::Middle, false);
        auto* cell = dynamic_cast<VKJYCommodityCell*>(table.cellForRow({1, row}));
        if (!cell || cell->commodityNameLabel()->text() != name) {
            continue;
        }
        if (!m_driver.tapRow(table, {1, row})) {
            return nullptr;
        }
        auto* chart = dynamic_cast<VKJYMarketChartController*>(stack->topViewController());
        const bool shows = chart && m_driver.runUntil([&] {
            return chart->isAppeared() && chart->yikoujiaLabel()->text() != "--";
        });
        return shows ? chart : nullptr;
    }
    return nullptr;
}

::testing::AssertionResult QuickPanelLogin::logIn(VKJYAppDelegate& app,
                                                  const std::string& commodityName,
                                                  const std::string& account) {
    VKJYMarketChartController* chart = openChart(app, commodityName);
    if (!chart || !m_driver.tap(chart->buyButton())) {
        return ::testing::AssertionFailure() << "no quote screen of " << commodityName;
    }
    auto* panel = dynamic_cast<PXFastTradeViewController*>(chart->tradeVC());
    if (!panel || !m_driver.runUntil([&] { return panel->isShown() && idle(); })) {
        return ::testing::AssertionFailure() << "no 速摘 panel";
    }
    PXJYSwitchingAccountView& switcher = *panel->switchingAccountView();
    if (!m_driver.tap(switcher.accountButton()) || !m_driver.tapText(account)) {
        return ::testing::AssertionFailure() << account << " is not in the panel's switcher";
    }
    NavigationController* stack = chart->navigationController();
    PXJYSimpleLoginVC* login = nullptr;
    // An environment that asks for a captcha shows the screen with one fetched.
    if (!m_driver.runUntil([&] {
            login = dynamic_cast<PXJYSimpleLoginVC*>(stack->topViewController());
            return login && login->isAppeared() && idle() &&
                   (!login->captchaTextField()->isEnabled() ||
                    !login->captchaButton()->validString().empty());
        }) ||
        !m_driver.tap(login->passwordTextField())) {
        return ::testing::AssertionFailure() << "no switch screen";
    }
    m_driver.typeText(kPassword);
    const std::string uuid = login->captchaButton()->validString();
    if (!uuid.empty()) {
        m_driver.tap(login->captchaTextField());
        m_driver.settle();
        for (char digit : m_captchaCode(uuid)) {
            m_driver.pressKey(std::string(1, digit));
        }
        m_driver.pressKey("完成");
    }
    const bool back = m_driver.tapText("登录") && m_driver.tapAlertButton("确定") &&
                      m_driver.runUntil(
                          [&] {
                              return stack->topViewController() == chart &&
                                     PXTradeModule::shared().tradeLogin() && idle();
                          },
                          kLoginSeconds);
    m_driver.settle();
    return back ? ::testing::AssertionSuccess()
                : ::testing::AssertionFailure() << account << " was not logged in from the panel";
}
