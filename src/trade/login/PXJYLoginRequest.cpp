#include "trade/login/PXJYLoginRequest.h"

#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYTokenBManager.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYLoginForm.h"
#include "trade/login/PXJYTradeDirectory.h"

namespace {
constexpr const char* kRightsTag = "PXHuiYuanQuanXian";
constexpr const char* kLoggedInTag = "PXAccountInformation";

std::string tokenB() {
    auto* app = VKJYAppDelegate::shared();
    return app ? app->tokenBManager().tokenB().value_or("") : std::string();
}
}  // namespace

std::shared_ptr<PXJYLoginRequest> PXJYLoginRequest::create(Responder* owner,
                                                           PXJYLoginRequestDelegate* delegate) {
    return std::shared_ptr<PXJYLoginRequest>(new PXJYLoginRequest(owner, delegate));
}

bool PXJYLoginRequest::start(const std::string& accountText, const std::string& password,
                             const std::string& captcha, const std::string& validString) {
    if (m_running) {
        return false;
    }
    m_running = true;
    m_logonSent = false;
    m_accountText = accountText;
    m_password = password;
    m_captcha = captcha;
    m_validString = validString;
    const PXTradePeiZhi& peiZhi = PXTradeModule::shared().PXJYPeiZhi();
    if (PXJYTradeDirectory::needsMemberRights(peiZhi.platformCODE(), peiZhi.environmentCODE())) {
        huoQuHuiYuanQuanXian();
    } else {
        loginJiaoYi();
    }
    return true;
}

std::shared_ptr<PXTradeNetworkManger> PXJYLoginRequest::newManager() {
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(shared_from_this());
    VKJYCommonViewUtil::showActivity();
    return manager;
}

void PXJYLoginRequest::huoQuHuiYuanQuanXian() {
    const JYDict values = {{"tokenB", tokenB()},
                           {"platformCode", PXTradeModule::shared().PXJYPeiZhi().platformCODE()}};
    newManager()->getHuiYuanQuanXian(values);
}

void PXJYLoginRequest::loginJiaoYi() {
    PXTradeModule& module = PXTradeModule::shared();
    const std::string account = PXJYLoginForm::withoutSpaces(m_accountText);
    m_previousUserName = module.defaultString("JYUserName");
    m_logonSent = true;
    module.setDefaultString("JYUserName", account);
    module.synchronizeDefaults();
    newManager()->CPYloginJiaoYiActionType(account, m_captcha, m_validString, m_password);
    // The password is not kept beyond the request that carries it.
    m_password.clear();
}

void PXJYLoginRequest::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                            const PXTradeResult* data) {
    VKJYCommonViewUtil::hideActivity();
    if (manager->typeNW() == kRightsTag) {
        std::vector<std::string> members;
        for (const auto& element : data ? *data : PXTradeResult()) {
            if (const auto* code = std::get_if<std::string>(&element)) {
                members.push_back(*code);
            }
        }
        if (PXJYLoginForm::hasMemberRight(members, m_accountText)) {
            loginJiaoYi();
            return;
        }
        m_running = false;
        if (auto* target = delegate()) {
            target->loginRequestRefused();
        }
        return;
    }
    if (manager->typeNW() != kLoggedInTag) {
        return;
    }
    m_running = false;
    if (auto* target = delegate()) {
        target->loginRequestSucceeded();
    }
}

void PXJYLoginRequest::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    fail(manager, true);
}

void PXJYLoginRequest::requestFailed(PXTradeNetworkManger* manager, int) {
    fail(manager, false);
}

void PXJYLoginRequest::fail(PXTradeNetworkManger* manager, bool answered) {
    VKJYCommonViewUtil::hideActivity();
    m_running = false;
    m_password.clear();
    // The saved account stays the one of the last login that succeeded.
    if (m_logonSent) {
        PXTradeModule::shared().setDefaultString("JYUserName", m_previousUserName);
        PXTradeModule::shared().synchronizeDefaults();
    }
    if (auto* target = delegate()) {
        target->loginRequestFailed(
            manager->typeNW() != kRightsTag, answered,
            answered ? manager->JY_ErrorMessage() : std::string(PXTradeMessage::kNetworkFailed));
    }
}
