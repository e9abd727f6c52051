#include "trade/account/PXJYChuRuJinViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "trade/account/PXJYChuRuJinCaoZuoVC.h"
#include "trade/account/PXJYChuRuJinChaXunVC.h"
#include "trade/account/PXJYFundsLook.h"
#include "trade/account/PXJYXiuGaiZiJinMiMaVC.h"
#include "trade/account/PXJYYuEChaXunVC.h"
#include "trade/account/PXJYZiJinXinXiVC.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "widgets/GlossAlertView.h"

namespace {
constexpr double kRowHeight = 50;

template <typename T>
std::unique_ptr<ViewController> make() {
    return std::make_unique<T>();
}

struct MenuRow {
    const char* title;
    std::unique_ptr<ViewController> (*screen)();
};

constexpr MenuRow kMenu[] = {
    {"出入金查询", make<PXJYChuRuJinChaXunVC>}, {"修改资金密码", make<PXJYXiuGaiZiJinMiMaVC>},
    {"出入金操作", make<PXJYChuRuJinCaoZuoVC>}, {"银行余额查询", make<PXJYYuEChaXunVC>},
    {"市场资金信息", make<PXJYZiJinXinXiVC>},
};
constexpr int kMenuRows = sizeof(kMenu) / sizeof(kMenu[0]);

}  // namespace

PXJYChuRuJinViewController::PXJYChuRuJinViewController() {
    setTitle("出入金首页");
}

PXJYChuRuJinViewController::~PXJYChuRuJinViewController() = default;

std::unique_ptr<ViewController> PXJYChuRuJinViewController::screenForTag(int tag) {
    if (tag < 1 || tag > kMenuRows) {
        return nullptr;
    }
    return kMenu[tag - 1].screen();
}

void PXJYChuRuJinViewController::loadView() {
    setView(PXJYFundsLook::rootView());
}

void PXJYChuRuJinViewController::viewDidLoad() {
    View& root = *view();
    const double barTop = PXTradeViewKit::appViewRect().y;
    PXTradeViewKit::addNavigationBar(root, barTop, "出入金首页", this);
    const double labelTop = barTop + 44 + 5;
    root.addSubview(
        PXTradeViewKit::label(Rect(15, labelTop, 80, 50), "当前账号", 16, Color::whiteColor()));
    addMenu(labelTop + kRowHeight);
    // Added after the menu, so its drop-down list lies over the rows.
    const Rect switcherFrame(105, labelTop, 195, 40);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
    m_switchingAccountView = m_accountSwitch->addSwitcher(root, switcherFrame);
}

void PXJYChuRuJinViewController::addMenu(double top) {
    View& root = *view();
    for (int line = 0; line <= kMenuRows; ++line) {
        PXTradeViewKit::addLine(root, top + kRowHeight * line);
    }
    for (int row = 1; row <= kMenuRows; ++row) {
        const double rowTop = top + kRowHeight * (row - 1);
        root.addSubview(PXTradeViewKit::label(Rect(15, rowTop, 110, kRowHeight),
                                              kMenu[row - 1].title, 16, Color::whiteColor()));
        root.addSubview(std::make_unique<ImageView>(Rect(280, rowTop + 15, 15, 17),
                                                    Image::named("JYzhankai.png")));
        auto button = std::make_unique<Button>(Rect(105, rowTop, 205, kRowHeight));
        button->setTag(row);
        button->addTarget(TouchUpInside, [this](Control& sender) { chuRuJinType(sender.tag()); });
        root.addSubview(std::move(button));
    }
}

void PXJYChuRuJinViewController::viewWillAppear(bool) {
    m_switchingAccountView->reloadTableView();
    // The banks fetched were another account's: no funds screen opens until this one's arrive.
    m_shownAccount.follow();
    getTradeBankInfo();
}

void PXJYChuRuJinViewController::getTradeBankInfo() {
    m_banks.fetch();
}

void PXJYChuRuJinViewController::chuRuJinType(int tag) {
    if (!m_banks.arrived()) {
        // Asked again at the refusing tap: a failed fetch is never the last word.
        if (!m_banks.onItsWay()) {
            getTradeBankInfo();
        }
        auto alert = std::make_unique<GlossAlertView>("提示", "请先获取银行信息", nullptr, "确定",
                                                      std::vector<std::string>{"取消"});
        alert->setStyle(GlossAlertView::kStyleAllWhite);
        AlertView::show(std::move(alert));
        return;
    }
    auto screen = screenForTag(tag);
    NavigationController* navigation = navigationController();
    if (!screen || !navigation) {
        return;
    }
    screen->setHidesBottomBarWhenPushed(true);
    navigation->pushViewController(std::move(screen), true);
}

void PXJYChuRuJinViewController::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
