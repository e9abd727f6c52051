#include "trade/login/PXJYTradeLoginVC.h"

#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTokenBManager.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYKeypadEditing.h"
#include "trade/login/PXJYLoginForm.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYRegisterUserVC.h"
#include "trade/login/PXJYRetrieveAccountVC.h"
#include "trade/login/PXJYRetrievePasswordVC.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYTradeDirectory.h"
#include "trade/login/PXJYTradeLoginVCDelegate.h"

namespace {
constexpr double kBarBottom = 64;
constexpr double kRowTop = kBarBottom + 5;
constexpr double kRowHeight = 50;
constexpr double kValueX = 95;
constexpr double kValueWidth = 190;
constexpr double kLoginViewTop = 300;
constexpr double kLoginViewTopWithCaptcha = 350;
constexpr double kListRowHeight = 45;
constexpr double kSlideSeconds = 0.2;
constexpr double kRaiseFourInch = 70;
constexpr double kRaiseSmall = 125;
// The application rectangle's height on the 3.5-inch screen.
constexpr double kSmallScreenHeight = 460;
constexpr const char* kServiceTag = "PXOpenAccount";

double rowTop(int row) {
    return kRowTop + kRowHeight * row;
}

std::unique_ptr<Button> chooserButton(double y) {
    auto button = std::make_unique<Button>(Rect(kValueX, y + 10, kValueWidth, 30));
    button->setTitleColor(Color::whiteColor());
    button->titleLabel()->setFont(PXJYLoginStyle::boldFont(16));
    button->setContentHorizontalAlignment(ContentAlignment::Left);
    return button;
}

std::unique_ptr<TextField> inputField(double y, double width, int tag,
                                      const std::string& placeholder) {
    auto field = std::make_unique<TextField>(Rect(kValueX, y + 10, width, 30));
    field->setTag(tag);
    field->setPlaceholder(placeholder);
    field->setPlaceholderColor(Color::white(0.55));
    field->setTextColor(Color::whiteColor());
    field->setFont(PXJYLoginStyle::boldFont(16));
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    return field;
}
}  // namespace

PXJYTradeLoginVC::PXJYTradeLoginVC() {
    setHidesBottomBarWhenPushed(true);
}

PXJYTradeLoginVC::~PXJYTradeLoginVC() {
    if (m_ceSuVC) {
        m_ceSuVC->setDelegate(nullptr);
    }
    if (m_keyboardView) {
        m_keyboardView->setDelegate(nullptr);
    }
}

void PXJYTradeLoginVC::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect(0, 0, area.width, area.y + area.height));
    root->setBackgroundColor(PXJYLoginStyle::background());
    m_keyboardView = std::make_shared<PadKeyboardView>(Rect(0, 0, 320, 216));
    m_keyboardView->setDelegate(this);
    m_ceSuVC = PXJYCeSuVC::create();
    m_ceSuVC->setDelegate(this);
    m_loginRequest = PXJYLoginRequest::create(this, this, m_loginGate);
    chooseStartingCodes();

    m_backgroundView = root->addSubview(std::make_unique<View>(root->bounds()));
    auto bar = std::make_unique<VKJYNavigationBarView>(
        Rect(0, area.y, area.width, VKJYNavigationBarView::kHeight));
    bar->title()->setText("登录");
    bar->menuButton()->setAlpha(0);
    bar->menuImageview()->setAlpha(0);
    bar->setDelegate(this);
    m_navigationBarView = root->addSubview(std::move(bar));

    buildRows(*m_backgroundView);
    buildCaptchaRow(*m_backgroundView);
    buildLoginButtonView(*m_backgroundView);

    auto list = std::make_unique<TableView>(Rect(kValueX, 0, 200, 175));
    list->setBackgroundColor(PXJYLoginStyle::listBackground());
    list->setSeparatorColor(Color::blackColor());
    list->setDataSource(this);
    list->setDelegate(this);
    list->setAlpha(0);
    m_menuTableView = root->addSubview(std::move(list));
    addServiceScreens(*root);
    setView(root);
    refreshChooserTitles();
    setloginName();
}

