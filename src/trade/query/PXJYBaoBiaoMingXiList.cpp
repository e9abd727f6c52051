#include "trade/query/PXJYBaoBiaoMingXiList.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/query/PXJYBaoBiaoMingXiListDelegate.h"
#include "trade/query/PXJYQueryRecord.h"

namespace {
using Place = PXJYBaoBiaoMingXiList::Place;

constexpr double kTotalHeight = 45;
constexpr double kLineHeight = 25;
const Color kTitleGrey = Color::rgb(132, 132, 132);
const Color kHeaderBackground = Color::rgb(49, 49, 51);

struct Column {
    double x;
    double width;
};

struct KindLayout {
    double rowHeight;
    std::vector<Place> totals;
    // Two places a line: left, right.
    std::vector<Place> places;
    Column leftTitle, leftValue, rightTitle, rightValue;
};

const KindLayout& layoutOf(int kind) {
    static const KindLayout kLayouts[] = {
        {80,
         {{"转让量:", "QUANTITY_SUM"},
          {"转让盈亏:", "CLOSE_PL_SUM"},
          {"转让手续费:", "TRADE_FEE_SUM"}},
         {{"单        号:", "TRADE_NO"},
          {" ", " "},
          {"商        品:", "COMMODITY_NAME"},
          {"持牌量:", "QUANTITY"},
          {"方式:", "BS_FLAG"},
          {"转让价:", "PRICE"}},
         {10, 65},
         {75, 105},
         {180, 50},
         {230, 90}},
        {80,
         {{"成交量:", "QUANTITY_SUM"},
          {"成交金额:", "TRADE_FUNDS_SUM"},
          {"手续费:", "TRADE_FEE_SUM"}},
         {{"单        号:", "TRADE_NO"},
          {"成交金额:", "TRADE_FUNDS"},
          {"商        品:", "COMMODITY_NAME"},
          {"数量:", "QUANTITY"},
          {"方式:", "BS_FLAG"},
          {"成交价:", "PRICE"}},
         {10, 65},
         {75, 95},
         {170, 65},
         {235, 85}},
        {105,
         {{"持牌量:", "HOLDQTY_SUM"},
          {"持牌盈亏:", "HOLDE_PL_SUM"},
          {"交收滞纳金:", "DELAY_FEE_SUM"},
          {"冻结订金:", "HOLD_MARGIN_SUM"}},
         {{"单        号:", "HOLD_NO"},
          {"持牌盈亏:", "HOLD_PL"},
          {"商        品:", "COMMODITY_NAME"},
          {"持牌量:", "HOLD_QTY"},
          {"方式:", "BS_FLAG"},
          {"持牌价:", "HOLD_PRICE"},
          {"摘牌时间:", "HOLD_TIME"},
          {" ", " "}},
         {10, 65},
         {75, 105},
         {180, 65},
         {245, 75}},
        {80,
         {{"变动金额:", "AMOUNT_SUM"}},
         {{"流水号:", "FUND_FLOW"},
          {" ", " "},
          {"类型:", "OPR_CODE"},
          {"变动金额:", "AMOUNT"},
          {"变动后金额:", "BALANCE"},
          {" ", " "}},
         {10, 75},
         {85, 95},
         {180, 65},
         {245, 75}},
        {55,
         {{"出入金:", "FUNDIO_SUM"},
          {"转让盈亏:", "CLOSEPL_SUM"},
          {"持牌盈亏:", "HOLDPL_SUM"},
          {"手续费:", "TRADEFEE_SUM"},
          {"交收滞纳金:", "DELAYFEE_SUM"},
          {"冻结订金:", "MARGIN_SUM"}},
         {{"期初权益:", "LAST_CAPITAL"}, {" ", " "}, {"期末权益:", "CAPITAL"}, {" ", "CLEAR_DATE"}},
         {10, 65},
         {75, 105},
         {0, 0},
         {180, 160}},
    };
    return kLayouts[kind];
}

constexpr int kHoldingsKind = 2;
constexpr int kFundsStatusKind = 4;
}  // namespace

PXJYBaoBiaoMingXiList::PXJYBaoBiaoMingXiList(const Rect& frame) : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*this, 0, "", this);
    auto table = std::make_unique<LoadMoreTableView>(Rect(0, 44, 320, frame.height - 44));
    table->setDataSource(this);
    table->setDelegate(this);
    table->setPullDelegate(this);
    PXTradeViewKit::styleTable(*table);
    m_tableView = addSubview(std::move(table));
}

void PXJYBaoBiaoMingXiList::setCellLabel() {
    if (m_baoBiaotype < 0 || m_baoBiaotype > kFundsStatusKind) {
        return;
    }
    const KindLayout& layout = layoutOf(m_baoBiaotype);
    m_cellHeight = layout.rowHeight;
    m_totals = layout.totals;
    m_places = layout.places;
}

void PXJYBaoBiaoMingXiList::reloadDataView() {
    m_tableView->reloadData();
}

void PXJYBaoBiaoMingXiList::loadMoreEnd() {
    m_tableView->setLoadMoreTableIsLoadingMore(false);
}

std::vector<std::pair<std::string, std::string>> PXJYBaoBiaoMingXiList::totals() const {
    std::vector<std::pair<std::string, std::string>> rows;
    if (m_dataList.empty()) {
        return rows;
    }
    for (const Place& total : m_totals) {
        rows.emplace_back(total.title, PXJYQueryRecord::reportText(m_dataList.front(), total.key));
    }
    return rows;
}

