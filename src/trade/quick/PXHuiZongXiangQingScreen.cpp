#include "trade/quick/PXHuiZongXiangQingScreen.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/close/PXJYHuiZongXiangQingListView.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/quick/PXHuiZongXiangQingRows.h"

namespace {
const char* const kDetailQueryScreen = "PXJYMingXiViewController";
constexpr double kButtonsGap = 40;
constexpr double kButtonsRoom = 80;
}  // namespace

PXHuiZongXiangQingScreen::PXHuiZongXiangQingScreen() {
    setHidesBottomBarWhenPushed(true);
}

void PXHuiZongXiangQingScreen::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height});
    root->setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*root, area.y, "持牌单详细", this);
    const double top = area.y + VKJYNavigationBarView::kHeight;
    const double height = area.height - VKJYNavigationBarView::kHeight - area.y - kButtonsRoom;
    m_listView = root->addSubview(
        std::make_unique<PXJYHuiZongXiangQingListView>(Rect{area.x, top, area.width, height}));
    m_listView->creatListView();
    addButtons(*root, top + height + kButtonsGap);
    setView(root);
}

Button* PXHuiZongXiangQingScreen::addButton(View& root, const Rect& frame,
                                            const std::string& title) {
    auto button = std::make_unique<Button>(frame);
    button->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    button->setTitle(title);
    button->setTitleColor(Color::whiteColor());
    button->titleLabel()->setFont(Font::named("Helvetica-Bold", 17));
    return root.addSubview(std::move(button));
}

void PXHuiZongXiangQingScreen::viewWillAppear(bool) {
    m_shownAccount.follow();
    m_whileShown.start({{"JYRefreshTimer", [this] { setHuiZongDetailValue(); }}});
}

void PXHuiZongXiangQingScreen::viewWillDisappear(bool) {
    m_whileShown.stop();
}

void PXHuiZongXiangQingScreen::selectedAnCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary) {
    view();
    m_summary = std::move(summary);
    setHuiZongDetailValue();
}

void PXHuiZongXiangQingScreen::setHuiZongDetailValue() {
    if (!m_summary) {
        return;
    }
    auto values = PXHuiZongXiangQingRows::values(*m_summary, PXTradeModule::shared().PXJYData());
    if (values.empty()) {
        return;
    }
    // One caption per value shown.
    auto captions = PXHuiZongXiangQingRows::captions();
    captions.resize(values.size());
    m_listView->setExplanationArray(std::move(captions));
    m_listView->setDataArray(std::move(values));
    m_listView->listView()->reloadData();
}

void PXHuiZongXiangQingScreen::forgetAccount() {
    m_summary.reset();
    m_listView->setExplanationArray({});
    m_listView->setDataArray({});
    m_listView->listView()->reloadData();
}

void PXHuiZongXiangQingScreen::detialButtonAction() {
    NavigationController* navigation = navigationController();
    if (refusesTap() || !m_summary || !navigation) {
        return;
    }
    PXTradeScreenArgs args;
    args.commodityCode = m_summary->commodityCode;
    args.buySellSign = m_summary->buySellSign;
    auto screen = PXTradeScreenFactory::create(kDetailQueryScreen, args);
    if (!screen) {
        return;
    }
    screen->setHidesBottomBarWhenPushed(true);
    navigation->pushViewController(std::move(screen), false);
}

void PXHuiZongXiangQingScreen::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