void PXJYTradeLoginVC::addServiceScreens(View& root) {
    m_createUserVC = addChildViewController(std::make_unique<PXJYRegisterUserVC>());
    m_resetPasswordVC = addChildViewController(std::make_unique<PXJYRetrievePasswordVC>());
    m_retrieveAccountVC = addChildViewController(std::make_unique<PXJYRetrieveAccountVC>());
    const Rect area = PXTradeViewKit::appViewRect();
    for (ViewController* child : childViewControllers()) {
        // Kept below the visible area until a service link slides one in.
        const Rect frame = child->view()->frame();
        child->view()->setFrame(Rect(area.x, frame.height, frame.width, frame.height));
        root.addSubview(child->viewShared());
    }
}

void PXJYTradeLoginVC::chooseStartingCodes() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    m_target = PXTradeModule::shared().PXJYPeiZhi().target();
    if (defaults.contains("platform_code")) {
        m_target.platformCODE = defaults.stringForKey("platform_code");
        m_target.environmentCODE = defaults.stringForKey("environment_code");
        return;
    }
    const auto platforms = PXJYTradeDirectory::platformCodes();
    m_target.platformCODE = platforms.empty() ? std::string() : platforms.front();
    const auto environments = PXJYTradeDirectory::environmentCodes(m_target.platformCODE);
    if (!environments.empty()) {
        m_target.environmentCODE = environments.front();
    }
}

void PXJYTradeLoginVC::buildRows(View& container) {
    const char* captions[] = {"交易平台:", "交易环境:", "账       号:", "密       码:"};
    for (int row = 0; row < 4; ++row) {
        container.addSubview(
            PXJYLoginStyle::caption(Rect(10, rowTop(row), 80, kRowHeight), captions[row], 16));
        container.addSubview(PXJYLoginStyle::separator(rowTop(row + 1) - 1));
    }
    if (!PXJYTradeDirectory::hidesPlatform()) {
        auto platform = chooserButton(rowTop(0));
        platform->addTarget(TouchUpInside, [this](Control&) { platformBAction(); });
        m_platformB = container.addSubview(std::move(platform));
        m_platformImage =
            container.addSubview(PXJYLoginStyle::arrow(kValueX + kValueWidth, rowTop(0)));
    }
    auto environment = chooserButton(rowTop(1));
    environment->addTarget(TouchUpInside, [this](Control&) { environmentBAction(); });
    m_environmentB = container.addSubview(std::move(environment));
    m_environmentImage =
        container.addSubview(PXJYLoginStyle::arrow(kValueX + kValueWidth, rowTop(1)));

    auto account = inputField(rowTop(2), kValueWidth - 30, kUserNameTag, "请输入账号");
    account->setInputView(m_keyboardView);
    account->setDelegate(this);
    account->addTarget(EditingChanged, [this](Control&) {
        m_userNameTextField->setText(
            PXJYLoginForm::stringByReplacingOccurrencesOfSpace(m_userNameTextField->text()));
    });
    m_userNameTextField = container.addSubview(std::move(account));
    m_accountImage = container.addSubview(PXJYLoginStyle::arrow(kValueX + kValueWidth, rowTop(2)));
    auto change = std::make_unique<Button>(Rect(kValueX + kValueWidth - 10, rowTop(2) + 7, 35, 35));
    change->addTarget(TouchUpInside, [this](Control&) { changeBAction(); });
    m_changeB = container.addSubview(std::move(change));

    auto password = inputField(rowTop(3), kValueWidth + 20, kPassWordTag, "请输入密码");
    password->setSecureTextEntry(true);
    password->setDelegate(this);
    m_passWordTextField = container.addSubview(std::move(password));
}

void PXJYTradeLoginVC::buildCaptchaRow(View& container) {
    const double top = rowTop(4);
    m_captchaLabel = container.addSubview(
        PXJYLoginStyle::caption(Rect(10, top, 80, kRowHeight), "验  证  码:", 16));
    m_captchaLine = container.addSubview(PXJYLoginStyle::separator(top + kRowHeight - 1));
    auto captcha = inputField(top, 110, kCaptchaTag, "请输入验证码");
    captcha->setInputView(m_keyboardView);
    captcha->setDelegate(this);
    m_captchaTextField = container.addSubview(std::move(captcha));
    m_captchaButton = container.addSubview(
        std::make_unique<PXJYCaptchaButton>(Rect(kValueX + 125, top + 5, 70, 40)));
}

