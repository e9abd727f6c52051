#include "trade/account/PXJYAccountInfoViewController.h"

#include "base/UIButton_indexPath.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/WeakLink.h"
#include "platform/graphics/Font.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SwipeGestureRecognizer.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerEnvModel.h"
#include "shell/VKJYDirectoryServerJysModel.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/account/PXJYChangeThePasswordVC.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "widgets/GlossAlertView.h"

namespace {
constexpr double kRowHeight = 45;
constexpr double kHeaderHeight = 30;
constexpr double kSwipedX = -130;
const char* const kAccountTag = "PXAccountInformation";
const Color kHeaderBackground = Color::rgb(59, 59, 71);

PXTradeModule& module() {
    return PXTradeModule::shared();
}

std::string environmentName(const std::string& environment) {
    auto* app = VKJYAppDelegate::shared();
    if (!app || !app->directoryServerModel()) {
        return {};
    }
    auto jys = app->directoryServerModel()->jysModelForCode(module().PXJYPeiZhi().platformCODE());
    auto env = jys ? jys->envModelForCode(environment) : nullptr;
    return env ? env->envN : std::string();
}

// A row button: "删除" or "修改密码" under the front view.
std::unique_ptr<UIButton_indexPath> rowButton(double x, const std::string& title,
                                              IndexPath indexPath) {
    auto button = UIButton_indexPath::buttonWithType(Button::Type::Custom);
    button->setFrame(Rect(x, 2, 60, 40));
    button->setIndexPath(indexPath);
    button->setTitle(title);
    button->setTitleColor(Color::whiteColor());
    button->titleLabel()->setFont(Font::named("Helvetica-Bold", 14));
    button->setBackgroundImage(PXTradeViewKit::stretchable("juselashen.png", 2));
    return button;
}
}  // namespace

PXJYAccountInfoViewController::PXJYAccountInfoViewController()
    : m_relay(PXTradeReplyRelay::create(*this, *this)) {}

PXJYAccountInfoViewController::~PXJYAccountInfoViewController() {
    NotificationCenter::defaultCenter().removeObserver(this);
}

void PXJYAccountInfoViewController::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    auto* bar = PXTradeViewKit::addNavigationBar(root, app.y, "账号管理", this);
    auto add = std::make_unique<Button>(Rect(275, 10, 25, 25));
    add->setImage(Image::named("tianjia.png"));
    add->addTarget(TouchUpInside, [this](Control&) { headerButtonClick(); });
    bar->addSubview(std::move(add));

    auto table =
        std::make_unique<TableView>(Rect(0, app.y + 44, 320, root.bounds().height - app.y - 44));
    table->setDataSource(this);
    table->setDelegate(this);
    table->setRowHeight(kRowHeight);
    PXTradeViewKit::styleTable(*table);
    m_tableView = root.addSubview(std::move(table));

    const Rect offScreen(app.width, app.y, app.width, app.height);
    auto detail = std::make_unique<PXJYAccountDetailView>(offScreen);
    detail->setDelegate(this);
    m_accountDetailView = root.addSubview(std::move(detail));
    m_modifyTradePasswordVC = addChildViewController(std::make_unique<PXJYChangeThePasswordVC>());
    m_modifyTradePasswordVC->view()->setFrame(offScreen);
    root.addSubview(m_modifyTradePasswordVC->viewShared());
}

void PXJYAccountInfoViewController::viewWillAppear(bool) {
    m_shownAccount.follow();
    module().PXJYTimerManger().stopJYRefreshTimer();
    reloadTableView();
    NotificationCenter::defaultCenter().removeObserver(this);
    NotificationCenter::defaultCenter().addObserver(
        this, "JYRefreshTimer", nullptr,
        [this](const std::string&, const void*, const PropertyList&) {
            m_accountDetailView->setCellLabel();
            m_accountDetailView->reloadDataView();
        });
}

void PXJYAccountInfoViewController::viewWillDisappear(bool) {
    module().PXJYTimerManger().setJYRefreshTimer();
    NotificationCenter::defaultCenter().removeObserver(this);
}

std::string PXJYAccountInfoViewController::accountsPath() const {
    return module().host().accountInfoFilePath();
}

void PXJYAccountInfoViewController::reloadTableView() {
    m_currentAccountLogin = module().defaultString("JYUserName");
    m_allAccountArray =
        PXJYSavedAccounts(accountsPath()).environments(module().PXJYPeiZhi().platformCODE());
    m_tableView->reloadData();
    if (m_allAccountArray.empty()) {
        logOffAndLeave();
    }
}

std::shared_ptr<PXTradeNetworkManger> PXJYAccountInfoViewController::newManager() {
    return PXTradeReplyRelay::newManager(m_relay);
}

