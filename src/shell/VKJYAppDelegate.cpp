#include "shell/VKJYAppDelegate.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Paths.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/AppUncaughtExceptionHandler.h"
#include "shell/UIShiPeiClass.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYDirectoryUrlHelper.h"
#include "shell/VKJYHangQingUrlHelper.h"
#include "shell/VKJYLogDirectory.h"
#include "shell/VKJYMainViewController.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "shell/VKJYStartupAnalytics.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTokenBManager.h"
#include "shell/VKJYTradeHost.h"
#include "trade/core/PXTradeModule.h"

namespace {
std::string infoString(const char* key) {
    return Bundle::objectForInfoDictionaryKey(key).toString();
}
}  // namespace

VKJYAppDelegate::VKJYAppDelegate(std::shared_ptr<VKJYStartupAnalytics> analytics)
    : m_vkAppName(infoString("VKAppName")),
      m_vkAppkey(infoString("VKAppkey")),
      m_appVersion(infoString("CFBundleShortVersionString")),
      m_analytics(std::move(analytics)),
      m_directoryUrlHelper(std::make_unique<VKJYDirectoryUrlHelper>(std::vector<std::string>{
          infoString("DirectoryServerUrl1"), infoString("DirectoryServerUrl2")})),
      m_tabBarHelper(std::make_unique<VKJYTabBarHelper>()) {
    if (m_analytics) {
        m_analytics->setAppVersion(m_appVersion);
        m_analytics->startWithAppkey(infoString("TALLYAppkey"), kReportPolicy,
                                     infoString("TALLYChanelid"));
        m_analytics->checkUpdate(kUpdateTitle, "忽略", "更新");
    }
    m_normalAppProperty = std::make_unique<VKJYNormalAppKeyPropertyModel>();
    m_tokenBManager = std::make_unique<VKJYTokenBManager>();
    m_hqDataClass = std::make_shared<VKJYHangQingDataClass>();
    VKJYHangQingDataClass::setCurrent(m_hqDataClass);
}

VKJYAppDelegate::~VKJYAppDelegate() {
    if (m_tradeModule) {
        PXTradeModule::setShared(nullptr);
        m_tradeModule.reset();
    }
    if (VKJYHangQingDataClass::current() == m_hqDataClass) {
        VKJYHangQingDataClass::setCurrent(nullptr);
    }
}

VKJYAppDelegate* VKJYAppDelegate::shared() {
    auto* app = Application::shared();
    return app ? dynamic_cast<VKJYAppDelegate*>(app->delegate()) : nullptr;
}

bool VKJYAppDelegate::didFinishLaunching(Application& application) {
    const Rect bounds = Screen::main() ? Screen::main()->bounds() : Rect(0, 0, 320, 568);
    m_window = std::make_unique<Window>(bounds);
    m_window->setBackgroundColor(Color::blackColor());
    m_window->setRootViewController(std::make_unique<VKJYMainViewController>());
    AppUncaughtExceptionHandler::setDefaultHandler();
    VKJYLogDirectory::prepare(DateFormat::now());
    m_uiShiPeiClass = std::make_unique<UIShiPeiClass>();
    setTradeLogin(false);
    m_accountInfoFilePath = Paths::join(Paths::library(), kAccountsFileName);
    application.setIdleTimerDisabled(true);
    m_window->makeKeyAndVisible();
    return true;
}

void VKJYAppDelegate::willResignActive(Application&) {
    m_inBackground = true;
}

void VKJYAppDelegate::didBecomeActive(Application&) {
    if (!m_inBackground) {
        return;
    }
    m_inBackground = false;
    NotificationCenter::defaultCenter().post("widescreen");
}

void VKJYAppDelegate::initPXTradeModule() {
    if (m_tradeModule) {
        return;
    }
    m_tradeHost = std::make_unique<VKJYTradeHost>(*this);
    m_tradeModule = std::make_unique<PXTradeModule>(*m_tradeHost);
    m_tradeModule->setTradeLogin(m_tradeLogin);
    PXTradeModule::setShared(m_tradeModule.get());
    m_tradeModule->initPXTradeModule();
}

PXTradeData& VKJYAppDelegate::PXJYData() const {
    return m_tradeModule->PXJYData();
}

PXTradePeiZhi& VKJYAppDelegate::PXJYPeiZhi() const {
    return m_tradeModule->PXJYPeiZhi();
}

PXTradeTimerManger& VKJYAppDelegate::PXJYTimerManger() const {
    return m_tradeModule->PXJYTimerManger();
}

void VKJYAppDelegate::setDirectoryServerModel(std::shared_ptr<VKJYDirectoryServerModel> model) {
    m_directoryServerModel = std::move(model);
}

void VKJYAppDelegate::setHqUrlHelper(std::shared_ptr<VKJYHangQingUrlHelper> helper) {
    m_hqUrlHelper = std::move(helper);
    std::weak_ptr<VKJYHangQingUrlHelper> weak = m_hqUrlHelper;
    m_hqDataClass->setLineResolver([weak](int serverIndex) {
        auto helper = weak.lock();
        return helper ? helper->linesForServer(serverIndex) : std::vector<std::string>();
    });
}

bool VKJYAppDelegate::tradeLogin() const {
    return m_tradeModule ? m_tradeModule->tradeLogin() : m_tradeLogin;
}

void VKJYAppDelegate::setTradeLogin(bool login) {
    m_tradeLogin = login;
    if (m_tradeModule) {
        m_tradeModule->setTradeLogin(login);
    }
}