void PXJYTradeLoginVC::buildLoginButtonView(View& container) {
    auto holder = std::make_unique<View>(Rect(0, kLoginViewTop, container.bounds().width, 300));
    auto login = PXJYLoginStyle::redButton(Rect(15, 0, 290, 43), "登录");
    login->addTarget(TouchUpInside, [this](Control&) { loginJiaoYiAction(); });
    m_loginButton = holder->addSubview(std::move(login));
    holder->addSubview(PXJYLoginStyle::note(Rect(15, 55, 135, 20), "如果还没有开户，请您先"));
    auto open = PXJYLoginStyle::link(Rect(150, 55, 30, 20), "开户");
    open->addTarget(TouchUpInside, [this](Control&) { registeredUserAction(); });
    holder->addSubview(std::move(open));
    auto account = PXJYLoginStyle::link(Rect(15, 80, 55, 20), "忘记账号");
    account->addTarget(TouchUpInside, [this](Control&) { retrieveAccountAction(); });
    holder->addSubview(std::move(account));
    auto password = PXJYLoginStyle::link(Rect(85, 80, 55, 20), "忘记密码");
    password->addTarget(TouchUpInside, [this](Control&) { resetPasswordAction(); });
    holder->addSubview(std::move(password));
    m_loginButtonView = container.addSubview(std::move(holder));
}

void PXJYTradeLoginVC::viewWillAppear(bool) {
    if (!m_overLogin) {
        m_overLogin = PXTradeModule::shared().tradeLogin();
    }
    m_timerPause.screenAppears();
    setSelectedButton();
    ziDongCeSu();
}

void PXJYTradeLoginVC::viewWillDisappear(bool) {
    m_timerPause.screenLeaves();
    view()->endEditing();
}

void PXJYTradeLoginVC::ziDongCeSu() {
    // A new run replaces one still going (the tester drops its answers): one overlay for both.
    if (!m_lineTestHold.isRaised()) {
        m_lineTestHold = VKJYActivityHold::raise();
    }
    m_ceSuVC->setTarget(m_target);
    m_ceSuVC->ziDongCeSu();
}

void PXJYTradeLoginVC::PXCeSuFinished(const std::map<std::string, std::string>*) {
    m_lineTestHold.release();
    m_target = m_ceSuVC->target().value_or(m_target);
    captchaYanZheng();
}

void PXJYTradeLoginVC::captchaYanZheng() {
    m_captchaShown =
        PXJYTradeDirectory::needsCaptcha(m_target.platformCODE, m_target.environmentCODE);
    const double alpha = m_captchaShown ? 1 : 0;
    for (View* control : std::initializer_list<View*>{m_captchaLabel, m_captchaLine,
                                                      m_captchaTextField, m_captchaButton}) {
        control->setAlpha(alpha);
    }
    Rect frame = m_loginButtonView->frame();
    frame.y = m_captchaShown ? kLoginViewTopWithCaptcha : kLoginViewTop;
    m_loginButtonView->setFrame(frame);
    if (!m_captchaShown) {
        m_captchaButton->reset();
        return;
    }
    m_captchaButton->setTarget(m_target);
    m_captchaButton->getJiaoYiCode();
}

void PXJYTradeLoginVC::refreshChooserTitles() {
    if (m_platformB) {
        m_platformB->setTitle(PXJYTradeDirectory::platformName(m_target.platformCODE));
    }
    m_environmentB->setTitle(
        PXJYTradeDirectory::environmentName(m_target.platformCODE, m_target.environmentCODE));
}

void PXJYTradeLoginVC::setSelectedButton() {
    const bool platforms = PXJYTradeDirectory::platformCodes().size() >= 2;
    const bool environments =
        PXJYTradeDirectory::environmentCodes(m_target.platformCODE).size() >= 2;
    const bool accounts = savedAccounts().size() >= 2;
    if (m_platformB) {
        m_platformB->setEnabled(platforms);
        m_platformImage->setAlpha(platforms ? 1 : 0);
    }
    m_environmentB->setEnabled(environments);
    m_environmentImage->setAlpha(environments ? 1 : 0);
    m_changeB->setEnabled(accounts);
    m_accountImage->setAlpha(accounts ? 1 : 0);
}

std::vector<std::string> PXJYTradeLoginVC::savedAccounts() const {
    return PXJYSavedAccounts::ofApplication().accounts(m_target.platformCODE,
                                                       m_target.environmentCODE);
}