// No saved account is left for this exchange: the session it belonged to ends, once.
void PXJYAccountInfoViewController::logOffAndLeave() {
    if (!m_loggedOff && module().tradeLogin()) {
        m_loggedOff = true;
        newManager()->getCancellation();
    }
    m_relay->detach();
    // Left on the next turn: this may run while the screen is still appearing.
    WeakLink<ViewController> self(this);
    MainQueue::post([self] {
        if (auto* screen = self.get(); screen && screen->navigationController()) {
            screen->navigationController()->popToViewController(screen, false);
            screen->navigationController()->popViewController(true);
        }
    });
}

const std::string& PXJYAccountInfoViewController::nameAt(IndexPath indexPath) const {
    return m_allAccountArray.at(static_cast<size_t>(indexPath.section))
        .second.at(static_cast<size_t>(indexPath.row));
}

int PXJYAccountInfoViewController::numberOfSections(TableView&) {
    return static_cast<int>(m_allAccountArray.size());
}

int PXJYAccountInfoViewController::numberOfRows(TableView&, int section) {
    return static_cast<int>(m_allAccountArray.at(static_cast<size_t>(section)).second.size());
}

std::optional<double> PXJYAccountInfoViewController::heightForHeader(TableView&, int) {
    return kHeaderHeight;
}

std::shared_ptr<View> PXJYAccountInfoViewController::viewForHeader(TableView& table, int section) {
    auto header = std::make_shared<View>(Rect(0, 0, table.bounds().width, kHeaderHeight));
    header->setBackgroundColor(kHeaderBackground);
    header->addSubview(PXTradeViewKit::label(
        Rect(15, 0, 200, kHeaderHeight),
        environmentName(m_allAccountArray.at(static_cast<size_t>(section)).first), 16,
        Color::white(0.8)));
    return header;
}

std::shared_ptr<TableViewCell> PXJYAccountInfoViewController::cellForRow(TableView& table,
                                                                         IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setBackgroundColor(PXTradeViewKit::background());
    View& content = *cell->contentView();
    auto remove = rowButton(190, "删除", indexPath);
    remove->addTarget(TouchUpInside, [this, indexPath](Control&) { deleteButtonClick(indexPath); });
    content.addSubview(std::move(remove));
    auto password = rowButton(255, "修改密码", indexPath);
    password->addTarget(TouchUpInside,
                        [this, indexPath](Control&) { ChangePasswordButtonClick(indexPath); });
    content.addSubview(std::move(password));
    content.addSubview(getCellView(indexPath));
    return cell;
}

std::unique_ptr<View> PXJYAccountInfoViewController::getCellView(IndexPath indexPath) {
    const std::string& name = nameAt(indexPath);
    auto front = std::make_unique<View>(Rect(0, 0, 320, kRowHeight));
    front->setBackgroundColor(PXTradeViewKit::background());
    front->addSubview(
        PXTradeViewKit::label(Rect(15, 0, 250, kRowHeight), "账号:" + name, 16, Color::white(0.8)));
    if (name == m_currentAccountLogin) {
        front->addSubview(
            std::make_unique<ImageView>(Rect(250, 10, 52, 24), Image::named("quan_press.png")));
    } else {
        auto login = UIButton_indexPath::buttonWithType(Button::Type::Custom);
        login->setFrame(Rect(250, 10, 52, 24));
        login->setIndexPath(indexPath);
        login->setBackgroundImage(Image::named("quan.png"));
        login->addTarget(TouchUpInside, [this](Control& sender) {
            loginButtonClick(static_cast<UIButton_indexPath&>(sender).indexPath());
        });
        front->addSubview(std::move(login));
    }
    View* frontView = front.get();
    for (int direction : {SwipeGestureRecognizer::Left, SwipeGestureRecognizer::Right}) {
        auto swipe =
            std::make_unique<SwipeGestureRecognizer>([frontView, direction](GestureRecognizer&) {
                Rect frame = frontView->frame();
                frame.x = direction == SwipeGestureRecognizer::Left ? kSwipedX : 0;
                View::animate(0.2, [frontView, frame] { frontView->setFrame(frame); });
            });
        swipe->setDirection(direction);
        front->addGestureRecognizer(std::move(swipe));
    }
    front->setTag(1);
    return front;
}

View* PXJYAccountInfoViewController::frontView(IndexPath indexPath) const {
    TableViewCell* cell = m_tableView->cellForRow(indexPath);
    if (!cell) {
        return nullptr;
    }
    auto subviews = cell->contentView()->subviews();
    return subviews.empty() ? nullptr : subviews.back();
}

void PXJYAccountInfoViewController::didSelectRow(TableView&, IndexPath indexPath) {
    didSelectRow(indexPath);
}

