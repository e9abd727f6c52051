#include "trade/login/PXJYRegisterUserVC.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYSmsCodeRules.h"

namespace {
constexpr double kAdvertisingTop = 64;
constexpr double kRowStep = 50;
}  // namespace

PXJYRegisterUserVC::PXJYRegisterUserVC() : PXJYRegisterUserVC("开户", "开通", 124) {}

PXJYRegisterUserVC::PXJYRegisterUserVC(std::string title, std::string actionTitle, double firstRowY)
    : PXJYSmsCodeVC(std::move(title)),
      m_actionTitle(std::move(actionTitle)),
      m_firstRowY(firstRowY) {}

void PXJYRegisterUserVC::buildForm(View& root) {
    if (m_firstRowY > kAdvertisingTop + kRowStep) {
        auto advertising = PXJYLoginStyle::label(Rect(15, kAdvertisingTop, 290, 50), "", 16,
                                                 Color::rgb(255, 204, 0));
        advertising->setNumberOfLines(0);
        advertising->setLineBreakMode(LineBreakMode::WordWrap);
        m_advertising = root.addSubview(std::move(advertising));
    }
    m_phoneNumberTextField = addKeypadRow(root, m_firstRowY, "手机号:", 220, kPhoneTag);
    m_phoneNumberTextField->setClearButtonMode(ClearButtonMode::WhileEditing);
    const double codeY = m_firstRowY + kRowStep;
    m_captchaTextField = addKeypadRow(root, codeY, "验证码:", 90, kCodeTag);
    addCodeButton(root, 180, codeY)->addTarget(TouchUpInside, [this](Control&) {
        getJiaoYiCode();
    });
    addWideButton(root, codeY + 60, m_actionTitle)->addTarget(TouchUpInside, [this](Control&) {
        openAccountAction();
    });
}

std::vector<TextField*> PXJYRegisterUserVC::fields() const {
    return {m_phoneNumberTextField, m_captchaTextField};
}

void PXJYRegisterUserVC::getJiaoYiCode() {
    if (!PXJYSmsCodeRules::checkTel(m_phoneNumberTextField->text())) {
        showMessage("输入手机号有误！");
        return;
    }
    auto manager = newRequest(false);
    if (!manager) {
        return;
    }
    startCountdown();
    manager->sendCaptchaToPhone(
        {{"tokenB", storedTokenB()}, {"phoneNumber", m_phoneNumberTextField->text()}});
}

void PXJYRegisterUserVC::openAccountAction() {
    endEditing();
    if (!PXJYSmsCodeRules::codeLooksSent(m_ssid, m_captchaTextField->text())) {
        showMessage("验证码有误,请重新获取!");
        return;
    }
    if (auto manager = newRequest(true)) {
        manager->shouJiYanZheng({{"ssid", m_ssid}, {"code", m_captchaTextField->text()}});
    }
}

void PXJYRegisterUserVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                              const PXTradeResult* data) {
    const std::string& tag = manager->typeNW();
    if (tag == "PXSendCaptcha") {
        requestEnded(*manager);
        m_ssid = PXJYSmsCodeRules::firstText(data);
        return;
    }
    if (tag == "PXShouJiYanZheng") {
        // The overlay stays for the request the token opens.
        sendWithToken(*manager, PXJYSmsCodeRules::firstText(data));
        return;
    }
    if (tag != finalTag()) {
        return;
    }
    requestEnded(*manager);
    showAnswer(PXJYSmsCodeRules::firstDict(data));
}

void PXJYRegisterUserVC::sendWithToken(PXTradeNetworkManger& manager, const std::string& tokenB) {
    manager.openAccount({{"tokenB", tokenB}, {"url", m_openAccountUrl}});
}

void PXJYRegisterUserVC::showAnswer(const JYDict& answer) {
    showMessage(PXJYSmsCodeRules::openedAccountText(answer), kDoneAlertTag, "开户成功");
}

void PXJYRegisterUserVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    requestEnded(*manager);
    const std::string& tag = manager->typeNW();
    if (tag == "PXSendCaptcha") {
        showMessage("获取验证码失败");
    } else if (tag == "PXShouJiYanZheng") {
        showMessage("验证失败");
    } else if (tag == finalTag()) {
        showMessage(manager->JY_ErrorMessage(), kRefusedAlertTag);
    }
}
