#include "trade/query/PXJYChengJiaoListView.h"

#include "base/UIColorJudgeDataColor.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/query/PXJYChengJiaoListViewDelegate.h"
#include "trade/query/PXJYQueryRecord.h"

namespace {
const Color kCaptionGrey = Color::rgb(132, 132, 132);
constexpr size_t kCardValues = 8;
}  // namespace

PXJYChengJiaoListView::PXJYChengJiaoListView(const Rect& frame) : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*this, 0, "成交查询", this);
    auto table = std::make_unique<LoadMoreTableView>(Rect(0, 44, 320, frame.height - 44));
    table->setDataSource(this);
    table->setDelegate(this);
    table->setPullDelegate(this);
    PXTradeViewKit::styleTable(*table);
    m_listView = addSubview(std::move(table));
}

void PXJYChengJiaoListView::reloadDataView() {
    m_listView->reloadData();
}

void PXJYChengJiaoListView::loadMoreEnd() {
    m_listView->setLoadMoreTableIsLoadingMore(false);
}

std::vector<std::string> PXJYChengJiaoListView::cardValues(const JYDict& record) const {
    std::vector<std::string> values;
    const auto key = [this, &record](size_t i) {
        return i < m_keyArray.size() ? PXJYQueryRecord::text(record, m_keyArray[i])
                                     : std::string(" ");
    };
    values.push_back(key(0));
    values.push_back(" ");
    values.push_back(PXJYQueryRecord::commodityName(record));
    for (size_t i = 1; i <= 5; ++i) {
        values.push_back(key(i));
    }
    return values;
}

int PXJYChengJiaoListView::numberOfRows(TableView&, int) {
    return static_cast<int>(m_dataList.size());
}

std::optional<double> PXJYChengJiaoListView::heightForRow(TableView&, IndexPath) {
    return kCardHeight;
}

std::shared_ptr<TableViewCell> PXJYChengJiaoListView::cellForRow(TableView& table,
                                                                 IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setAccessoryType(TableViewCell::AccessoryType::DisclosureIndicator);
    cell->contentView()->addSubview(getCellJYView(indexPath.row));
    return cell;
}

std::unique_ptr<View> PXJYChengJiaoListView::getCellJYView(int row) const {
    auto card = std::make_unique<View>(Rect(0, 0, 320, kCardHeight));
    card->setBackgroundColor(PXTradeViewKit::background());
    if (row < 0 || row >= static_cast<int>(m_dataList.size())) {
        return card;
    }
    const std::vector<std::string> values = cardValues(m_dataList[static_cast<size_t>(row)]);
    for (size_t i = 0; i < kCardValues; ++i) {
        const double y = 5 + 30 * static_cast<double>(i / 2);
        const bool left = i % 2 == 0;
        const std::string title = i < m_biaoTiArray.size() ? m_biaoTiArray[i] : std::string();
        card->addSubview(
            PXTradeViewKit::label(Rect(left ? 10 : 170, y, 65, 30), title, 14, kCaptionGrey));
        const Color colour = i + 1 == kCardValues
                                 ? UIColorJudgeDataColor::getLableColorWithData(values[i])
                                 : Color::whiteColor();
        card->addSubview(PXTradeViewKit::label(Rect(left ? 75 : 230, y, left ? 95 : 90, 30),
                                               values[i], 14, colour));
    }
    return card;
}

void PXJYChengJiaoListView::didSelectRow(TableView&, IndexPath indexPath) {
    if (!m_delegate || indexPath.row < 0 || indexPath.row >= static_cast<int>(m_dataList.size())) {
        return;
    }
    m_delegate->addChaXunDetailView(m_dataList[static_cast<size_t>(indexPath.row)]);
}

void PXJYChengJiaoListView::loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView&) {
    if (m_delegate) {
        m_delegate->loadMoreDataToTable();
    }
}

void PXJYChengJiaoListView::VKJYNavBackAction() {
    PXTradeViewKit::slide(*this, 320);
}
