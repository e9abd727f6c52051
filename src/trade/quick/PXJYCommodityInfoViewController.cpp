#include "trade/quick/PXJYCommodityInfoViewController.h"

#include "platform/graphics/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/quick/PXJYCommodityDetailView.h"

PXJYCommodityInfoViewController::PXJYCommodityInfoViewController() {
    setHidesBottomBarWhenPushed(true);
}

void PXJYCommodityInfoViewController::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height});
    root->setBackgroundColor(PXTradeViewKit::background());
    PXTradeViewKit::addNavigationBar(*root, area.y, "商品信息", this);
    const double top = area.y + VKJYNavigationBarView::kHeight;
    auto table = std::make_unique<TableView>(Rect{0, top, 320, root->bounds().height - top});
    PXTradeViewKit::styleTable(*table);
    table->setRowHeight(kRowHeight);
    table->setDataSource(this);
    table->setDelegate(this);
    m_table = root->addSubview(std::move(table));
    m_detailView = root->addSubview(std::make_unique<PXJYCommodityDetailView>(
        Rect{area.width, area.y, area.width, area.height}));
    setView(root);
}

// The rules on show were of the commodities the account before traded.
void PXJYCommodityInfoViewController::parkDetail() {
    m_detailView->VKJYNavBackAction();
}

void PXJYCommodityInfoViewController::viewWillAppear(bool) {
    m_shownAccount.follow();
    // The store keys its commodities by code, so the list reads in code order.
    m_codes.clear();
    for (const auto& [code, commodity] : PXTradeModule::shared().PXJYData().shangPinXinXi()) {
        if (commodity) {
            m_codes.push_back(code);
        }
    }
    m_table->reloadData();
}

int PXJYCommodityInfoViewController::numberOfRows(TableView&, int) {
    return static_cast<int>(m_codes.size());
}

std::shared_ptr<TableViewCell> PXJYCommodityInfoViewController::cellForRow(TableView& table,
                                                                           IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    const auto row = static_cast<size_t>(indexPath.row);
    if (row >= m_codes.size()) {
        return cell;
    }
    const auto& commodities = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = commodities.find(m_codes[row]);
    const std::string name =
        found != commodities.end() && found->second ? found->second->commodityName : m_codes[row];
    cell->contentView()->addSubview(
        PXTradeViewKit::label({15, 0, 270, kRowHeight}, name, 16, Color::rgb(132, 132, 132)));
    cell->contentView()->addSubview(
        std::make_unique<ImageView>(Rect{300, 11.5, 15, 17}, Image::named("JYzhankai.png")));
    return cell;
}

void PXJYCommodityInfoViewController::didSelectRow(TableView&, IndexPath indexPath) {
    const auto row = static_cast<size_t>(indexPath.row);
    if (row >= m_codes.size()) {
        return;
    }
    m_detailView->setCommodityCode(m_codes[row]);
    m_detailView->setCellLabel();
    m_detailView->reloadDataView();
    addCommodityInfoView();
}

void PXJYCommodityInfoViewController::addCommodityInfoView() {
    view()->bringSubviewToFront(m_detailView);
    PXTradeViewKit::slide(*m_detailView, 0);
}

void PXJYCommodityInfoViewController::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
