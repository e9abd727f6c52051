#pragma once

// The full trading login screen: platform and environment chosen from the directory answer,
// the 15-digit account (typed on the keypad in runs of four or picked from the saved ones), the
// password and, where the environment has one, the captcha; the member-rights check and the
// login chain; the account kept in "AccountsMessage.plist" on success; and the entries to the
// account services. The automatic line test runs at every appearance and after every platform
// or environment choice, then the captcha comes. Pushed by whoever needs a login (the trade root,
// the account switcher's owners), which becomes its delegate (not owned: it stays below on the
// stack). Main thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYActivityHold.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/core/PXJYCeSuVC.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/login/PXJYLoginRequest.h"
#include "trade/login/PXJYTimerPause.h"
#include "widgets/PadKeyboardView.h"

class Button;
class ImageView;
class Label;
class PXJYCaptchaButton;
class PXJYRegisterUserVC;
class PXJYRetrieveAccountVC;
class PXJYRetrievePasswordVC;
class PXJYTradeLoginVCDelegate;
class VKJYNavigationBarView;

class PXJYTradeLoginVC : public ViewController,
                         public VKJYNavigationBarViewDelegate,
                         public PXJYCeSuVCDelegate,
                         public PadKeyboardViewDelegate,
                         public TextFieldDelegate,
                         public TableViewDataSource,
                         public TableViewDelegate,
                         public PXTradeNetworkMangerDelegate,
                         public PXJYLoginRequestDelegate {
public:
    static constexpr int kUserNameTag = 1111;
    static constexpr int kPassWordTag = 1112;
    static constexpr int kCaptchaTag = 1113;
    // The drop-down list's contents.
    static constexpr int kEnvironmentList = 1;
    static constexpr int kPlatformList = 2;
    static constexpr int kAccountList = 3;
    // The account-service links.
    static constexpr int kOpenAccountUrl = 1;
    static constexpr int kResetPasswordUrl = 2;
    static constexpr int kRetrieveAccountUrl = 3;

    PXJYTradeLoginVC();
    ~PXJYTradeLoginVC() override;

    PXJYTradeLoginVCDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYTradeLoginVCDelegate* delegate) { m_delegate = delegate; }
    // The platform, environment and line this screen's requests go to. The live session keeps
    // its own server until a logon made here is accepted.
    const PXTradeTarget& target() const { return m_target; }
    // Asked by an account switcher's owner: the trading timers rest while this screen shows.
    void pauseTimersWhileShown() { m_timerPause.turnOn(); }

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void ziDongCeSu();
    void captchaYanZheng();
    void setSelectedButton();
    void setloginName();
    void loginJiaoYiAction();
    void returnLoginView();
    void clearTextField();
    void platformBAction();
    void environmentBAction();
    void changeBAction();
    void registeredUserAction();
    void resetPasswordAction();
    void retrieveAccountAction();

    // Views, for the tests and the screens that slide over this one.
    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    View* backgroundView() const { return m_backgroundView; }
    View* loginButtonView() const { return m_loginButtonView; }
    Button* loginButton() const { return m_loginButton; }
    Button* platformB() const { return m_platformB; }
    Button* environmentB() const { return m_environmentB; }
    Button* changeB() const { return m_changeB; }
    TextField* userNameTextField() const { return m_userNameTextField; }
    TextField* passWordTextField() const { return m_passWordTextField; }
    TextField* captchaTextField() const { return m_captchaTextField; }
    PXJYCaptchaButton* captchaButton() const { return m_captchaButton; }
    TableView* menuTableView() const { return m_menuTableView; }
    int selectType() const { return m_selectType; }
    bool captchaShown() const { return m_captchaShown; }
    PXJYRegisterUserVC* createUserVC() const { return m_createUserVC; }
    PXJYRetrievePasswordVC* resetPasswordVC() const { return m_resetPasswordVC; }
    PXJYRetrieveAccountVC* retrieveAccountVC() const { return m_retrieveAccountVC; }

    // VKJYNavigationBarViewDelegate
    void VKJYNavBackAction() override;
    // PXJYCeSuVCDelegate
    void PXCeSuFinished(const std::map<std::string, std::string>* timesDic) override;
    // PadKeyboardViewDelegate
    void didNumericKeyPressed(Button& key) override;
    void didspecialKey() override;
    void didBackspaceKeyPressed() override;
    // TextFieldDelegate
    bool textFieldShouldBeginEditing(TextField& field) override;
    bool textFieldShouldReturn(TextField& field) override;
    // The drop-down list.
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    // The account-service list.
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
    // PXJYLoginRequestDelegate
    void loginRequestSucceeded() override;
    void loginRequestRefused() override;
    void loginRequestFailed(bool inChain, bool answered, const std::string& message) override;

private:
    void buildRows(View& container);
    void buildCaptchaRow(View& container);
    void buildLoginButtonView(View& container);
    void chooseStartingCodes();
    void toggleList(int type, bool* hidden, View* under);
    void closeList();
    std::vector<std::string> listTexts() const;
    void choosePlatform(const std::string& code);
    void chooseEnvironment(const std::string& code);
    void refreshChooserTitles();
    std::vector<std::string> savedAccounts() const;
    void loginSuccess();
    void getOpenAccountService(int urlType);
    void setURL(const std::string& url);
    void addServiceScreens(View& root);

    PXJYTradeLoginVCDelegate* m_delegate = nullptr;
    PXTradeTarget m_target;
    // A login was in force when the screen first showed: what lies below it is that session's.
    std::optional<bool> m_overLogin;
    PXJYTimerPause m_timerPause;
    VKJYNavigationBarView* m_navigationBarView = nullptr;
    View* m_backgroundView = nullptr;
    Button* m_platformB = nullptr;
    Button* m_environmentB = nullptr;
    Button* m_changeB = nullptr;
    ImageView* m_platformImage = nullptr;
    ImageView* m_environmentImage = nullptr;
    ImageView* m_accountImage = nullptr;
    TextField* m_userNameTextField = nullptr;
    TextField* m_passWordTextField = nullptr;
    TextField* m_captchaTextField = nullptr;
    Label* m_captchaLabel = nullptr;
    View* m_captchaLine = nullptr;
    PXJYCaptchaButton* m_captchaButton = nullptr;
    View* m_loginButtonView = nullptr;
    Button* m_loginButton = nullptr;
    TableView* m_menuTableView = nullptr;
    int m_selectType = 0;
    bool m_platformHidden = true;
    bool m_environmentHidden = true;
    bool m_accountHidden = true;
    bool m_captchaShown = true;
    std::shared_ptr<PadKeyboardView> m_keyboardView;
    TextField* m_editingField = nullptr;
    std::shared_ptr<PXJYCeSuVC> m_ceSuVC;
    // Up while the line test runs; only its end takes it away.
    VKJYActivityHold m_lineTestHold;
    PXTradeOrderGate m_loginGate;
    std::shared_ptr<PXJYLoginRequest> m_loginRequest;
    int m_urlType = 0;
    bool m_openAccount = false;
    PXTradeOrderGate m_serviceGate;
    PXJYRegisterUserVC* m_createUserVC = nullptr;
    PXJYRetrievePasswordVC* m_resetPasswordVC = nullptr;
    PXJYRetrieveAccountVC* m_retrieveAccountVC = nullptr;
};
