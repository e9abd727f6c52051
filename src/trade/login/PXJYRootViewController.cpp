#include "trade/login/PXJYRootViewController.h"

#include "analytics/TallyStat.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/WeakLink.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/login/PXTradeHomeView.h"

namespace {
constexpr const char* kPageName = "交易";
constexpr double kSlideSeconds = 0.2;
constexpr double kMenuButtonSize = 75;

struct MenuEntry {
    const char* image;
    const char* title;
    const char* screen;
};
const MenuEntry kMenuEntries[] = {
    {"zhaiPaiA.png", "摘牌", "PXJYJianCangViewController"},
    {"tuiPaiA.png", "转让", "PXJYPingCangViewController"},
    {"guaPaiA.png", "挂牌", "PXJYGuaPaiViewController"},
    {"JYgonggao.png", "公告", "PXJYGongGaoViewController"},
    {"JYchaXun.png", "查询", "PXJYChaXunViewController"},
    {"JYchurujin.png", "出入金", "PXJYChuRuJinViewController"},
    {"JYbaobiao.png", "报表", "PXTradeBaoBiaoController"},
    {"JYzhanghu.png", "账户", "PXJYAccountInfoViewController"},
    {"JYmore.png", "更多", "PXJYTradeOthersController"},
};

// The screens of the holdings rows' order buttons, by button index.
const char* const kShortcutScreens[] = {
    "PXJYSimpleJianCangVC",     "PXJYSimpleJianCangVC",     "PXJYSimplePingCangVC",
    "PXJYXiangQingVC",          "PXJYGuaPaiViewController", "PXJYSimpleJianCangZYMSVC",
    "PXJYSimplePingCangZYMSVC", "PXJYXiangQingZYMSVC",
};
constexpr int kMarketPriceShortcut = 0;
constexpr int kConditionalShortcut = 1;

PXTradeModule& module() {
    return PXTradeModule::shared();
}
}  // namespace

PXJYRootViewController::PXJYRootViewController() {
    for (const MenuEntry& entry : kMenuEntries) {
        m_menuListArray.emplace_back(entry.image);
    }
}

PXJYRootViewController::~PXJYRootViewController() {
    for (uint64_t token : m_observers) {
        if (PXTradeModule::hasShared()) {
            module().stopObserving(token);
        }
    }
}

void PXJYRootViewController::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect(0, 0, area.width, area.y + area.height));
    root->setBackgroundColor(PXJYLoginStyle::background());
    auto bar = std::make_unique<VKJYNavigationBarView>(
        Rect(0, area.y, area.width, VKJYNavigationBarView::kHeight));
    bar->title()->setText("交易首页");
    bar->backButton()->setAlpha(0);
    bar->backImageview()->setAlpha(0);
    bar->setDelegate(this);
    m_navigationBarView = root->addSubview(std::move(bar));
    const double homeTop = area.y + VKJYNavigationBarView::kHeight;
    auto home = std::make_unique<PXTradeHomeView>(
        Rect(0, homeTop, area.width, area.height - VKJYNavigationBarView::kHeight - kTabBarHeight));
    home->setDelegate(this);
    m_tradeHomeView = root->addSubview(std::move(home));
    initMenuListView(*root);
    setView(root);
}

void PXJYRootViewController::initMenuListView(View& root) {
    const Rect menuFrame(0, root.bounds().height, root.bounds().width, kMenuHeight);
    auto background = std::make_unique<View>(menuFrame);
    background->setBackgroundColor(Color::rgb(28, 28, 36, 0.95));
    m_menuBackGroundView = root.addSubview(std::move(background));
    auto menu = std::make_unique<View>(menuFrame);
    for (int i = 0; i < static_cast<int>(std::size(kMenuEntries)); ++i) {
        auto button = std::make_unique<Button>(
            Rect(25 + 97 * (i % 3), 10 + 85 * (i / 3), kMenuButtonSize, kMenuButtonSize));
        button->setBackgroundImage(Image::named(kMenuEntries[i].image));
        button->setCornerRadius(38);
        button->setClipsToBounds(true);
        button->setTitle(kMenuEntries[i].title);
        button->setTitleColor(Color::whiteColor());
        button->titleLabel()->setFont(PXJYLoginStyle::boldFont(15));
        button->setTitleEdgeInsets({40, 0, 0, 0});
        button->setTag(i);
        button->addTarget(TouchUpInside, [this, i](Control&) { headerClick(i); });
        menu->addSubview(std::move(button));
    }
    auto cancel = PXJYLoginStyle::redButton(Rect(20, 270, 280, 40), "取消");
    cancel->addTarget(TouchUpInside, [this](Control&) { menuViewCancelButtonAction(); });
    menu->addSubview(std::move(cancel));
    auto dot = std::make_unique<View>(
        Rect(25 + 97 * (kAnnouncementEntry % 3) + kMenuButtonSize - 12, 10 + 85 + 2, 10, 10));
    dot->setBackgroundColor(Color::redColor());
    dot->setCornerRadius(5);
    dot->setAlpha(0);
    m_messageRedView = menu->addSubview(std::move(dot));
    m_menuListView = root.addSubview(std::move(menu));
}

