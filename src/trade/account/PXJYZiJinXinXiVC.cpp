#include "trade/account/PXJYZiJinXinXiVC.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "trade/account/PXJYFundsLook.h"
#include "trade/account/PXJYFundsWire.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/TradeText.h"

namespace {
const char* const kMarketFundsTag = "PXMarketfundsinfo";

struct FundsRow {
    const char* label;
    const char* key;
};

constexpr FundsRow kAccountRows[] = {{"交易账号:", "FIRMID"},
                                     {"期初权益:", "EQ"},
                                     {"当日出入金:", "IOF"},
                                     {"当前可用金额:", "COM"},
                                     {"可用资金:", "UF"}};
constexpr FundsRow kBankRows[] = {{"银行账号:", "BANK_ACCOUNT"}, {"银行:", "BANK_NAME"},
                                  {"账户属性:", "AP"},           {"期初权益:", "EQ"},
                                  {"当日出入金:", "IOF"},        {"当前可用金额:", "COM"},
                                  {"在途资金:", "FIF"}};
constexpr int kAccountRowCount = sizeof(kAccountRows) / sizeof(kAccountRows[0]);
constexpr int kBankRowCount = sizeof(kBankRows) / sizeof(kBankRows[0]);

const FundsRow& rowOf(IndexPath indexPath) {
    return indexPath.section == 0 ? kAccountRows[indexPath.row] : kBankRows[indexPath.row];
}
}  // namespace

PXJYZiJinXinXiVC::PXJYZiJinXinXiVC() {
    setTitle("市场资金信息");
}

void PXJYZiJinXinXiVC::loadView() {
    setView(PXJYFundsLook::rootView());
}

void PXJYZiJinXinXiVC::viewDidLoad() {
    View& root = *view();
    const double barTop = PXTradeViewKit::appViewRect().y;
    PXTradeViewKit::addNavigationBar(root, barTop, "市场资金信息", this);
    const double top = barTop + 44;
    auto table = std::make_unique<TableView>(Rect(0, top, 320, root.bounds().height - top));
    table->setDataSource(this);
    table->setDelegate(this);
    table->setShowsVerticalScrollIndicator(false);
    table->setBackgroundColor(PXTradeViewKit::background());
    table->setSeparatorStyle(TableView::SeparatorStyle::SingleLine);
    table->setSeparatorColor(PXTradeViewKit::separator());
    m_table = root.addSubview(std::move(table));
}

void PXJYZiJinXinXiVC::viewWillAppear(bool) {
    m_shownAccount.follow();
    getMarketfundsinfo();
}

void PXJYZiJinXinXiVC::forgetAccount() {
    m_records.clear();
    m_table->reloadData();
}

void PXJYZiJinXinXiVC::getMarketfundsinfo() {
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_busy.began(manager.get());
    manager->getMarketfundsinfo(PXJYFundsWire::common());
}

int PXJYZiJinXinXiVC::numberOfSections(TableView&) {
    return static_cast<int>(m_records.size());
}

int PXJYZiJinXinXiVC::numberOfRows(TableView&, int section) {
    return section == 0 ? kAccountRowCount : kBankRowCount;
}

std::shared_ptr<View> PXJYZiJinXinXiVC::viewForHeader(TableView&, int section) {
    const std::string name = section == 0 ? std::string("账户资金信息")
                                          : TradeText::textAt(m_records[section], "BANK_NAME");
    return PXJYFundsLook::sectionHeader(name);
}

std::shared_ptr<TableViewCell> PXJYZiJinXinXiVC::cellForRow(TableView& table, IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    const FundsRow& row = rowOf(indexPath);
    const JYDict& record = m_records[static_cast<std::size_t>(indexPath.section)];
    cell->contentView()->addSubview(
        PXTradeViewKit::label(Rect(15, 0, 160, 45), row.label, 16, PXJYFundsLook::labelGrey()));
    cell->contentView()->addSubview(PXTradeViewKit::label(
        Rect(160, 0, 160, 45), TradeText::textAt(record, row.key), 16, Color::white(0.8)));
    return cell;
}

void PXJYZiJinXinXiVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                            const PXTradeResult* data) {
    m_busy.ended(manager);
    if (manager->typeNW() != kMarketFundsTag || !PXTradeShownAccount::takes(*manager)) {
        return;
    }
    m_records = PXJYFundsWire::records(data);
    m_table->reloadData();
}

void PXJYZiJinXinXiVC::requestFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYZiJinXinXiVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    if (manager->typeNW() != kMarketFundsTag) {
        return;
    }
    PXTradeRefusalAlert::show(*manager);
}

void PXJYZiJinXinXiVC::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
