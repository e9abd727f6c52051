#include "trade/login/PXJYLoginRequest.h"

#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYTokenBManager.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/core/PXTradeModule.h"
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
                                                           PXJYLoginRequestDelegate* delegate,
                                                           PXTradeOrderGate& gate) {
    return std::shared_ptr<PXJYLoginRequest>(new PXJYLoginRequest(owner, delegate, gate));
}

bool PXJYLoginRequest::isRunning() const {
    const PXTradeOrderGate* shut = gate();
    return shut && shut->isOutstanding();
}

bool PXJYLoginRequest::start(const PXTradeTarget& target, const std::string& accountText,
                             const std::string& password, const std::string& captcha,
                             const std::string& validString, Control* trigger) {
    if (!gate() || isRunning()) {
        return false;
    }
    m_trigger = trigger;
    m_target = target;
    m_accountText = accountText;
    m_password = password;
    m_captcha = captcha;
    m_validString = validString;
    if (PXJYTradeDirectory::needsMemberRights(target.platformCODE, target.environmentCODE)) {
        huoQuHuiYuanQuanXian();
    } else {
        loginJiaoYi();
    }
    return true;
}

std::shared_ptr<PXTradeNetworkManger> PXJYLoginRequest::newManager() {
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(shared_from_this());
    manager->setTarget(m_target);
    if (PXTradeOrderGate* shut = gate()) {
        // The logon after the rights check takes the gate over: the overlay stays between them.
        shut->began(*manager, m_trigger.get());
    }
    return manager;
}

void PXJYLoginRequest::huoQuHuiYuanQuanXian() {
    const JYDict values = {{"tokenB", tokenB()}, {"platformCode", m_target.platformCODE}};
    newManager()->getHuiYuanQuanXian(values);
}

void PXJYLoginRequest::loginJiaoYi() {
    m_account = PXJYLoginForm::withoutSpaces(m_accountText);
    newManager()->CPYloginJiaoYiActionType(m_account, m_captcha, m_validString, m_password);
    // The password is not kept beyond the request that carries it.
    m_password.clear();
}

void PXJYLoginRequest::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                            const PXTradeResult* data) {
    if (manager->typeNW() == kRightsTag) {
        std::vector<std::string> members;
        for (const auto& element : data ? *data : PXTradeResult()) {
            if (const auto* code = std::get_if<std::string>(&element)) {
                members.push_back(*code);
            }
        }
        if (PXJYLoginForm::hasMemberRight(members, m_accountText)) {
            // No logon for a screen that is gone.
            if (gate()) {
                loginJiaoYi();
            }
            return;
        }
        if (auto* target = delegate(); endedBy(*manager) && target) {
            target->loginRequestRefused();
        }
        return;
    }
    if (manager->typeNW() != kLoggedInTag) {
        return;
    }
    // The account becomes the saved one only now that its login is in force, screen or not:
    // until then the live session goes on under its own.
    PXTradeModule::shared().setDefaultString("JYUserName", m_account);
    PXTradeModule::shared().synchronizeDefaults();
    if (auto* target = delegate(); endedBy(*manager) && target) {
        target->loginRequestSucceeded();
    }
}

bool PXJYLoginRequest::endedBy(const PXTradeNetworkManger& reply) {
    PXTradeOrderGate* shut = gate();
    return shut && shut->endedBy(reply);
}

void PXJYLoginRequest::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    fail(manager, true);
}

void PXJYLoginRequest::requestFailed(PXTradeNetworkManger* manager, int) {
    fail(manager, false);
}

void PXJYLoginRequest::fail(PXTradeNetworkManger* manager, bool answered) {
    m_password.clear();
    if (auto* target = delegate(); endedBy(*manager) && target) {
        target->loginRequestFailed(
            manager->typeNW() != kRightsTag, answered,
            answered ? manager->JY_ErrorMessage() : std::string(PXTradeMessage::kNetworkFailed));
    }
}