double PXJYRootViewController::menuTop(bool open) {
    const double height = view()->bounds().height;
    return open ? height - kTabBarHeight - kMenuHeight : height;
}

bool PXJYRootViewController::isMenuOpen() const {
    const View* root = m_menuListView ? m_menuListView->superview() : nullptr;
    return root && m_menuListView->frame().y < root->bounds().height;
}

void PXJYRootViewController::slideMenu(bool open) {
    const double top = menuTop(open);
    View::animate(kSlideSeconds, [this, top] {
        for (View* part : {m_menuBackGroundView, m_menuListView}) {
            Rect frame = part->frame();
            frame.y = top;
            part->setFrame(frame);
        }
    });
}

void PXJYRootViewController::viewWillAppear(bool) {
    if (module().tradeLogin()) {
        m_tradeHomeView->reloadTableView();
        refreshAccountData();
    } else {
        // Pushed on the next turn: a screen pushed while its stack is still appearing would
        // never hear of its own appearance.
        MainQueue::post([alive = WeakLink<ViewController>(this), this] {
            if (alive && !module().tradeLogin()) {
                addTradeLoginView();
            }
        });
        slideMenu(false);
    }
    TallyStat::beginLogPageView(kPageName);
    for (uint64_t token : m_observers) {
        module().stopObserving(token);
    }
    m_observers = {module().observe("JYRefreshTimer", [this](const void*) { JYRefreshView(); }),
                   module().observe("xinGongGao", [this](const void*) { youXinGongGao(); })};
}

void PXJYRootViewController::viewWillDisappear(bool) {
    TallyStat::endLogPageView(kPageName);
    for (uint64_t token : m_observers) {
        module().stopObserving(token);
    }
    m_observers.clear();
}

void PXJYRootViewController::refreshAccountData() {
    PXTradeNetworkManger::create()->getJYChiCangMingXi("");
    PXTradeNetworkManger::create()->getJYChiCangHuiZong("");
    PXTradeNetworkManger::create()->getAccountInformation();
}

void PXJYRootViewController::addTradeLoginView() {
    NavigationController* navigation = navigationController();
    // Shown once: the root may hear of its appearance twice when the stack returns to it.
    if (!navigation || navigation->topViewController() != this) {
        return;
    }
    auto login = std::make_unique<PXJYTradeLoginVC>();
    login->setDelegate(this);
    navigation->pushViewController(std::move(login), false);
}

void PXJYRootViewController::PXJYLoginSuccess() {
    PXTradeNetworkManger::create()->getJYChiCangMingXi("");
    m_tradeHomeView->reloadTableView();
}

void PXJYRootViewController::PXJYLoginBackAction() {
    module().host().selectHangQingTab();
}

void PXJYRootViewController::JYRefreshView() {
    if (module().tradeLogin()) {
        m_tradeHomeView->reloadTableView();
    }
}

void PXJYRootViewController::youXinGongGao() {
    if (module().PXJYTimerManger().xinGongGao()) {
        m_messageRedView->setAlpha(1);
    }
}

void PXJYRootViewController::VKJYNavMenuAction() {
    youXinGongGao();
    view()->bringSubviewToFront(m_menuBackGroundView);
    view()->bringSubviewToFront(m_menuListView);
    slideMenu(true);
}

void PXJYRootViewController::menuViewCancelButtonAction() {
    slideMenu(false);
}

void PXJYRootViewController::headerClick(int tag) {
    if (tag < 0 || tag >= static_cast<int>(std::size(kMenuEntries))) {
        return;
    }
    if (tag == kAnnouncementEntry) {
        module().PXJYTimerManger().setXinGongGao(false);
        m_messageRedView->setAlpha(0);
    }
    open(kMenuEntries[tag].screen, {});
}

void PXJYRootViewController::pushViewControllerDelegate(
    int index, const std::shared_ptr<PXJYChiCangHuiZong>& summary) {
    if (index < 0 || index >= static_cast<int>(std::size(kShortcutScreens)) || !summary) {
        return;
    }
    PXTradeScreenArgs args;
    args.summary = summary;
    args.commodityCode = summary->commodityCode;
    args.buySellSign = summary->buySellSign;
    if (index == kMarketPriceShortcut || index == kConditionalShortcut) {
        args.shiJiaZhiJia = index == kMarketPriceShortcut ? 1 : 2;
    }
    open(kShortcutScreens[index], args);
}

void PXJYRootViewController::open(const std::string& className, const PXTradeScreenArgs& args) {
    auto screen = PXTradeScreenFactory::create(className, args);
    if (!screen || !navigationController()) {
        return;
    }
    screen->setHidesBottomBarWhenPushed(true);
    navigationController()->pushViewController(std::move(screen), true);
}

void PXJYRootViewController::PXPushSimpleLoginVC(const PXJYSavedAccount& account) {
    if (!navigationController()) {
        return;
    }
    auto screen = std::make_unique<PXJYSimpleLoginVC>();
    screen->setDelegate(this);
    screen->pauseTimersWhileShown();
    screen->setSelectedAccount(account);
    navigationController()->pushViewController(std::move(screen), true);
}

void PXJYRootViewController::PXJYSimpleLoginSuccess() {
    m_tradeHomeView->PXJYSimpleLoginSuccess();
}
