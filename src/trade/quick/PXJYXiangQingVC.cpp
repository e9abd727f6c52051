#include "trade/quick/PXJYXiangQingVC.h"

#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/close/PXShiJiaZhuanRangFill.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "trade/quick/PXQuickScreenKit.h"

namespace {
const char* const kTransferTag = "PXShiJiaPingCang";
const char* const kReverseTag = "PXShiJiaJianCang";
const char* const kDetailTag = "PXchiCangMingXi";
const char* const kReverseFailed = "转让成功， 反向摘牌失败 ";
constexpr double kHeaderHeight = 44;
constexpr double kBoardHeight = 110;

PXTradeData& store() {
    return PXTradeModule::shared().PXJYData();
}
}  // namespace

PXJYXiangQingVC::PXJYXiangQingVC() {
    m_relay = PXTradeReplyRelay::create(*this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYXiangQingVC::~PXJYXiangQingVC() {
    m_relay->detach();
}

void PXJYXiangQingVC::addButtons(View& root, double top) {
    m_transferButton = addButton(root, Rect{15, top, 140, 43}, " 转让");
    m_transferButton->addTarget(TouchUpInside, [this](Control&) { HZSJPingCangButtonAction(); });
    Button* detail = addButton(root, Rect{165, top, 140, 43}, "查看明细");
    detail->addTarget(TouchUpInside, [this](Control&) { detialButtonAction(); });
    setDetailButton(detail);
    buildPanel(root);
    const Rect area = PXTradeViewKit::appViewRect();
    m_danHaoList = root.addSubview(std::make_unique<PXJYChiCangDanHaoListView>(
        Rect{area.width, area.y, area.width, area.height}));
    m_danHaoList->setDelegate(this);
    m_danHaoList->navigationBarView()->title()->setText("持牌明细");
}

void PXJYXiangQingVC::buildPanel(View& root) {
    const Rect area = PXTradeViewKit::appViewRect();
    auto panel = std::make_unique<View>(Rect{area.width, area.y, area.width, area.height});
    panel->setBackgroundColor(PXTradeViewKit::background());
    auto header = std::make_unique<View>(Rect{0, 0, 320, kHeaderHeight});
    header->setBackgroundColor(PXTradeViewKit::background());
    header->addSubview(std::make_unique<ImageView>(Rect{0, kHeaderHeight - 1, 320, 1},
                                                   Image::named("click@2x.png")));
    header->addSubview(
        std::make_unique<ImageView>(Rect{15, 7, 16, 27}, Image::named("fanhui.png")));
    auto back = std::make_unique<Button>(Rect{5, 0, 60, kHeaderHeight});
    back->addTarget(TouchUpInside, [this](Control&) { removePingCangView(); });
    m_panelBackButton = header->addSubview(std::move(back));
    header->addSubview(PXTradeViewKit::label(Rect{60, 5, 200, 34}, " 转让", 20, Color::whiteColor(),
                                             TextAlignment::Center));
    panel->addSubview(std::move(header));
    m_board = panel->addSubview(std::make_unique<PXCommodityInformationView>(
        Rect{0, kHeaderHeight, area.width, kBoardHeight}));
    const double formTop = kHeaderHeight + kBoardHeight;
    m_SJPCView = panel->addSubview(std::make_unique<PXJYShiJiaZhuanRangView>(
        Rect{0, formTop, area.width, area.height - formTop}));
    m_SJPCView->setDelegate(this);
    m_SJPCView->setShownAccount(&shownAccount());
    m_SJPCView->setCommodityNameButtonEnabled(false);
    m_SJPCView->fixCommodity();
    PXQuickScreenKit::lockAccount(m_SJPCView->switchingAccountView());
    m_accountSwitch->add(m_SJPCView->switchingAccountView());
    m_pingCangView = root.addSubview(std::move(panel));
}

void PXJYXiangQingVC::showAccount() {
    m_accountSwitch->reloadTableView();
}

// The transfer panel and the picker held another account's holding: nothing of it is sendable.
void PXJYXiangQingVC::forgetAccount() {
    PXHuiZongXiangQingScreen::forgetAccount();
    m_transferHolding.forget();
    m_newDanHao.clear();
    removePingCangView();
    m_SJPCView->forgetNumber();
    m_board->fill(store(), "");
    m_danHaoList->forgetRows();
}

void PXJYXiangQingVC::selectedAnCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary) {
    m_transferHolding.choose(summary, store());
    PXHuiZongXiangQingScreen::selectedAnCommodity(std::move(summary));
    getChiCangMingXi();
}

void PXJYXiangQingVC::setHuiZongDetailValue() {
    PXHuiZongXiangQingScreen::setHuiZongDetailValue();
    const auto& summary = chiCangCommodity();
    if (!summary) {
        return;
    }
    m_board->fill(store(), summary->commodityCode);
    PXShiJiaZhuanRangFill::refresh(*m_SJPCView, store(), m_transferHolding, m_newDanHao);
}

std::shared_ptr<PXTradeNetworkManger> PXJYXiangQingVC::newManager() {
    return PXTradeReplyRelay::newManager(m_relay);
}

void PXJYXiangQingVC::getChiCangMingXi() {
    if (!chiCangCommodity()) {
        return;
    }
    auto manager = newManager();
    m_busy.began(manager.get());
    manager->getJYChiCangMingXi(chiCangCommodity()->commodityCode);
}

std::vector<std::string> PXJYXiangQingVC::numbersOfSummary() const {
    std::vector<std::string> numbers;
    const auto& summary = chiCangCommodity();
    if (!summary) {
        return numbers;
    }
    for (const auto& [number, ticket] : store().chiCangMingXiXinXi()) {
        if (ticket && ticket->commodityCode == summary->commodityCode &&
            ticket->buySellSign == summary->buySellSign) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

bool PXJYXiangQingVC::isPanelShown() const {
    return m_pingCangView->frame().x < m_pingCangView->frame().width;
}

void PXJYXiangQingVC::HZSJPingCangButtonAction() {
    PXTradeViewKit::slide(*m_pingCangView, PXTradeViewKit::appViewRect().x);
}

void PXJYXiangQingVC::removePingCangView() {
    m_SJPCView->cleanView();
    PXTradeViewKit::slide(*m_pingCangView, PXTradeViewKit::appViewRect().width);
}

void PXJYXiangQingVC::PXSJPCAddChiCangDanHaoListView() {
    getChiCangMingXi();
    m_danHaoList->setAllChiCangDanHaoID(numbersOfSummary());
    m_danHaoList->chicangDanHaoListViewreloadView();
    m_danHaoList->slideIn();
}

void PXJYXiangQingVC::PXSJPCRefreshShiJiaPingCangView() {
    setHuiZongDetailValue();
}

void PXJYXiangQingVC::PXChangeAnDanHao(const std::string& number) {
    m_SJPCView->cleanView();
    m_newDanHao = number;
    m_danHaoList->VKJYNavBackAction();
    setHuiZongDetailValue();
}

void PXJYXiangQingVC::PXShiJiaPingCangClick(const JYDict& order, bool fanXiangJianCangSign) {
    // One order at a time: a second tap while one travels sends nothing.
    if (m_orderOutstanding || refusesTap()) {
        return;
    }
    m_fanShou = fanXiangJianCangSign;
    m_postDic = order;
    newManager()->SJPingCang(order, false);
}

void PXJYXiangQingVC::fanShouJianCangClick() {
    auto manager = newManager();
    m_busy.began(manager.get());
    manager->SJJianCangNetwork(PXShiJiaZhuanRangFill::reverseDelistingOrder(
        m_postDic, PXTradeModule::shared().PXJYPeiZhi().getCurrentDateWith()));
}

void PXJYXiangQingVC::orderSent(PXTradeNetworkManger* manager) {
    m_orderOutstanding = true;
    m_busy.began(manager);
}

void PXJYXiangQingVC::leaveWith(const std::string& message) {
    m_orderOutstanding = false;
    m_newDanHao.clear();
    removePingCangView();
    m_relay->detach();
    VKJYNavBackAction();
    PXTradeMessage::show(message);
}

void PXJYXiangQingVC::reverseFailed(const std::string& reason) {
    // The transfer itself went through: say so; the panel stays for what is left.
    m_orderOutstanding = false;
    PXTradeMessage::show(kReverseFailed + reason);
    setHuiZongDetailValue();
}

void PXJYXiangQingVC::dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult*) {
    m_busy.ended(manager);
    const std::string& kind = manager->typeNW();
    if (kind == kTransferTag) {
        if (m_fanShou) {
            fanShouJianCangClick();
            return;
        }
        leaveWith("转让成功");
    } else if (kind == kReverseTag) {
        leaveWith("转让成功， 反向摘牌成功");
    } else if (kind == kDetailTag) {
        m_danHaoList->setAllChiCangDanHaoID(numbersOfSummary());
        m_danHaoList->chicangDanHaoListViewreloadView();
    }
}

void PXJYXiangQingVC::requestFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    const std::string& kind = manager->typeNW();
    if (kind == kTransferTag) {
        m_orderOutstanding = false;
        PXTradeRefusalAlert::showNetworkFailed(*manager);
    } else if (kind == kReverseTag) {
        reverseFailed(PXTradeMessage::kNetworkFailed);
    }
}

void PXJYXiangQingVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    const std::string& kind = manager->typeNW();
    if (kind == kTransferTag) {
        m_orderOutstanding = false;
        PXTradeRefusalAlert::show(*manager);
    } else if (kind == kReverseTag) {
        reverseFailed(manager->JY_ErrorMessage());
    }
}
