#include "trade/login/PXJYRetrievePasswordVC.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/login/PXJYLoginForm.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYSmsCodeRules.h"

PXJYRetrievePasswordVC::PXJYRetrievePasswordVC() : PXJYSmsCodeVC("验证手机") {}

void PXJYRetrievePasswordVC::buildForm(View& root) {
    auto hint = PXJYLoginStyle::label(Rect(15, 64, 290, 50), "验证码将发送至您开户时注册的手机号",
                                      16, Color::rgb(255, 204, 0));
    hint->setNumberOfLines(0);
    hint->setLineBreakMode(LineBreakMode::WordWrap);
    root.addSubview(std::move(hint));
    m_accountTF = addKeypadRow(root, 124, "账   号:", 220, kAccountTag);
    m_accountTF->setClearButtonMode(ClearButtonMode::WhileEditing);
    m_captchaTF = addKeypadRow(root, 174, "验证码:", 90, kCodeTag);
    addCodeButton(root, 180, 174)->addTarget(TouchUpInside, [this](Control&) { getCaptchaCode(); });
    addWideButton(root, 234, "下一步")->addTarget(TouchUpInside, [this](Control&) {
        nextAction();
    });
}

std::vector<TextField*> PXJYRetrievePasswordVC::fields() const {
    std::vector<TextField*> all = {m_accountTF, m_captchaTF};
    if (m_resetView) {
        all.push_back(m_newPasswordTF);
        all.push_back(m_againTF);
    }
    return all;
}

bool PXJYRetrievePasswordVC::acceptsKey(const TextField& field) const {
    if (field.tag() == kAccountTag) {
        return field.text().size() < PXJYSmsCodeRules::kAccountLength;
    }
    if (field.tag() == kCodeTag) {
        return field.text().size() < PXJYSmsCodeRules::kResetCodeLength;
    }
    return true;
}

void PXJYRetrievePasswordVC::getCaptchaCode() {
    if (!PXJYSmsCodeRules::checkAccount(m_accountTF->text())) {
        showMessage("输入账号有误！");
        return;
    }
    auto manager = newRequest(false);
    if (!manager) {
        return;
    }
    startCountdown();
    manager->sendPhoneNumberVerification({{"tokenB", storedTokenB()},
                                          {"account", m_accountTF->text()},
                                          {"platform", m_target.platformCODE},
                                          {"environment", m_target.environmentCODE},
                                          {"url", m_resetPasswordUrl}});
}

void PXJYRetrievePasswordVC::nextAction() {
    if (auto problem = PXJYSmsCodeRules::resetCodeProblem(m_captchaTF->text())) {
        showMessage(*problem);
        return;
    }
    m_captchaTF->resignFirstResponder();
    m_accountTF->resignFirstResponder();
    // Nothing is sent: the service checks the code with the reset request.
    buildResetView();
}

void PXJYRetrievePasswordVC::buildResetView() {
    auto reset = std::make_unique<View>(view()->bounds());
    reset->setBackgroundColor(PXJYLoginStyle::background());
    const Rect area = PXTradeViewKit::appViewRect();
    auto* bar = PXTradeViewKit::addNavigationBar(*reset, area.y, "重置密码", nullptr);
    bar->backButton()->addTarget(TouchUpInside, [this](Control&) { resetViewBackButtonClick(); });
    m_newPasswordTF = addPasswordRow(*reset, 74, "新   密   码 :");
    m_againTF = addPasswordRow(*reset, 124, "确认新密码:");
    m_againTF->setKeyboardType(KeyboardType::Ascii);
    m_againTF->setReturnKeyType(ReturnKeyType::Done);
    reset->addSubview(PXJYLoginStyle::redButton(Rect(15, 194, 290, 43), "重置密码"))
        ->addTarget(TouchUpInside, [this](Control&) { resetPasswordAction(); });
    m_resetView = view()->addSubview(std::move(reset));
}

TextField* PXJYRetrievePasswordVC::addPasswordRow(View& parent, double y,
                                                  const std::string& caption) {
    parent.addSubview(PXJYLoginStyle::caption(Rect(15, y, 105, 40), caption, 16));
    auto field = std::make_unique<TextField>(Rect(120, y, 180, 40));
    field->setBackground(PXTradeViewKit::stretchable("lashen_x.png"));
    field->setTextColor(PXTradeViewKit::fieldText());
    field->setSecureTextEntry(true);
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    field->setDelegate(this);
    return parent.addSubview(std::move(field));
}

void PXJYRetrievePasswordVC::resetViewBackButtonClick() {
    m_captchaTF->setText("");
    if (!m_resetView) {
        return;
    }
    m_newPasswordTF->resignFirstResponder();
    m_againTF->resignFirstResponder();
    m_resetView->removeFromSuperview();
    m_resetView = nullptr;
    m_newPasswordTF = nullptr;
    m_againTF = nullptr;
}

void PXJYRetrievePasswordVC::resetPasswordAction() {
    if (auto problem =
            PXJYSmsCodeRules::newPasswordProblem(m_newPasswordTF->text(), m_againTF->text())) {
        if (PXJYLoginForm::isShortPassword(m_newPasswordTF->text())) {
            m_newPasswordTF->setText("");
        }
        m_againTF->setText("");
        showMessage(*problem);
        return;
    }
    if (m_session.empty()) {
        showMessage("验证码已失效,请重新获取!");
        return;
    }
    if (auto manager = newRequest(true)) {
        manager->sendResetPassword({{"tokenB", storedTokenB()},
                                    {"session", m_session},
                                    {"password", m_newPasswordTF->text()},
                                    {"captcha", m_captchaTF->text()},
                                    {"url", m_resetPasswordUrl}});
    }
}

void PXJYRetrievePasswordVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                  const PXTradeResult* data) {
    requestEnded(*manager);
    const std::string& tag = manager->typeNW();
    if (tag == "PXPhoneNumberVerification") {
        const JYDict verification = PXJYSmsCodeRules::firstDict(data);
        showMessage(PXJYSmsCodeRules::codeSentText(verification));
        m_session = verification.value("SSID", "");
        return;
    }
    if (tag == "PXresetPasswordLoginView") {
        resetViewBackButtonClick();
        createUserViewBackButtonClick();
        showMessage("重置密码成功");
    }
}

void PXJYRetrievePasswordVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    requestEnded(*manager);
    const std::string& tag = manager->typeNW();
    if (tag == "PXPhoneNumberVerification") {
        showMessage("获取验证码失败");
    } else if (tag == "PXresetPasswordLoginView") {
        showMessage(manager->JY_ErrorMessage());
    }
}
