#include "trade/login/PXJYSwitchingAccountView.h"

#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYSwitchingAccountViewDelegate.h"
#include "trade/login/PXJYTradeDirectory.h"

namespace {
constexpr double kListHeight = 170;
constexpr double kHeaderHeight = 30;
constexpr double kRowHeight = 45;

PXTradePeiZhi& peiZhi() {
    return PXTradeModule::shared().PXJYPeiZhi();
}
}  // namespace

PXJYSwitchingAccountView::PXJYSwitchingAccountView(const Rect& frame) : View(frame) {}

void PXJYSwitchingAccountView::initSwitchingAccountView(const Rect& rect) {
    setClipsToBounds(true);
    auto button = std::make_unique<Button>(Rect(0, 0, rect.width, rect.height));
    button->setBackgroundColor(PXJYLoginStyle::background());
    button->addTarget(TouchUpInside, [this](Control&) { accountNowButtonAction(); });
    const double middle = rect.height / 2;
    m_xiaSanJiaoImageView = button->addSubview(std::make_unique<ImageView>(
        Rect(170, middle - 4.5, 16, 9), Image::named("xiasanjiao.png")));
    auto account =
        PXJYLoginStyle::label(Rect(5, middle - 15, 60, 30), "", 14, PXJYLoginStyle::lightText());
    account->setLineBreakMode(LineBreakMode::TruncateHead);
    m_zhangHu = button->addSubview(std::move(account));
    m_panFu = button->addSubview(
        PXJYLoginStyle::label(Rect(65, middle - 15, 90, 30), "", 14, Color::rgb(183, 19, 12)));
    m_accountButton = addSubview(std::move(button));

    auto list = std::make_unique<TableView>(Rect(0, rect.height, rect.width, kListHeight));
    list->setAlpha(0);
    list->setBackgroundColor(PXJYLoginStyle::listBackground());
    list->setSeparatorColor(PXJYLoginStyle::listSeparator());
    list->setDataSource(this);
    list->setDelegate(this);
    m_environmentListView = addSubview(std::move(list));
    m_hide = true;
    setSwitchingAccountViewValue();
}

void PXJYSwitchingAccountView::setSwitchingAccountViewValue() {
    m_panFu->setText(
        PXJYTradeDirectory::environmentName(peiZhi().platformCODE(), peiZhi().environmentCODE()));
    m_zhangHu->setText(UserDefaults::standardUserDefaults().stringForKey("JYUserName"));
}

void PXJYSwitchingAccountView::accountNowButtonAction() {
    if (!m_hide) {
        closeList();
        return;
    }
    m_hide = false;
    Rect rect = frame();
    rect.height = kOpenHeight;
    setFrame(rect);
    m_environmentListView->setAlpha(1);
    if (superview()) {
        superview()->bringSubviewToFront(this);
    }
    reloadTableView();
}

void PXJYSwitchingAccountView::closeList() {
    m_hide = true;
    m_environmentListView->setAlpha(0);
    Rect rect = frame();
    rect.height = kClosedHeight;
    setFrame(rect);
}

void PXJYSwitchingAccountView::reloadTableView() {
    setSwitchingAccountViewValue();
    m_currentAccountLogin = UserDefaults::standardUserDefaults().stringForKey("JYUserName");
    m_allAccountArray = PXJYSavedAccounts::ofApplication().environments(peiZhi().platformCODE());
    m_environmentListView->reloadData();
}

void PXJYSwitchingAccountView::headerButtonClick() {
    closeList();
    if (m_delegate) {
        m_delegate->PXPushLoginVC();
    }
}

void PXJYSwitchingAccountView::didSelectRow(IndexPath indexPath) {
    const auto section = static_cast<size_t>(indexPath.section);
    const auto row = static_cast<size_t>(indexPath.row);
    if (section >= m_allAccountArray.size() || row >= m_allAccountArray[section].second.size()) {
        return;
    }
    const PXJYSavedAccount account{peiZhi().platformCODE(), m_allAccountArray[section].first,
                                   m_allAccountArray[section].second[row]};
    if (account.userName == m_currentAccountLogin) {
        restartTimers();
        return;
    }
    if (m_delegate) {
        m_delegate->PXPushSimpleLoginVC(account);
    }
}

