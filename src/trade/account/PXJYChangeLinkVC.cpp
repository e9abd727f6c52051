#include "trade/account/PXJYChangeLinkVC.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {
constexpr double kRowHeight = 50;
const char* const kTradeBusiness = "1";
}  // namespace

PXJYChangeLinkVC::~PXJYChangeLinkVC() {
    if (m_ceSuVC) {
        m_ceSuVC->setDelegate(nullptr);
    }
}

void PXJYChangeLinkVC::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(root, app.y, "切换链路", this);

    auto table = std::make_unique<TableView>(Rect(app.x, app.y + 44, app.width, 200));
    table->setDataSource(this);
    table->setDelegate(this);
    table->setRowHeight(kRowHeight);
    PXTradeViewKit::styleTable(*table);
    m_tableView = root.addSubview(std::move(table));

    auto test = std::make_unique<Button>(Rect(15, 300, 290, 50));
    test->setTitle("测速");
    test->setTitleColor(Color::whiteColor());
    test->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    test->addTarget(TouchUpInside, [this](Control&) { ceSuButtonAction(); });
    root.addSubview(std::move(test));

    m_ceSuVC = PXJYCeSuVC::create();
    m_ceSuVC->setDelegate(this);
}

void PXJYChangeLinkVC::viewWillAppear(bool) {
    PXTradeModule& module = PXTradeModule::shared();
    const PXTradePeiZhi& peiZhi = module.PXJYPeiZhi();
    m_tradeLinkArray = module.host()
                           .llArray(peiZhi.platformCODE(), peiZhi.environmentCODE(), kTradeBusiness)
                           .value_or(std::vector<PXTradeLine>{});
    m_linkTimeDic.reset();
    m_tableView->reloadData();
}

// The tester never reports a run without lines, so none is started: the busy overlay would
// otherwise stay until the screen went.
void PXJYChangeLinkVC::ceSuButtonAction() {
    if (m_tradeLinkArray.empty()) {
        PXTradeMessage::show("没有可测速的交易链路");
        return;
    }
    m_testing = VKJYActivityHold::raise();
    m_ceSuVC->shouDongCeSu();
}

void PXJYChangeLinkVC::PXCeSuFinished(const std::map<std::string, std::string>* timesDic) {
    m_testing.release();
    if (timesDic) {
        m_linkTimeDic = *timesDic;
    }
    m_tableView->reloadData();
}

void PXJYChangeLinkVC::VKJYNavBackAction() {
    navigationController()->popViewController(true);
}

int PXJYChangeLinkVC::numberOfRows(TableView&, int) {
    return static_cast<int>(m_tradeLinkArray.size());
}

std::shared_ptr<TableViewCell> PXJYChangeLinkVC::cellForRow(TableView& table, IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setBackgroundColor(PXTradeViewKit::background());
    cell->contentView()->addSubview(
        setCellView(m_tradeLinkArray.at(static_cast<size_t>(indexPath.row))));
    return cell;
}

std::unique_ptr<View> PXJYChangeLinkVC::setCellView(const PXTradeLine& line) const {
    auto row = std::make_unique<View>(Rect(0, 0, 320, kRowHeight));
    row->setBackgroundColor(PXTradeViewKit::background());
    row->addSubview(
        PXTradeViewKit::label(Rect(15, 5, 100, 40), line.llna, 14, Color::whiteColor()));
    std::string time;
    if (m_linkTimeDic) {
        auto found = m_linkTimeDic->find(line.code);
        time = found == m_linkTimeDic->end() ? "" : found->second;
    }
    row->addSubview(PXTradeViewKit::label(Rect(150, 5, 100, 40), time, 14, Color::whiteColor(),
                                          TextAlignment::Center));
    const bool inUse = PXTradeModule::shared().PXJYData().tradeLinkType() == line.code;
    row->addSubview(std::make_unique<ImageView>(
        Rect(280, 15, 20, 20), Image::named(inUse ? "duihao.png" : "duihao2.png")));
    return row;
}

void PXJYChangeLinkVC::didSelectRow(TableView& table, IndexPath indexPath) {
    PXTradeModule& module = PXTradeModule::shared();
    module.PXJYData().setTradeLinkType(
        m_tradeLinkArray.at(static_cast<size_t>(indexPath.row)).code);
    module.PXJYTimerManger().tradeLineChanged();
    table.reloadData();
}
