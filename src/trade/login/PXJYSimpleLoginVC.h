#pragma once

// The switch-account screen: logs the current trading account off and a chosen saved account
// on, after the user confirmed. The input is checked before anything is sent, so a typo keeps
// the current account logged in; only a confirmed, valid switch sends the logoff (to the old
// account's line) and then the logon. Cancel restores the old account where it is still logged
// in, else returns the selected tab to its root so the login screen comes up. Pushed by the
// owner of an account switcher (or the trade home), which becomes its delegate (not owned: it
// stays below on the stack). Main thread.

#include <memory>
#include <string>

#include "platform/ui/AlertView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/login/PXJYLoginRequest.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYTimerPause.h"
#include "widgets/PadKeyboardView.h"

class Button;
class PXJYCaptchaButton;
class PXJYSimpleLoginVCDelegate;

class PXJYSimpleLoginVC : public ViewController,
                          public PadKeyboardViewDelegate,
                          public TextFieldDelegate,
                          public AlertViewDelegate,
                          public PXJYLoginRequestDelegate {
public:
    static constexpr int kUserNameTag = 1114;
    static constexpr int kPasswordTag = 1115;
    static constexpr int kCaptchaTag = 1116;
    static constexpr int kConfirmTag = 1055;

    PXJYSimpleLoginVC();
    ~PXJYSimpleLoginVC() override;

    PXJYSimpleLoginVCDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYSimpleLoginVCDelegate* delegate) { m_delegate = delegate; }
    const PXJYSavedAccount& selectedAccount() const { return m_selectedAccount; }
    void setSelectedAccount(const PXJYSavedAccount& account) { m_selectedAccount = account; }
    // Asked by an account switcher's owner: the trading timers rest while this screen shows.
    void pauseTimersWhileShown() { m_timerPause.turnOn(); }

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void switchingAccount();
    void getJiaoYiCode();
    void loginJiaoYiAction();
    void cancelButtonClick();

    TextField* userNameTextField() const { return m_userNameTextField; }
    TextField* passwordTextField() const { return m_passwordTextField; }
    TextField* captchaTextField() const { return m_captchaTextField; }
    PXJYCaptchaButton* captchaButton() const { return m_captchaButton; }

    // PadKeyboardViewDelegate
    void didNumericKeyPressed(Button& key) override;
    void didspecialKey() override;
    void didBackspaceKeyPressed() override;
    // TextFieldDelegate
    bool textFieldShouldBeginEditing(TextField& field) override;
    bool textFieldShouldReturn(TextField& field) override;
    // The confirmation.
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    // PXJYLoginRequestDelegate
    void loginRequestSucceeded() override;
    void loginRequestRefused() override;
    void loginRequestFailed(bool inChain, bool answered, const std::string& message) override;

private:
    void startLoginToTradeServer();
    void loginFailed();
    void endEditing();
    bool captchaShown() const;

    PXJYSimpleLoginVCDelegate* m_delegate = nullptr;
    PXJYSavedAccount m_selectedAccount;
    PXJYTimerPause m_timerPause;
    std::string m_oldUserName;
    // The chosen account's server: the live session keeps its own until the logon is accepted.
    PXTradeTarget m_target;
    TextField* m_userNameTextField = nullptr;
    TextField* m_passwordTextField = nullptr;
    TextField* m_captchaTextField = nullptr;
    PXJYCaptchaButton* m_captchaButton = nullptr;
    std::shared_ptr<PadKeyboardView> m_keyboardView;
    TextField* m_editingField = nullptr;
    Button* m_loginButton = nullptr;
    PXTradeOrderGate m_loginGate;
    std::shared_ptr<PXJYLoginRequest> m_loginRequest;
};
