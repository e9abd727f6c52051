#include "market/VKJYCommodityTableView.h"

#include "market/VKJYCatalogueSections.h"
#include "market/VKJYCommodityTableViewDelegate.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"

namespace {
constexpr const char* kCellIdentifier = "cellname";
}

VKJYCommodityTableView::VKJYCommodityTableView(
    std::vector<std::shared_ptr<MarketItem>> commodityInfoArray,
    std::shared_ptr<commodityInfo> currentCommodityInfo)
    : View(Rect{0, 0, kWidth, kHeight}),
      m_commodityInfoArray(std::move(commodityInfoArray)),
      m_currentCommodityInfo(std::move(currentCommodityInfo)) {
    if (m_currentCommodityInfo) {
        m_section = VKJYCatalogueSections::sectionOf(m_commodityInfoArray, *m_currentCommodityInfo);
    }
    setCornerRadius(2);
    setBackgroundColor(Color::clearColor());
    m_backgroundImageView = addSubview(std::make_unique<ImageView>(
        bounds(), Image::named("shangpinpopover.png").resizable({9, 0, 5, 0})));
    m_table = addSubview(std::make_unique<TableView>(Rect{0, 5, kWidth, kHeight - 5}));
    m_table->setDataSource(this);
    m_table->setDelegate(this);
    m_table->setShowsVerticalScrollIndicator(false);
    m_table->setBackgroundColor(Color::clearColor());
    m_table->setSeparatorStyle(TableView::SeparatorStyle::None);
}

const std::vector<std::shared_ptr<commodityInfo>>* VKJYCommodityTableView::rows() const {
    return VKJYCatalogueSections::commoditiesOfSection(m_commodityInfoArray, m_section);
}

void VKJYCommodityTableView::setArrowsPoint(Point point) {
    m_arrowsPoint = point;
    setFrame({point.x - kWidth / 2, point.y, kWidth, kHeight});
    setHidden(false);
}

int VKJYCommodityTableView::numberOfRows(TableView&, int) {
    const auto* list = rows();
    return list ? static_cast<int>(list->size()) : 0;
}

std::shared_ptr<TableViewCell> VKJYCommodityTableView::cellForRow(TableView& table,
                                                                  IndexPath indexPath) {
    auto cell = table.dequeueReusableCell(kCellIdentifier);
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, kCellIdentifier);
        auto rule = std::make_unique<View>(Rect{0, kRowHeight - 1, kWidth, 1});
        rule->setBackgroundColor(Color::white(0.1, 0.1));
        cell->addSubview(std::move(rule));
        cell->setBackgroundColor(Color::clearColor());
        cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    }
    const auto* list = rows();
    const auto row = static_cast<std::size_t>(indexPath.row);
    Label* text = cell->textLabel();
    text->setText(list && row < list->size() && (*list)[row] ? (*list)[row]->CommodityName : "");
    text->setTextAlignment(TextAlignment::Center);
    text->setFont(Font::system(12));
    text->setTextColor(Color::whiteColor());
    return cell;
}

void VKJYCommodityTableView::didSelectRow(TableView& table, IndexPath indexPath) {
    table.reloadData();
    if (m_delegate && m_currentCommodityInfo) {
        m_delegate->selectedCommodityInfoIndexPath({m_section, indexPath.row},
                                                   m_currentCommodityInfo);
    }
}
