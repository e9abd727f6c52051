#include "trade/login/PXJYSimpleLoginVC.h"

#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYKeypadEditing.h"
#include "trade/login/PXJYLoginForm.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYSimpleLoginVCDelegate.h"
#include "trade/login/PXJYTradeDirectory.h"
#include "widgets/GlossAlertView.h"

namespace {
constexpr double kFirstRow = 50;
constexpr double kRowStep = 60;
constexpr double kFieldX = 100;

std::unique_ptr<TextField> field(double y, double width, int tag) {
    auto text = std::make_unique<TextField>(Rect(kFieldX, y + 5, width, 40));
    text->setTag(tag);
    text->setTextColor(PXJYLoginStyle::lightText());
    text->setPlaceholderColor(Color::white(0.55));
    text->setFont(PXJYLoginStyle::boldFont(18));
    return text;
}

std::unique_ptr<View> underline(double y, double width) {
    auto line = std::make_unique<View>(Rect(kFieldX, y + 45, width, 1));
    line->setBackgroundColor(Color::rgb(120, 120, 134));
    return line;
}
}  // namespace

PXJYSimpleLoginVC::PXJYSimpleLoginVC() {
    setHidesBottomBarWhenPushed(true);
}

PXJYSimpleLoginVC::~PXJYSimpleLoginVC() {
    if (m_keyboardView) {
        m_keyboardView->setDelegate(nullptr);
    }
}

void PXJYSimpleLoginVC::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect(0, 0, area.width, area.y + area.height));
    root->setBackgroundColor(PXJYLoginStyle::background());
    m_keyboardView = std::make_shared<PadKeyboardView>(Rect(0, 0, 320, 216));
    m_keyboardView->setDelegate(this);
    m_loginRequest = PXJYLoginRequest::create(this, this, m_loginGate);

    const char* captions[] = {"账   号:", "密   码:", "验证码:"};
    for (int row = 0; row < 3; ++row) {
        const double y = kFirstRow + kRowStep * row;
        root->addSubview(
            PXJYLoginStyle::label(Rect(15, y, 80, 50), captions[row], 20, Color::whiteColor()));
        root->addSubview(underline(y, row == 2 ? 100 : 200));
    }
    auto account = field(kFirstRow, 200, kUserNameTag);
    account->setEnabled(false);
    account->setInputView(m_keyboardView);
    m_userNameTextField = root->addSubview(std::move(account));
    auto password = field(kFirstRow + kRowStep, 200, kPasswordTag);
    password->setSecureTextEntry(true);
    password->setClearButtonMode(ClearButtonMode::WhileEditing);
    password->setDelegate(this);
    m_passwordTextField = root->addSubview(std::move(password));
    auto captcha = field(kFirstRow + 2 * kRowStep, 100, kCaptchaTag);
    captcha->setPlaceholder("验证码");
    captcha->setInputView(m_keyboardView);
    captcha->setDelegate(this);
    m_captchaTextField = root->addSubview(std::move(captcha));
    m_captchaButton = root->addSubview(std::make_unique<PXJYCaptchaButton>(
        Rect(kFieldX + 110, kFirstRow + 2 * kRowStep + 5, 80, 40)));

    const double buttonsY = kFirstRow + 3 * kRowStep + 10;
    auto login = PXJYLoginStyle::redButton(Rect(15, buttonsY, 140, 43), "登录");
    login->addTarget(TouchUpInside, [this](Control&) { loginJiaoYiAction(); });
    m_loginButton = root->addSubview(std::move(login));
    auto cancel = PXJYLoginStyle::redButton(Rect(165, buttonsY, 140, 43), "取消");
    cancel->addTarget(TouchUpInside, [this](Control&) { cancelButtonClick(); });
    root->addSubview(std::move(cancel));
    setView(root);
}

void PXJYSimpleLoginVC::viewWillAppear(bool) {
    m_timerPause.screenAppears();
    switchingAccount();
}

void PXJYSimpleLoginVC::viewWillDisappear(bool) {
    m_timerPause.screenLeaves();
}

void PXJYSimpleLoginVC::switchingAccount() {
    m_oldUserName = UserDefaults::standardUserDefaults().stringForKey("JYUserName");
    m_userNameTextField->setText(
        PXJYLoginForm::stringByReplacingOccurrencesOfSpace(m_selectedAccount.userName));
    m_target = {m_selectedAccount.platformCode, m_selectedAccount.environmentCode,
                PXTradeModule::shared().PXJYPeiZhi().target().tradeLinkType};
    m_captchaButton->setTarget(m_target);
    getJiaoYiCode();
}

bool PXJYSimpleLoginVC::captchaShown() const {
    return PXJYTradeDirectory::needsCaptcha(m_target.platformCODE, m_target.environmentCODE);
}

