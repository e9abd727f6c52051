#include "trade/query/PXJYChaXunViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "trade/query/PXJYChengJiaoViewController.h"
#include "trade/query/PXJYHuiZongViewController.h"
#include "trade/query/PXJYMingXiViewController.h"
#include "trade/query/PXJYZJWeiTuoViewController.h"

namespace {
constexpr double kRowHeight = 50;
const char* const kRowTitles[] = {"成交查询", "订单查询", "持牌明细", "持牌汇总"};
constexpr int kRows = sizeof(kRowTitles) / sizeof(kRowTitles[0]);
}  // namespace

PXJYChaXunViewController::PXJYChaXunViewController() {
    setTitle("查询");
}

PXJYChaXunViewController::~PXJYChaXunViewController() = default;

void PXJYChaXunViewController::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const double barTop = PXTradeViewKit::appViewRect().y;
    PXTradeViewKit::addNavigationBar(root, barTop, "查询", this);
    const double labelTop = barTop + 44 + 5;
    root.addSubview(
        PXTradeViewKit::label(Rect(15, labelTop, 80, 50), "当前账号:", 16, Color::whiteColor()));
    addMenu(labelTop + kRowHeight);
    // Last, so its drop-down list of saved accounts lies over the rows.
    const Rect switcherFrame(105, labelTop, 195, 40);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
    m_switchingAccountView = m_accountSwitch->addSwitcher(root, switcherFrame);
}

void PXJYChaXunViewController::addMenu(double top) {
    View& root = *view();
    for (int line = 0; line <= kRows; ++line) {
        PXTradeViewKit::addLine(root, top + kRowHeight * line);
    }
    for (int row = 1; row <= kRows; ++row) {
        const double rowTop = top + kRowHeight * (row - 1);
        root.addSubview(PXTradeViewKit::label(Rect(15, rowTop, 80, kRowHeight), kRowTitles[row - 1],
                                              16, Color::whiteColor()));
        root.addSubview(std::make_unique<ImageView>(Rect(280, rowTop + 15, 15, 17),
                                                    Image::named("JYzhankai.png")));
        auto button = std::make_unique<Button>(Rect(105, rowTop, 205, kRowHeight));
        button->setTag(row);
        button->addTarget(TouchUpInside,
                          [this](Control& sender) { selectInquiryType(sender.tag()); });
        root.addSubview(std::move(button));
    }
}

void PXJYChaXunViewController::viewWillAppear(bool) {
    m_switchingAccountView->reloadTableView();
}

void PXJYChaXunViewController::selectInquiryType(int tag) {
    NavigationController* navigation = navigationController();
    if (!navigation) {
        return;
    }
    switch (tag) {
        case 1:
            navigation->pushViewController(std::make_unique<PXJYChengJiaoViewController>(), true);
            break;
        case 2: {
            auto* orders = navigation->pushViewController(
                std::make_unique<PXJYZJWeiTuoViewController>(), true);
            orders->zhiJiaCheck();
            break;
        }
        case 3: {
            // All commodities, both sides.
            auto details = std::make_unique<PXJYMingXiViewController>();
            details->setRequestCommodity("");
            details->setBuySellSign("");
            navigation->pushViewController(std::move(details), true);
            break;
        }
        case 4:
            navigation->pushViewController(std::make_unique<PXJYHuiZongViewController>(), true);
            break;
        default:
            break;
    }
}

void PXJYChaXunViewController::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