std::string PXJYBaoBiaoMingXiList::valueText(const JYDict& record, const std::string& key,
                                             bool lastLine) const {
    if (key == " ") {
        return " ";
    }
    if (lastLine && m_baoBiaotype == kHoldingsKind) {
        return PXJYQueryRecord::reportTime(record, key);
    }
    if (lastLine && m_baoBiaotype == kFundsStatusKind && key == "CLEAR_DATE") {
        return PXJYQueryRecord::day(record, key);
    }
    return PXJYQueryRecord::reportText(record, key);
}

std::vector<std::string> PXJYBaoBiaoMingXiList::placeTexts(int row) const {
    std::vector<std::string> texts;
    if (row < 0 || row >= static_cast<int>(m_dataList.size())) {
        return texts;
    }
    const JYDict& record = m_dataList[static_cast<size_t>(row)];
    const size_t lines = m_places.size() / 2;
    for (size_t i = 0; i < lines * 2; ++i) {
        texts.push_back(m_places[i].title);
        texts.push_back(valueText(record, m_places[i].key, i / 2 + 1 == lines));
    }
    return texts;
}

std::unique_ptr<View> PXJYBaoBiaoMingXiList::getMXCellJYView(int row) const {
    auto view = std::make_unique<View>(Rect(0, 0, 320, m_cellHeight));
    const std::vector<std::string> texts = placeTexts(row);
    if (texts.empty() || m_baoBiaotype < 0 || m_baoBiaotype > kFundsStatusKind) {
        return view;
    }
    const KindLayout& layout = layoutOf(m_baoBiaotype);
    const size_t lines = texts.size() / 4;
    for (size_t line = 0; line < lines; ++line) {
        const double y = kLineHeight * static_cast<double>(line);
        const bool last = line + 1 == lines;
        const std::string* place = &texts[line * 4];
        Column leftValue = layout.leftValue;
        if (last && m_baoBiaotype == kHoldingsKind) {
            leftValue.width = 320 - leftValue.x;
        }
        view->addSubview(
            PXTradeViewKit::label(Rect(layout.leftTitle.x, y, layout.leftTitle.width, kLineHeight),
                                  place[0], 14, kTitleGrey));
        view->addSubview(PXTradeViewKit::label(Rect(leftValue.x, y, leftValue.width, kLineHeight),
                                               place[1], 14, PXTradeViewKit::valueGrey()));
        const bool fundsStatus = m_baoBiaotype == kFundsStatusKind;
        if (!fundsStatus) {
            view->addSubview(PXTradeViewKit::label(
                Rect(layout.rightTitle.x, y, layout.rightTitle.width, kLineHeight), place[2], 14,
                kTitleGrey));
        }
        view->addSubview(PXTradeViewKit::label(
            Rect(layout.rightValue.x, y, layout.rightValue.width, kLineHeight), place[3], 14,
            PXTradeViewKit::valueGrey(),
            fundsStatus ? TextAlignment::Center : TextAlignment::Left));
    }
    return view;
}

int PXJYBaoBiaoMingXiList::numberOfRows(TableView&, int section) {
    if (section == 0) {
        return m_dataList.empty() ? 0 : static_cast<int>(m_totals.size());
    }
    return static_cast<int>(m_dataList.size());
}

std::optional<double> PXJYBaoBiaoMingXiList::heightForRow(TableView&, IndexPath indexPath) {
    return indexPath.section == 0 ? kTotalHeight : m_cellHeight;
}

std::shared_ptr<View> PXJYBaoBiaoMingXiList::viewForHeader(TableView&, int section) {
    auto header = std::make_shared<Label>(Rect(0, 0, 320, 44), section == 0 ? "  总计" : "  明细");
    header->setFont(Font::named("Helvetica-Bold", 16));
    header->setTextColor(kTitleGrey);
    header->setBackgroundColor(kHeaderBackground);
    return header;
}

std::shared_ptr<TableViewCell> PXJYBaoBiaoMingXiList::cellForRow(TableView& table,
                                                                 IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    View& content = *cell->contentView();
    if (indexPath.section == 1) {
        cell->setAccessoryType(TableViewCell::AccessoryType::DisclosureIndicator);
        content.addSubview(getMXCellJYView(indexPath.row));
        return cell;
    }
    const auto rows = totals();
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(rows.size())) {
        return cell;
    }
    const auto& [title, value] = rows[static_cast<size_t>(indexPath.row)];
    content.addSubview(
        PXTradeViewKit::label(Rect(10, 0, 120, kTotalHeight), title, 16, kTitleGrey));
    content.addSubview(
        PXTradeViewKit::label(Rect(160, 0, 160, kTotalHeight), value, 16, Color::whiteColor()));
    return cell;
}

void PXJYBaoBiaoMingXiList::didSelectRow(TableView&, IndexPath indexPath) {
    if (!m_delegate || indexPath.section != 1 || indexPath.row < 0 ||
        indexPath.row >= static_cast<int>(m_dataList.size())) {
        return;
    }
    m_delegate->addBaoBiaoMingXiInfoView(m_dataList[static_cast<size_t>(indexPath.row)]);
}

void PXJYBaoBiaoMingXiList::loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView&) {
    if (m_delegate) {
        m_delegate->loadMoreData();
    }
}

void PXJYBaoBiaoMingXiList::VKJYNavBackAction() {
    PXTradeViewKit::slide(*this, frame().width);
}
