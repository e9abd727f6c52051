#include "trade/query/PXJYBaoBiaoMingXiInfo.h"

#include "base/UIColorJudgeDataColor.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/TradeText.h"
#include "trade/query/PXJYQueryRecord.h"

namespace {
using Row = PXJYBaoBiaoMingXiInfo::Row;
using F = PXJYBaoBiaoMingXiInfo::Format;

constexpr double kSafeRate = 2.0;
const Color kTitleGrey = Color::rgb(132, 132, 132);

const std::vector<Row>& rowsOf(int kind) {
    static const std::vector<Row> kRows[] = {
        {{"单号:", "TRADE_NO"},
         {"商品:", "COMMODITY_NAME"},
         {"方式:", "BS_FLAG"},
         {"数量:", "QUANTITY"},
         {"摘牌价格:", "OPEN_PRICE"},
         {"持牌价格:", "HOLD_PRICE"},
         {"转让价格:", "PRICE"},
         {"转让盈亏:", "CLOSE_PL"},
         {"转让手续费:", "TRADE_FEE"},
         {"转让类型:", "TRADE_TYPE"},
         {"操作类型:", "OPERATE_TYPE"},
         {"摘牌时间:", "HOLD_TIME", F::DateTime},
         {"转让时间:", "CLOSE_TIME", F::DateTime},
         {"结算日期:", "CLEAR_DATE", F::Date}},
        {{"单号:", "TRADE_NO"},
         {"商品:", "COMMODITY_NAME"},
         {"方式:", "BS_FLAG"},
         {"数量:", "QUANTITY"},
         {"成交价格:", "PRICE"},
         {"成交金额:", "TRADE_FUNDS"},
         {"手续费:", "TRADE_FEE"},
         {"成交时间:", "HOLD_TIME", F::DateTime},
         {"结算日期:", "CLEAR_DATE", F::Date}},
        {{"单号:", "HOLD_NO"},
         {"商品:", "COMMODITY_NAME"},
         {"方式:", "BS_FLAG"},
         {"持牌量:", "HOLD_QTY"},
         {"持牌价:", "OPEN_PRICE"},
         {"当前持有价:", "HOLD_PRICE"},
         {"结算价:", "CLEAR_PRICE"},
         {"交收滞纳金:", "DELAY_FEE"},
         {"持牌盈亏:", "HOLD_PL"},
         {"持牌订金比例:", "HOLD_MARGIN_RATE"},
         {"冻结订金:", "HOLD_MARGIN"},
         {"摘牌时间:", "HOLD_TIME", F::DateTime},
         {"结算日期:", "CLEAR_DATE", F::Date}},
        {{"流水号:", "FUND_FLOW"},
         {"类型:", "OPR_CODE"},
         {"变动金额:", "AMOUNT"},
         {"变动后金额:", "BALANCE"},
         {"关联单号:", "VOUCHER_NO"},
         {"结算日期:", "CLEAR_DATE", F::Date},
         {"时间:", "CREATE_TIME", F::DateTime}},
        {{"期初权益:", "LAST_CAPITAL"},
         {"期末权益:", "CAPITAL"},
         {"转让盈亏:", "CLOSE_PL"},
         {"持牌盈亏:", "HOLD_PL"},
         {"手续费:", "TRADE_FEE"},
         {"交收滞纳金:", "DELAY_FEE"},
         {"冻结订金:", "MARGIN"},
         {"结算日期:", "CLEAR_DATE", F::Date},
         {"风险率:", "RISK_RATE", F::RiskRate},
         {"出入金", "FUNDIO"}},
    };
    return kRows[kind];
}
}  // namespace

PXJYBaoBiaoMingXiInfo::PXJYBaoBiaoMingXiInfo(const Rect& frame) : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    PXTradeViewKit::addNavigationBar(*this, 0, "详细", this);
    auto table = std::make_unique<TableView>(Rect(0, 44, 320, frame.height - 44));
    table->setDataSource(this);
    table->setDelegate(this);
    PXTradeViewKit::styleTable(*table);
    m_tableView = addSubview(std::move(table));
}

void PXJYBaoBiaoMingXiInfo::setCellLabel() {
    if (m_baoBiaotype >= 0 && m_baoBiaotype < 5) {
        m_rows = rowsOf(m_baoBiaotype);
    }
}

void PXJYBaoBiaoMingXiInfo::reloadDataView() {
    m_tableView->reloadData();
}

PXJYBaoBiaoMingXiInfo::Value PXJYBaoBiaoMingXiInfo::riskRate(const JYDict& record) {
    const std::string text = TradeText::textAt(record, "RISK_RATE");
    if (TradeText::textAt(record, "STATUS") == "F" || text.empty()) {
        return {PXTradeFormat::kMissing, PXTradeViewKit::valueGrey()};
    }
    const double rate = Text::doubleValue(text);
    if (rate >= kSafeRate) {
        return {"安全", PXTradeViewKit::valueGrey()};
    }
    const double percent = rate * 100;
    return {Text::format("%.2f%%", percent),
            UIColorJudgeDataColor::judgeColorWithData(percent, 100)};
}

PXJYBaoBiaoMingXiInfo::Value PXJYBaoBiaoMingXiInfo::valueOf(const Row& row) const {
    switch (row.format) {
        case Format::Date:
            return {PXJYQueryRecord::day(m_detailDic, row.key), PXTradeViewKit::valueGrey()};
        case Format::DateTime:
            return {PXJYQueryRecord::reportTime(m_detailDic, row.key), PXTradeViewKit::valueGrey()};
        case Format::RiskRate:
            return riskRate(m_detailDic);
        case Format::Plain:
            break;
    }
    return {PXJYQueryRecord::reportText(m_detailDic, row.key), PXTradeViewKit::valueGrey()};
}

int PXJYBaoBiaoMingXiInfo::numberOfRows(TableView&, int) {
    return static_cast<int>(m_rows.size());
}

std::shared_ptr<TableViewCell> PXJYBaoBiaoMingXiInfo::cellForRow(TableView& table,
                                                                 IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(m_rows.size())) {
        return cell;
    }
    const Row& row = m_rows[static_cast<size_t>(indexPath.row)];
    const Value value = valueOf(row);
    cell->contentView()->addSubview(
        PXTradeViewKit::label(Rect(15, 0, 120, 45), row.title, 16, kTitleGrey));
    cell->contentView()->addSubview(
        PXTradeViewKit::label(Rect(160, 0, 160, 45), value.text, 16, value.color));
    return cell;
}

void PXJYBaoBiaoMingXiInfo::VKJYNavBackAction() {
    PXTradeViewKit::slide(*this, frame().width);
}
