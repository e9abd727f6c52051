#include "shell/VKJYTradeHost.h"

#include "platform/ui/NavigationController.h"
#include "shell/AppUncaughtExceptionHandler.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYDirectoryUrlHelper.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTokenBManager.h"
#include "widgets/GlossAlertView.h"

namespace {
VKJYTradeHost::CommodityListReceiver& receiver() {
    static VKJYTradeHost::CommodityListReceiver registered;
    return registered;
}

// The screens' all-white alert reporting its button to a callback; the window owns it while
// it shows.
class CallbackAlertView : public GlossAlertView, public AlertViewDelegate {
public:
    CallbackAlertView(const PXTradeAlert& alert, std::function<void(int)> onButton)
        : GlossAlertView(
              alert.title, alert.message, nullptr,
              alert.buttons.empty() ? std::string("确定") : alert.buttons.front(),
              alert.buttons.size() > 1
                  ? std::vector<std::string>(alert.buttons.begin() + 1, alert.buttons.end())
                  : std::vector<std::string>{}),
          m_onButton(std::move(onButton)) {
        setTag(alert.tag);
        setStyle(kStyleAllWhite);
        setDelegate(this);
    }

    void alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) override {
        if (m_onButton) {
            m_onButton(buttonIndex);
        }
    }

private:
    std::function<void(int)> m_onButton;
};
}  // namespace

VKJYTradeHost::VKJYTradeHost(VKJYAppDelegate& app) : m_app(app) {}

void VKJYTradeHost::setCommodityListReceiver(CommodityListReceiver commodityReceiver) {
    receiver() = std::move(commodityReceiver);
}

std::vector<std::string> VKJYTradeHost::allJysCodeWithEnvAndLL() {
    const auto& model = m_app.directoryServerModel();
    return model ? model->ywsys()->allJysCodeWithEnvAndLL() : std::vector<std::string>();
}

std::vector<std::string> VKJYTradeHost::allEnvCodeWithLL(const std::string& platform) {
    const auto& model = m_app.directoryServerModel();
    auto jys = model ? model->jysModelForCode(platform) : nullptr;
    return jys ? jys->allEnvCodeWithLL() : std::vector<std::string>();
}

std::optional<std::vector<PXTradeLine>> VKJYTradeHost::llArray(const std::string& platform,
                                                               const std::string& environment,
                                                               const std::string& ywType) {
    const auto& model = m_app.directoryServerModel();
    auto jys = model ? model->jysModelForCode(platform) : nullptr;
    auto env = jys ? jys->envModelForCode(environment) : nullptr;
    auto yw = env ? env->ywModelForType(ywType) : nullptr;
    if (!yw) {
        return std::nullopt;
    }
    std::vector<PXTradeLine> lines;
    for (const auto& line : yw->llArray) {
        lines.push_back({line->code, line->llna, line->url});
    }
    return lines;
}

std::string VKJYTradeHost::directoryAvailableUrl() {
    return m_app.directoryUrlHelper().availableUrl();
}

std::string VKJYTradeHost::serviceFirstZuLLUrl(const std::string& type) {
    const auto& model = m_app.directoryServerModel();
    auto service = model ? model->ywsys()->serviceModelForType(type) : nullptr;
    return service ? service->firstZuLLUrl() : std::string();
}

std::string VKJYTradeHost::accountInfoFilePath() {
    return m_app.accountInfoFilePath();
}

void VKJYTradeHost::saveTokenB(const std::string& token) {
    m_app.tokenBManager().saveTokenB(token);
}

bool VKJYTradeHost::hasSelectedTradeTab() {
    return m_app.tabBarHelper().hasSelectedTradeTab();
}

void VKJYTradeHost::selectTradeTab() {
    m_app.tabBarHelper().selectTradeTab();
}

void VKJYTradeHost::selectHangQingTab() {
    m_app.tabBarHelper().selectHangQingTab();
}

void VKJYTradeHost::popSelectedTabToRoot(bool tellWillAppear) {
    auto* stack =
        dynamic_cast<NavigationController*>(m_app.tabBarHelper().selectedViewController());
    if (!stack) {
        return;
    }
    stack->popToRootViewController(false);
    if (tellWillAppear && !stack->viewControllers().empty()) {
        stack->viewControllers().front()->viewWillAppear(false);
    }
}

void VKJYTradeHost::showAlert(const PXTradeAlert& alert, std::function<void(int)> onButton) {
    AlertView* shown =
        AlertView::show(std::make_unique<CallbackAlertView>(alert, std::move(onButton)));
    std::erase_if(m_sessionAlerts, [](const WeakLink<AlertView>& gone) { return !gone; });
    if (shown && alert.endsWithSession) {
        m_sessionAlerts.emplace_back(shown);
    }
}

void VKJYTradeHost::sessionEnded() {
    auto alerts = std::move(m_sessionAlerts);
    m_sessionAlerts.clear();
    for (const auto& alert : alerts) {
        if (alert) {
            alert->dismiss(alert->cancelButtonIndex());
        }
    }
}

void VKJYTradeHost::keepPastSession(int tag) {
    std::erase_if(m_sessionAlerts, [tag](const WeakLink<AlertView>& alert) {
        return !alert || alert->tag() == tag;
    });
}

void VKJYTradeHost::showToast(const std::string& text, double seconds) {
    VKJYCommonViewUtil::showToast(text, seconds);
}

void VKJYTradeHost::writeDataToNSLogFile(const std::string& text, const std::string& file,
                                         const std::string& directory) {
    AppUncaughtExceptionHandler::writeDataToNSLogFile(text, file, directory);
}

void VKJYTradeHost::setTradeCommodityList(const void* marketList,
                                          const std::vector<std::shared_ptr<commodityInfo>>& list) {
    if (receiver()) {
        receiver()(marketList, list);
    }
}