void PXJYTradeLoginVC::setloginName() {
    const auto accounts = savedAccounts();
    if (accounts.empty()) {
        m_userNameTextField->setText("");
        return;
    }
    const std::string last = UserDefaults::standardUserDefaults().stringForKey("JYUserName");
    const bool known = std::find(accounts.begin(), accounts.end(), last) != accounts.end();
    m_userNameTextField->setText(
        PXJYLoginForm::stringByReplacingOccurrencesOfSpace(known ? last : accounts.back()));
}

void PXJYTradeLoginVC::didNumericKeyPressed(Button& key) {
    const auto kind = m_editingField == m_userNameTextField  ? PXJYLoginForm::Field::Account
                      : m_editingField == m_captchaTextField ? PXJYLoginForm::Field::Captcha
                                                             : PXJYLoginForm::Field::Other;
    PXJYKeypadEditing::pressKey(m_editingField, kind, key.currentTitle());
}

void PXJYTradeLoginVC::didBackspaceKeyPressed() {
    PXJYKeypadEditing::backspace(m_editingField);
}

void PXJYTradeLoginVC::didspecialKey() {
    if (m_editingField) {
        m_editingField->resignFirstResponder();
    }
    returnLoginView();
}

bool PXJYTradeLoginVC::textFieldShouldBeginEditing(TextField& field) {
    if (field.tag() == kUserNameTag) {
        m_editingField = &field;
    }
    if (field.tag() != kCaptchaTag) {
        return true;
    }
    m_editingField = &field;
    if (m_backgroundView->frame().y == 0) {
        const double raise = PXTradeViewKit::appViewRect().height > kSmallScreenHeight
                                 ? kRaiseFourInch
                                 : kRaiseSmall;
        View::animate(kSlideSeconds, [this, raise] {
            m_backgroundView->setFrame(view()->bounds().offsetBy(0, -raise));
        });
    }
    return true;
}

bool PXJYTradeLoginVC::textFieldShouldReturn(TextField&) {
    returnLoginView();
    return true;
}

void PXJYTradeLoginVC::returnLoginView() {
    m_userNameTextField->resignFirstResponder();
    m_passWordTextField->resignFirstResponder();
    m_captchaTextField->resignFirstResponder();
    // Only a raised form comes back down.
    if (m_backgroundView->frame().y == 0) {
        return;
    }
    View::animate(kSlideSeconds, [this] { m_backgroundView->setFrame(view()->bounds()); });
}

void PXJYTradeLoginVC::clearTextField() {
    returnLoginView();
}

void PXJYTradeLoginVC::platformBAction() {
    toggleList(kPlatformList, &m_platformHidden, m_platformB);
}

void PXJYTradeLoginVC::environmentBAction() {
    toggleList(kEnvironmentList, &m_environmentHidden, m_environmentB);
}

void PXJYTradeLoginVC::changeBAction() {
    toggleList(kAccountList, &m_accountHidden, m_userNameTextField);
}

void PXJYTradeLoginVC::toggleList(int type, bool* hidden, View* under) {
    if (!*hidden) {
        *hidden = true;
        m_menuTableView->setAlpha(0);
        return;
    }
    // Only this chooser's flag: another chooser whose list this one replaces still counts as
    // open, so its next tap closes the list.
    *hidden = false;
    m_selectType = type;
    m_menuTableView->reloadData();
    returnLoginView();
    Rect frame = m_menuTableView->frame();
    const Rect anchor = under->frame();
    frame.y = anchor.y + anchor.height + 5 + m_backgroundView->frame().y;
    m_menuTableView->setFrame(frame);
    m_menuTableView->setAlpha(1);
    view()->bringSubviewToFront(m_menuTableView);
}

void PXJYTradeLoginVC::closeList() {
    m_platformHidden = m_environmentHidden = m_accountHidden = true;
    m_menuTableView->setAlpha(0);
}

std::vector<std::string> PXJYTradeLoginVC::listTexts() const {
    std::vector<std::string> texts;
    if (m_selectType == kPlatformList) {
        for (const auto& code : PXJYTradeDirectory::platformCodes()) {
            texts.push_back(PXJYTradeDirectory::platformName(code));
        }
    } else if (m_selectType == kEnvironmentList) {
        for (const auto& code : PXJYTradeDirectory::environmentCodes(m_target.platformCODE)) {
            texts.push_back(PXJYTradeDirectory::environmentName(m_target.platformCODE, code));
        }
    } else if (m_selectType == kAccountList) {
        texts = savedAccounts();
    }
    return texts;
}