void PXJYAccountInfoViewController::didSelectRow(IndexPath indexPath) {
    m_selectIndex = indexPath;
    if (nameAt(indexPath) != m_currentAccountLogin) {
        askFirst(kSwitchTag, "查看非登录账号信息需先切换账户，确认切换账户？", "确定");
        return;
    }
    getAccountInfo();
    addAccountInfoView();
    module().PXJYTimerManger().setJYRefreshTimer();
}

void PXJYAccountInfoViewController::getAccountInfo() {
    newManager()->getAccountInformation();
}

void PXJYAccountInfoViewController::addAccountInfoView() {
    getAccountInfo();
    PXTradeViewKit::slide(*m_accountDetailView, 0);
}

void PXJYAccountInfoViewController::askFirst(int tag, const std::string& message,
                                             const std::string& confirm) {
    auto alert = std::make_unique<GlossAlertView>("提示", message, this, confirm,
                                                  std::vector<std::string>{"取消"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    alert->setTag(tag);
    AlertView::show(std::move(alert));
}

void PXJYAccountInfoViewController::alertViewClickedButtonAtIndex(AlertView& alert,
                                                                  int buttonIndex) {
    if (buttonIndex != 0) {
        return;
    }
    if (alert.tag() == kDeleteLoggedInTag) {
        deleteLoggedInAccount();
        return;
    }
    if (alert.tag() == kPasswordOtherTag || alert.tag() == kSwitchTag) {
        pushSimpleLoginVC();
    }
}

void PXJYAccountInfoViewController::loginButtonClick(IndexPath indexPath) {
    m_selectIndex = indexPath;
    pushSimpleLoginVC();
}

void PXJYAccountInfoViewController::pushSimpleLoginVC() {
    auto login = std::make_unique<PXJYSimpleLoginVC>();
    login->setSelectedAccount(
        {module().PXJYPeiZhi().platformCODE(),
         m_allAccountArray.at(static_cast<size_t>(m_selectIndex.section)).first,
         nameAt(m_selectIndex)});
    pushLogin(std::move(login));
}

void PXJYAccountInfoViewController::headerButtonClick() {
    pushLogin(std::make_unique<PXJYTradeLoginVC>());
}

// As from every switcher, the timers rest while a login is on show: nothing goes under the
// session in force while a logon that may end it is made.
template <typename Login>
void PXJYAccountInfoViewController::pushLogin(std::unique_ptr<Login> login) {
    login->pauseTimersWhileShown();
    login->setHidesBottomBarWhenPushed(true);
    navigationController()->pushViewController(std::move(login), true);
}

void PXJYAccountInfoViewController::deleteButtonClick(IndexPath indexPath) {
    m_selectIndex = indexPath;
    if (nameAt(indexPath) == m_currentAccountLogin) {
        askFirst(kDeleteLoggedInTag, "确定要删除当前登录账户吗?", "确定");
        return;
    }
    deleteAccount();
}

// The logged-in account goes: its session is logged off before the store forgets it.
void PXJYAccountInfoViewController::deleteLoggedInAccount() {
    if (!m_loggedOff && module().tradeLogin()) {
        m_loggedOff = true;
        newManager()->getCancellation();
    }
    m_relay->detach();
    module().PXJYData().clearAllTradeData();
    deleteAccount();
    PXTradeModule::shared().host().popSelectedTabToRoot(false);
}

void PXJYAccountInfoViewController::deleteAccount() {
    const std::string environment =
        m_allAccountArray.at(static_cast<size_t>(m_selectIndex.section)).first;
    PXJYSavedAccounts(accountsPath())
        .removeAccount({module().PXJYPeiZhi().platformCODE(), environment, nameAt(m_selectIndex)});
    reloadTableView();
}

void PXJYAccountInfoViewController::ChangePasswordButtonClick(IndexPath indexPath) {
    m_selectIndex = indexPath;
    if (nameAt(indexPath) == m_currentAccountLogin) {
        m_modifyTradePasswordVC->slideIn();
        return;
    }
    askFirst(kPasswordOtherTag, "修改非登录账号密码需先切换账号", "登陆");
}

void PXJYAccountInfoViewController::PXJYAccountDetailViewBackAction() {
    module().PXJYTimerManger().stopJYRefreshTimer();
}

void PXJYAccountInfoViewController::VKJYNavBackAction() {
    m_relay->detach();
    navigationController()->popViewController(true);
}

void PXJYAccountInfoViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                         const PXTradeResult*) {
    if (manager->typeNW() != kAccountTag) {
        return;
    }
    m_accountDetailView->setCellLabel();
    m_accountDetailView->reloadDataView();
}

void PXJYAccountInfoViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYAccountInfoViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    PXTradeRefusalAlert::show(*manager);
}
