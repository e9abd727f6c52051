#include "market/VKJYMarketCommodityEditController.h"

#include <algorithm>

#include "market/VKJYCatalogueSections.h"
#include "market/VKJYEditChooseCommodityCell.h"
#include "market/VKJYMarketContext.h"
#include "market/VKJYMarketScreenFactory.h"
#include "market/VKJYMarketStyle.h"
#include "market/VKJYSectionHeaderInset.h"
#include "market/VKJYWatchList.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "quote/QuoteRecords.h"
#include "shell/VKJYNavigationBarView.h"

namespace {
std::unique_ptr<Label> headerLabel(const Rect& frame, const std::string& text,
                                   TextAlignment alignment) {
    auto label = std::make_unique<Label>(frame, text);
    label->setBackgroundColor(Color::clearColor());
    label->setTextColor(Color::whiteColor());
    label->setFont(Font::system(14));
    label->setTextAlignment(alignment);
    return label;
}
}  // namespace

VKJYMarketCommodityEditController::VKJYMarketCommodityEditController(
    std::vector<std::shared_ptr<MarketItem>> commodityArray,
    std::vector<std::string> chooseCommodityIDArray)
    : m_commodityArray(std::move(commodityArray)),
      m_chooseCommodityIDArray(std::move(chooseCommodityIDArray)) {
    // Hidden while this screen is on the stack only: the list it goes back to keeps its tab bar.
    setHidesBottomBarWhenPushed(true);
}

void VKJYMarketCommodityEditController::registerScreen() {
    VKJYMarketScreenFactory::registerScreen(
        VKJYMarketScreenFactory::kCommodityEditController, [](const VKJYMarketScreenArgs& args) {
            return std::make_unique<VKJYMarketCommodityEditController>(args.commodityArray,
                                                                       args.chooseCommodityIDArray);
        });
}

void VKJYMarketCommodityEditController::loadView() {
    const Rect area = VKJYMarketContext::appViewRect();
    setView(std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height}));
}

void VKJYMarketCommodityEditController::viewDidLoad() {
    view()->setBackgroundColor(VKJYMarketStyle::listColor());
    const Rect area = VKJYMarketContext::appViewRect();
    auto bar = std::make_unique<VKJYNavigationBarView>(
        Rect{area.x, area.y, area.width, VKJYNavigationBarView::kHeight});
    bar->setDelegate(this);
    bar->title()->setText(kTitle);
    bar->menuButton()->setAlpha(0);
    bar->menuImageview()->setAlpha(0);
    bar->backButton()->setAlpha(1);
    bar->backImageview()->setAlpha(1);
    m_navView = view()->addSubview(std::move(bar));

    const Rect barFrame = m_navView->frame();
    auto table = std::make_unique<TableView>(Rect{
        0, barFrame.y + barFrame.height, view()->bounds().width, area.height - barFrame.height});
    table->setDataSource(this);
    table->setDelegate(this);
    table->setBackgroundColor(Color::clearColor());
    table->setSeparatorColor(Color::clearColor());
    table->setShowsVerticalScrollIndicator(false);
    table->setSeparatorStyle(TableView::SeparatorStyle::None);
    m_table = view()->addSubview(std::move(table));
}

int VKJYMarketCommodityEditController::commodityInfoArrayCount() const {
    return static_cast<int>(VKJYCatalogueSections::sections(m_commodityArray).size());
}

const std::vector<std::shared_ptr<commodityInfo>>*
VKJYMarketCommodityEditController::getCommodityInfoArrayBySection(int section) const {
    return VKJYCatalogueSections::commoditiesOfSection(m_commodityArray, section);
}

std::shared_ptr<commodityInfo> VKJYMarketCommodityEditController::commodityAt(
    IndexPath indexPath) const {
    const auto* rows = getCommodityInfoArrayBySection(indexPath.section);
    const auto row = static_cast<std::size_t>(indexPath.row);
    return rows && indexPath.row >= 0 && row < rows->size() ? (*rows)[row] : nullptr;
}

bool VKJYMarketCommodityEditController::isWatched(const std::string& key) const {
    return std::find(m_chooseCommodityIDArray.begin(), m_chooseCommodityIDArray.end(), key) !=
           m_chooseCommodityIDArray.end();
}

// A failed write is not reported: the screen leaves anyway, as a back button must.
void VKJYMarketCommodityEditController::VKJYNavBackAction() {
    VKJYWatchList::writeFile(m_chooseCommodityIDArray);
    if (auto* stack = navigationController()) {
        stack->popViewController(true);
    }
}

int VKJYMarketCommodityEditController::numberOfSections(TableView&) {
    return commodityInfoArrayCount();
}

int VKJYMarketCommodityEditController::numberOfRows(TableView&, int section) {
    const auto* rows = getCommodityInfoArrayBySection(section);
    return rows ? static_cast<int>(rows->size()) : 0;
}

std::shared_ptr<TableViewCell> VKJYMarketCommodityEditController::cellForRow(TableView& table,
                                                                             IndexPath indexPath) {
    auto cell = table.dequeueReusableCell<VKJYEditChooseCommodityCell>(
        VKJYEditChooseCommodityCell::kReuseIdentifier);
    if (!cell) {
        cell = std::make_shared<VKJYEditChooseCommodityCell>();
    }
    const auto commodity = commodityAt(indexPath);
    cell->setCommodityInfo(commodity);
    cell->setBeChoose(commodity && isWatched(VKJYWatchList::keyOf(*commodity)));
    return cell;
}

// The header names the panel whose rows follow it.
std::shared_ptr<View> VKJYMarketCommodityEditController::viewForHeader(TableView&, int section) {
    auto header = std::make_shared<View>(Rect{0, 0, 320, kHeaderHeight});
    header->setBackgroundColor(VKJYMarketStyle::listColor());
    const auto sections = VKJYCatalogueSections::sections(m_commodityArray);
    if (section < 0 || static_cast<std::size_t>(section) >= sections.size()) {
        return header;
    }
    const auto& panel = sections[static_cast<std::size_t>(section)];
    const auto names = VKJYMarketContext::directoryNames();
    const std::string exchange =
        VKJYMarketContext::hidesExchangeNames() ? "" : names.exchangeName(panel.market->MarketID);
    header->addSubview(headerLabel({18, 0, 160, 30}, exchange, TextAlignment::Left));
    header->addSubview(headerLabel(
        {140, 0, 160, 30}, names.environmentName(panel.market->MarketID, panel.disk->DiskID),
        TextAlignment::Right));
    return header;
}

void VKJYMarketCommodityEditController::didSelectRow(TableView& table, IndexPath indexPath) {
    table.deselectRow(indexPath, false);
    const auto commodity = commodityAt(indexPath);
    auto* cell = dynamic_cast<VKJYEditChooseCommodityCell*>(table.cellForRow(indexPath));
    if (!commodity || !cell) {
        return;
    }
    const std::string key = VKJYWatchList::keyOf(*commodity);
    if (isWatched(key)) {
        std::erase(m_chooseCommodityIDArray, key);
        return cell->setBeChoose(false);
    }
    if (m_chooseCommodityIDArray.size() >= VKJYWatchList::kLimit) {
        cell->setBeChoose(false);
        return VKJYMarketContext::showNotice(kFullMessage);
    }
    m_chooseCommodityIDArray.push_back(key);
    cell->setBeChoose(true);
}

void VKJYMarketCommodityEditController::scrollViewDidScroll(ScrollView& scrollView) {
    VKJYSectionHeaderInset::follow(scrollView);
}