int PXJYTradeLoginVC::numberOfRows(TableView&, int) {
    return static_cast<int>(listTexts().size());
}

std::shared_ptr<TableViewCell> PXJYTradeLoginVC::cellForRow(TableView& table, IndexPath indexPath) {
    auto cell = table.dequeueReusableCell("Cell");
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "Cell");
    }
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    cell->setBackgroundColor(PXJYLoginStyle::listBackground());
    const auto texts = listTexts();
    const auto row = static_cast<size_t>(indexPath.row);
    cell->textLabel()->setText(row < texts.size() ? texts[row] : std::string());
    cell->textLabel()->setFont(PXJYLoginStyle::boldFont(16));
    cell->textLabel()->setTextColor(PXJYLoginStyle::lightText());
    return cell;
}

std::optional<double> PXJYTradeLoginVC::heightForRow(TableView&, IndexPath) {
    return kListRowHeight;
}

void PXJYTradeLoginVC::didSelectRow(TableView&, IndexPath indexPath) {
    const int type = m_selectType;
    closeList();
    const auto row = static_cast<size_t>(indexPath.row);
    if (type == kPlatformList) {
        const auto codes = PXJYTradeDirectory::platformCodes();
        if (row < codes.size()) {
            choosePlatform(codes[row]);
        }
        return;
    }
    if (type == kEnvironmentList) {
        const auto codes = PXJYTradeDirectory::environmentCodes(m_target.platformCODE);
        if (row < codes.size()) {
            chooseEnvironment(codes[row]);
        }
        return;
    }
    const auto accounts = savedAccounts();
    if (row < accounts.size()) {
        m_userNameTextField->setText(
            PXJYLoginForm::stringByReplacingOccurrencesOfSpace(accounts[row]));
        m_passWordTextField->setText("");
        m_captchaTextField->setText("");
    }
}

void PXJYTradeLoginVC::choosePlatform(const std::string& code) {
    m_target.platformCODE = code;
    const auto environments = PXJYTradeDirectory::environmentCodes(code);
    chooseEnvironment(environments.empty() ? std::string() : environments.front());
}

void PXJYTradeLoginVC::chooseEnvironment(const std::string& code) {
    m_target.environmentCODE = code;
    refreshChooserTitles();
    m_passWordTextField->setText("");
    m_captchaTextField->setText("");
    ziDongCeSu();
    setloginName();
    setSelectedButton();
}

void PXJYTradeLoginVC::loginJiaoYiAction() {
    if (m_loginRequest->isRunning()) {
        return;
    }
    const auto problem =
        PXJYLoginForm::loginYanZheng(m_userNameTextField->text(), m_passWordTextField->text(),
                                     m_captchaTextField->text(), m_captchaShown);
    if (problem) {
        PXTradeMessage::show(*problem);
        return;
    }
    m_loginRequest->start(m_target, m_userNameTextField->text(), m_passWordTextField->text(),
                          m_captchaShown ? m_captchaTextField->text() : std::string(),
                          m_captchaShown ? m_captchaButton->validString() : std::string(),
                          m_loginButton);
    clearTextField();
}

void PXJYTradeLoginVC::loginRequestRefused() {
    PXTradeMessage::show("没有交易权限");
    clearTextField();
}

void PXJYTradeLoginVC::loginRequestFailed(bool inChain, bool answered, const std::string& message) {
    if (!inChain) {
        PXTradeMessage::show(message);
        return;
    }
    captchaYanZheng();
    m_captchaTextField->setText("");
    PXTradeMessage::show(answered ? "登录失败" : PXTradeMessage::kTitle, message);
}

void PXJYTradeLoginVC::loginRequestSucceeded() {
    loginSuccess();
}