void PXJYSimpleLoginVC::getJiaoYiCode() {
    if (!captchaShown()) {
        m_captchaTextField->setEnabled(false);
        m_captchaButton->reset();
        m_captchaButton->setAlpha(0);
        return;
    }
    m_captchaButton->setAlpha(1);
    m_captchaTextField->setEnabled(true);
    m_captchaButton->getJiaoYiCode();
}

void PXJYSimpleLoginVC::loginJiaoYiAction() {
    if (m_loginRequest->isRunning()) {
        return;
    }
    // Checked before the confirmation: a typo must not log the current account off.
    const auto problem =
        PXJYLoginForm::checkUserInput(m_userNameTextField->text(), m_passwordTextField->text(),
                                      m_captchaTextField->text(), captchaShown());
    if (problem) {
        PXTradeMessage::show(*problem);
        return;
    }
    auto alert = std::make_unique<GlossAlertView>("提示", "切换账号将会注销已登录账号!", this,
                                                  "确定", std::vector<std::string>{"取消"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    alert->setTag(kConfirmTag);
    AlertView::show(std::move(alert));
}

void PXJYSimpleLoginVC::alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) {
    if (alert.tag() != kConfirmTag || buttonIndex != 0) {
        return;
    }
    // The live session's server is still the account being left's: the logoff goes there. Asked
    // of the session itself, not of an earlier try: one already over is not logged off; one that
    // goes on or whose logoff is still on its way is, as that logoff may yet be lost.
    PXTradeModule& module = PXTradeModule::shared();
    if (module.tradeLogin() || module.PXJYData().sessions().ending()) {
        PXTradeNetworkManger::create()->getCancellation();
    }
    startLoginToTradeServer();
}

void PXJYSimpleLoginVC::startLoginToTradeServer() {
    m_loginRequest->start(m_target, m_userNameTextField->text(), m_passwordTextField->text(),
                          captchaShown() ? m_captchaTextField->text() : std::string(),
                          captchaShown() ? m_captchaButton->validString() : std::string(),
                          m_loginButton);
    m_captchaTextField->resignFirstResponder();
}

void PXJYSimpleLoginVC::loginRequestSucceeded() {
    m_captchaTextField->setText("");
    m_passwordTextField->setText("");
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setString(m_target.platformCODE, "platform_code");
    defaults.setString(m_target.environmentCODE, "environment_code");
    defaults.synchronize();
    PXJYSimpleLoginVCDelegate* told = m_delegate;
    if (navigationController()) {
        navigationController()->popViewController(true);
    }
    if (told) {
        told->PXJYSimpleLoginSuccess();
    }
}

void PXJYSimpleLoginVC::loginRequestRefused() {
    PXTradeMessage::show("没有交易权限");
}

void PXJYSimpleLoginVC::loginRequestFailed(bool inChain, bool answered,
                                           const std::string& message) {
    if (!inChain) {
        PXTradeMessage::show(message);
        return;
    }
    loginFailed();
    PXTradeMessage::show(answered ? "登录失败" : PXTradeMessage::kTitle, message);
}

void PXJYSimpleLoginVC::loginFailed() {
    getJiaoYiCode();
    m_captchaTextField->setText("");
    m_passwordTextField->setText("");
}

void PXJYSimpleLoginVC::endEditing() {
    m_userNameTextField->resignFirstResponder();
    m_passwordTextField->resignFirstResponder();
    m_captchaTextField->resignFirstResponder();
}

void PXJYSimpleLoginVC::cancelButtonClick() {
    endEditing();
    m_captchaTextField->setText("");
    m_passwordTextField->setText("");
    PXTradeModule& module = PXTradeModule::shared();
    if (!module.tradeLogin()) {
        // The old account is gone: back to the tab's root, which brings up the login screen.
        module.host().popSelectedTabToRoot(true);
        return;
    }
    module.setDefaultString("JYUserName", m_oldUserName);
    module.synchronizeDefaults();
    PXJYSimpleLoginVCDelegate* told = m_delegate;
    if (navigationController()) {
        navigationController()->popViewController(true);
    }
    if (told) {
        told->PXJYSimpleLoginCancelAction();
    }
}

void PXJYSimpleLoginVC::didNumericKeyPressed(Button& key) {
    const auto kind = m_editingField == m_captchaTextField ? PXJYLoginForm::Field::Captcha
                                                           : PXJYLoginForm::Field::Account;
    PXJYKeypadEditing::pressKey(m_editingField, kind, key.currentTitle());
}

void PXJYSimpleLoginVC::didBackspaceKeyPressed() {
    PXJYKeypadEditing::backspace(m_editingField);
}

void PXJYSimpleLoginVC::didspecialKey() {
    if (m_editingField) {
        m_editingField->resignFirstResponder();
    }
}

bool PXJYSimpleLoginVC::textFieldShouldBeginEditing(TextField& textField) {
    if (textField.tag() == kUserNameTag || textField.tag() == kCaptchaTag) {
        m_editingField = &textField;
    }
    return true;
}

bool PXJYSimpleLoginVC::textFieldShouldReturn(TextField&) {
    endEditing();
    return true;
}