void PXJYSwitchingAccountView::restartTimers() {
    PXTradeTimerManger& timers = PXTradeModule::shared().PXJYTimerManger();
    timers.setJYHeartTimer();
    timers.setJYRefreshTimer();
}

void PXJYSwitchingAccountView::LoginSuccess() {
    reloadTableView();
}

void PXJYSwitchingAccountView::simpleLoginSuccess() {
    reloadTableView();
}

int PXJYSwitchingAccountView::numberOfSections(TableView&) {
    return static_cast<int>(m_allAccountArray.size());
}

int PXJYSwitchingAccountView::numberOfRows(TableView&, int section) {
    const auto index = static_cast<size_t>(section);
    return index < m_allAccountArray.size()
               ? static_cast<int>(m_allAccountArray[index].second.size())
               : 0;
}

std::optional<double> PXJYSwitchingAccountView::heightForRow(TableView&, IndexPath) {
    return kRowHeight;
}

std::optional<double> PXJYSwitchingAccountView::heightForHeader(TableView&, int) {
    return kHeaderHeight;
}

std::shared_ptr<View> PXJYSwitchingAccountView::viewForHeader(TableView& table, int section) {
    auto header = std::make_shared<View>(Rect(0, 0, table.bounds().width, kHeaderHeight));
    header->setBackgroundColor(Color::rgb(49, 49, 51));
    const auto index = static_cast<size_t>(section);
    const std::string environment =
        index < m_allAccountArray.size() ? m_allAccountArray[index].first : std::string();
    header->addSubview(PXJYLoginStyle::label(
        Rect(5, 0, 100, kHeaderHeight),
        PXJYTradeDirectory::environmentName(peiZhi().platformCODE(), environment), 14,
        PXJYLoginStyle::lightText()));
    auto add = std::make_unique<Button>(Rect(115, 0, 65, kHeaderHeight));
    add->setTitle("添加账号");
    add->setTitleColor(Color::whiteColor());
    add->titleLabel()->setFont(PXJYLoginStyle::boldFont(14));
    add->addTarget(TouchUpInside, [this](Control&) { headerButtonClick(); });
    header->addSubview(std::move(add));
    return header;
}

std::shared_ptr<TableViewCell> PXJYSwitchingAccountView::cellForRow(TableView& table,
                                                                    IndexPath indexPath) {
    auto cell = table.dequeueReusableCell("Cell");
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "Cell");
    }
    for (View* old : cell->contentView()->subviews()) {
        old->removeFromSuperview();
    }
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    cell->setBackgroundColor(PXJYLoginStyle::listBackground());
    const auto section = static_cast<size_t>(indexPath.section);
    const auto row = static_cast<size_t>(indexPath.row);
    if (section >= m_allAccountArray.size() || row >= m_allAccountArray[section].second.size()) {
        return cell;
    }
    const std::string& account = m_allAccountArray[section].second[row];
    cell->contentView()->addSubview(PXJYLoginStyle::label(Rect(5, 0, 130, kRowHeight), account, 14,
                                                          PXJYLoginStyle::lightText()));
    const bool loggedIn = account == m_currentAccountLogin;
    auto status =
        PXJYLoginStyle::label(Rect(125, 0, 50, kRowHeight), loggedIn ? "已登录" : "   登录", 14,
                              loggedIn ? Color::whiteColor() : PXJYLoginStyle::lightText());
    status->setTextAlignment(TextAlignment::Right);
    cell->contentView()->addSubview(std::move(status));
    return cell;
}

void PXJYSwitchingAccountView::didSelectRow(TableView&, IndexPath indexPath) {
    closeList();
    didSelectRow(indexPath);
}