void PXJYTradeLoginVC::loginSuccess() {
    PXTradeModule::shared().PXJYTimerManger().lastLoginInformation();
    // The server the logon went to is the live one now.
    const PXTradeTarget live = PXTradeModule::shared().PXJYPeiZhi().target();
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setString(live.platformCODE, "platform_code");
    defaults.setString(live.environmentCODE, "environment_code");
    defaults.synchronize();
    PXJYSavedAccounts::ofApplication().addAccount(
        {live.platformCODE, live.environmentCODE, defaults.stringForKey("JYUserName")});
    m_passWordTextField->setText("");
    m_captchaTextField->setText("");
    PXJYTradeLoginVCDelegate* told = m_delegate;
    if (navigationController()) {
        navigationController()->popViewController(true);
    }
    if (told) {
        told->PXJYLoginSuccess();
    }
}

void PXJYTradeLoginVC::VKJYNavBackAction() {
    clearTextField();
    closeList();
    m_passWordTextField->setText("");
    m_captchaTextField->setText("");
    PXTradeHost& host = PXTradeModule::shared().host();
    // The session the screens below were shown under ended here (a failed login of its own
    // account): none of them is gone back to; the tab's root asks for a login.
    if (m_overLogin.value_or(false) && !PXTradeModule::shared().tradeLogin() &&
        host.hasSelectedTradeTab()) {
        host.popSelectedTabToRoot(true);
        return;
    }
    if (m_delegate) {
        m_delegate->PXJYLoginBackAction();
    }
    if (navigationController()) {
        navigationController()->popViewController(true);
    }
}

void PXJYTradeLoginVC::registeredUserAction() {
    getOpenAccountService(kOpenAccountUrl);
}

void PXJYTradeLoginVC::resetPasswordAction() {
    getOpenAccountService(kResetPasswordUrl);
}

void PXJYTradeLoginVC::retrieveAccountAction() {
    getOpenAccountService(kRetrieveAccountUrl);
}

void PXJYTradeLoginVC::getOpenAccountService(int urlType) {
    if (m_serviceGate.isOutstanding()) {
        return;
    }
    m_urlType = urlType;
    m_openAccount = false;
    auto* app = VKJYAppDelegate::shared();
    const JYDict values = {{"tokenB", app ? app->tokenBManager().tokenB().value_or("") : ""}};
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_serviceGate.began(*manager);
    manager->getOpenAccountService(values);
}

void PXJYTradeLoginVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                            const PXTradeResult* data) {
    if (manager->typeNW() != kServiceTag || !m_serviceGate.endedBy(*manager)) {
        return;
    }
    std::string url;
    for (const auto& element : data ? *data : PXTradeResult()) {
        const auto* service = std::get_if<JYDict>(&element);
        if (service && service->value("JYSCODE", "") == m_target.platformCODE &&
            service->value("ENVCODE", "") == m_target.environmentCODE) {
            m_openAccount = true;
            url = service->value("URL", "");
            break;
        }
    }
    setURL(url);
}

void PXJYTradeLoginVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (m_serviceGate.endedBy(*manager)) {
        PXTradeMessage::show(manager->JY_ErrorMessage());
    }
}

void PXJYTradeLoginVC::requestFailed(PXTradeNetworkManger* manager, int) {
    if (m_serviceGate.endedBy(*manager)) {
        PXTradeMessage::show(PXTradeMessage::kNetworkFailed);
    }
}

void PXJYTradeLoginVC::setURL(const std::string& url) {
    if (!m_openAccount) {
        PXTradeMessage::show("当前环境暂不支持,请选择其它环境");
        return;
    }
    const std::string environment = m_environmentB->currentTitle();
    PXJYSmsCodeVC* screen = nullptr;
    if (m_urlType == kOpenAccountUrl) {
        m_createUserVC->setOpenAccountUrl(url);
        m_createUserVC->NavTitle()->setText(environment + "开户");
        m_createUserVC->advertising()->setText("免费开通" + environment +
                                               ",立即赠送十万模拟资金,零风险把握财富人生。");
        screen = m_createUserVC;
    } else if (m_urlType == kResetPasswordUrl) {
        m_resetPasswordVC->setResetPasswordUrl(url);
        m_resetPasswordVC->setTarget(m_target);
        m_resetPasswordVC->accountTF()->setText(
            PXJYLoginForm::withoutSpaces(m_userNameTextField->text()));
        screen = m_resetPasswordVC;
    } else {
        m_retrieveAccountVC->setOpenAccountUrl(url);
        screen = m_retrieveAccountVC;
    }
    returnLoginView();
    screen->slideIn();
}
