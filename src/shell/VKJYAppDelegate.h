#pragma once

// The application delegate and hub: it owns, for the life of the process, the window, the
// directory-server addresses and answer, the quote-server list, the shared quote state, the
// app-key properties, token B, the screen adapter, the tab selector and the trading module, and
// runs the launch steps. Other subsystems reach it through shared(). Main thread.

#include <memory>
#include <string>

#include "platform/ui/Application.h"

class PXTradeData;
class PXTradeModule;
class PXTradePeiZhi;
class PXTradeTimerManger;
class VKJYDirectoryServerModel;
class VKJYDirectoryUrlHelper;
class VKJYHangQingDataClass;
class VKJYHangQingUrlHelper;
class VKJYNormalAppKeyPropertyModel;
class VKJYStartupAnalytics;
class VKJYTabBarHelper;
class VKJYTokenBManager;
class VKJYTradeHost;
class UIShiPeiClass;
class Window;

class VKJYAppDelegate : public ApplicationDelegate {
public:
    static constexpr const char* kAccountsFileName = "AccountsMessage.plist";
    static constexpr const char* kUpdateTitle = "澜石金银";
    static constexpr int kReportPolicy = 1;

    // The init steps: Info.plist keys, directory URLs, analytics start and update check (when
    // an analytics implementation is given), app-key model, token B, shared quote state.
    explicit VKJYAppDelegate(std::shared_ptr<VKJYStartupAnalytics> analytics = nullptr);
    ~VKJYAppDelegate() override;

    // The shared application's delegate, or null when it is not this class.
    static VKJYAppDelegate* shared();

    bool didFinishLaunching(Application& application) override;
    void willResignActive(Application& application) override;
    // Back from the background: posts "widescreen" (no object, no user info).
    void didBecomeActive(Application& application) override;

    // Creates the trading store, its configuration and the trading timer manager (the shared
    // trading module, with the shell as its host) and starts them: the store's empty state,
    // the settings defaults, the timers. Once per process; a second call does nothing.
    void initPXTradeModule();

    Window* window() const { return m_window.get(); }
    const std::string& vkAppName() const { return m_vkAppName; }
    const std::string& vkAppkey() const { return m_vkAppkey; }
    const std::string& appVersion() const { return m_appVersion; }
    VKJYDirectoryUrlHelper& directoryUrlHelper() const { return *m_directoryUrlHelper; }
    const std::shared_ptr<VKJYDirectoryServerModel>& directoryServerModel() const {
        return m_directoryServerModel;
    }
    void setDirectoryServerModel(std::shared_ptr<VKJYDirectoryServerModel> model);
    const std::shared_ptr<VKJYHangQingUrlHelper>& hqUrlHelper() const { return m_hqUrlHelper; }
    // Also tells the shared quote state where each quote server's lines are.
    void setHqUrlHelper(std::shared_ptr<VKJYHangQingUrlHelper> helper);
    const std::shared_ptr<VKJYHangQingDataClass>& hqDataClass() const { return m_hqDataClass; }
    VKJYNormalAppKeyPropertyModel& normalAppPropertyModel() const { return *m_normalAppProperty; }
    VKJYTokenBManager& tokenBManager() const { return *m_tokenBManager; }
    UIShiPeiClass* uiShiPeiClass() const { return m_uiShiPeiClass.get(); }
    VKJYTabBarHelper& tabBarHelper() const { return *m_tabBarHelper; }
    const std::string& accountInfoFilePath() const { return m_accountInfoFilePath; }
    bool tradeLogin() const;
    void setTradeLogin(bool login);
    const std::string& userManageUrl() const { return m_userManageUrl; }
    void setUserManageUrl(std::string url) { m_userManageUrl = std::move(url); }
    bool tradeModuleStarted() const { return m_tradeModule != nullptr; }
    // The trading side; only after initPXTradeModule().
    PXTradeData& PXJYData() const;
    PXTradePeiZhi& PXJYPeiZhi() const;
    PXTradeTimerManger& PXJYTimerManger() const;

private:
    std::string m_vkAppName;
    std::string m_vkAppkey;
    std::string m_appVersion;
    std::shared_ptr<VKJYStartupAnalytics> m_analytics;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<VKJYDirectoryUrlHelper> m_directoryUrlHelper;
    std::shared_ptr<VKJYDirectoryServerModel> m_directoryServerModel;
    std::shared_ptr<VKJYHangQingUrlHelper> m_hqUrlHelper;
    std::shared_ptr<VKJYHangQingDataClass> m_hqDataClass;
    std::unique_ptr<VKJYNormalAppKeyPropertyModel> m_normalAppProperty;
    std::unique_ptr<VKJYTokenBManager> m_tokenBManager;
    std::unique_ptr<UIShiPeiClass> m_uiShiPeiClass;
    std::unique_ptr<VKJYTabBarHelper> m_tabBarHelper;
    std::string m_accountInfoFilePath;
    std::string m_userManageUrl;
    bool m_tradeLogin = false;
    bool m_inBackground = false;
    std::unique_ptr<VKJYTradeHost> m_tradeHost;
    std::unique_ptr<PXTradeModule> m_tradeModule;
};
