#include "market/VKJYMarketUIViewController.h"

#include <cstdlib>

#include "analytics/TallyStat.h"
#include "market/VKJYCommodityCell.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketActivityView.h"
#include "market/VKJYMarketContext.h"
#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketHeaderView.h"
#include "market/VKJYMarketHelpOverlay.h"
#include "market/VKJYMarketScreenFactory.h"
#include "market/VKJYMarketStyle.h"
#include "market/VKJYSectionHeaderInset.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"
#include "quote/HQJYEntity.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/UIShiPeiClass.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYBrandStyle.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYHangQingUrlHelper.h"
#include "shell/VKJYMarketDirectoryNames.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "shell/VKJYTabRootFactory.h"
#include "shell/VKJYTradeHost.h"
#include "widgets/GlossAlertView.h"

namespace {
constexpr double kToastFade = 0.2;
const Rect kToastFrame{100, 180, 120, 40};

VKJYAppDelegate* app() {
    return VKJYAppDelegate::shared();
}

std::shared_ptr<VKJYHangQingDataClass> sharedState() {
    return VKJYHangQingDataClass::current();
}

void setCanRefresh(bool canRefresh) {
    if (auto state = sharedState()) {
        state->setCanRefreshYiKouJia(canRefresh);
    }
}

bool canRefresh() {
    auto state = sharedState();
    return !state || state->canRefreshYiKouJia();
}

std::vector<int> quoteServers() {
    std::vector<int> servers;
    if (app() && app()->hqUrlHelper()) {
        for (const auto& plate : app()->hqUrlHelper()->housePlateAry()) {
            servers.push_back(plate.hpIndex);
        }
    }
    return servers;
}

std::unique_ptr<Label> headerLabel(const Rect& frame, const std::string& text, double size,
                                   TextAlignment alignment) {
    auto label = std::make_unique<Label>(frame, text);
    label->setFont(Font::system(size));
    label->setTextColor(Color::whiteColor());
    label->setTextAlignment(alignment);
    label->setBackgroundColor(Color::clearColor());
    return label;
}
}  // namespace

VKJYMarketUIViewController::VKJYMarketUIViewController() {
    setTitle(kPageName);
    m_road = std::make_shared<VKJYMarketDataRoad>(VKJYMarketDataRoad::Setup{
        sharedState(), quoteServers, [](int16_t market, int16_t disk) {
            return VKJYMarketContext::directoryNames().environmentTag(market, disk);
        }});
    m_road->setListener(this);
}

VKJYMarketUIViewController::~VKJYMarketUIViewController() {
    m_road->setListener(nullptr);
    if (AlertView* alert = m_failureAlert.get()) {
        alert->setDelegate(nullptr);
    }
    if (View* overlay = m_helpOverlay.get()) {
        overlay->removeFromSuperview();
    }
    VKJYTradeHost::setCommodityListReceiver(nullptr);
    NotificationCenter::defaultCenter().removeObserver(this);
}

void VKJYMarketUIViewController::registerAsMarketRoot() {
    VKJYTabRootFactory::setMarketRootMaker(
        [] { return std::make_unique<VKJYMarketUIViewController>(); });
}

VKJYWatchList VKJYMarketUIViewController::watchList() const {
    static std::vector<std::string> detached;
    auto state = sharedState();
    return VKJYWatchList(state ? state->HQChooseCommodityIDArray() : detached);
}

void VKJYMarketUIViewController::loadView() {
    const Rect area = VKJYMarketContext::appViewRect();
    auto root = std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height});
    root->setBackgroundColor(VKJYMarketStyle::listColor());
    setView(root);
    addNavigationBar();
    addTable();
}

void VKJYMarketUIViewController::addNavigationBar() {
    const Rect area = VKJYMarketContext::appViewRect();
    auto bar = std::make_unique<VKJYNavigationBarView>(
        Rect{area.x, area.y, area.width, VKJYNavigationBarView::kHeight});
    bar->setBackgroundColor(VKJYBrandStyle::forAppName(app() ? app()->vkAppName() : "").barColor);
    bar->title()->setText("行情中心");
    bar->menuButton()->setAlpha(0);
    bar->menuImageview()->setAlpha(0);
    bar->backButton()->setAlpha(0);
    bar->backImageview()->setAlpha(0);
    m_navView = view()->addSubview(std::move(bar));
}

void VKJYMarketUIViewController::addTable() {
    const Rect area = VKJYMarketContext::appViewRect();
    const Rect bar = m_navView->frame();
    auto table = std::make_unique<TableView>(
        Rect{0, bar.y + bar.height, bar.width,
             area.height - VKJYNavigationBarView::kHeight - TabBar::kHeight});
    table->setDataSource(this);
    table->setDelegate(this);
    table->setSeparatorStyle(TableView::SeparatorStyle::None);
    table->setShowsVerticalScrollIndicator(false);
    table->setBackgroundColor(VKJYMarketStyle::listColor());
    table->setHidden(true);
    m_table = view()->addSubview(std::move(table));
}

void VKJYMarketUIViewController::viewDidLoad() {
    if (auto state = sharedState()) {
        state->setHqjyEntity(std::make_shared<HQJYEntity>());
    }
    WeakLink<ViewController> self(this);
    VKJYTradeHost::setCommodityListReceiver(
        [self](const void* marketList, const std::vector<std::shared_ptr<commodityInfo>>& list) {
            auto* screen = static_cast<VKJYMarketUIViewController*>(self.get());
            if (screen && marketList == static_cast<const void*>(screen)) {
                screen->setTradeCommodityList(list);
            }
        });
    m_road->start();
}

void VKJYMarketUIViewController::viewWillAppear(bool) {
    auto& defaults = UserDefaults::standardUserDefaults();
    // Nothing else sets the key: a first appearance shows the help once.
    if (!defaults.contains(kShowHelpKey) || defaults.boolForKey(kShowHelpKey)) {
        defaults.setBool(false, kShowHelpKey);
        showHelpOverlays();
    }
    if (app() && app()->tradeLogin()) {
        addHeldCommodities();
    }
    TallyStat::beginLogPageView(kPageName);
    reloadTableview();
}

// A swipe button left open pauses the list's redraw, and delete mode marks a tile; both are of
// a list on show only.
void VKJYMarketUIViewController::viewWillDisappear(bool) {
    TallyStat::endLogPageView(kPageName);
    m_table->endRowEditing();
    VKJYCustomButton::endDeleteMode();
    setCanRefresh(true);
}

void VKJYMarketUIViewController::reloadTableview() {
    initChooseCommodity();
    m_table->reloadData();
    m_road->requestJYTime();
    m_road->refrashYiKouJia();
}

void VKJYMarketUIViewController::initChooseCommodity() {
    VKJYWatchList list = watchList();
    list.reload();
    m_chooseCommodityArray.clear();
    for (const auto& panel : m_road->catalogue().sections()) {
        for (const auto& commodity : panel.disk->commodityInfoArray) {
            const std::string key = VKJYWatchList::keyOf(*commodity);
            for (const auto& listed : list.keys()) {
                if (listed == key) {
                    m_chooseCommodityArray.push_back(commodity);
                }
            }
        }
    }
    auto header = std::make_shared<VKJYMarketHeaderView>(m_chooseCommodityArray);
    header->setDelegate(this);
    m_headView = header;
}

int VKJYMarketUIViewController::commodityInfoArrayCount() const {
    return static_cast<int>(m_road->catalogue().sections().size());
}

const std::vector<std::shared_ptr<commodityInfo>>*
VKJYMarketUIViewController::getCommodityInfoArrayBySection(int section) const {
    const auto& sections = m_road->catalogue().sections();
    if (section < 0 || section >= static_cast<int>(sections.size())) {
        return nullptr;
    }
    return &sections[static_cast<std::size_t>(section)].disk->commodityInfoArray;
}

std::shared_ptr<YiKouJia> VKJYMarketUIViewController::currentYiKouJia(
    const commodityInfo& commodity) const {
    return m_road->catalogue().currentYiKouJia(commodity);
}

// The tiles need only the quotes of the watched commodities, not the whole table.
std::vector<std::shared_ptr<YiKouJia>> VKJYMarketUIViewController::watchQuotes() const {
    std::vector<std::shared_ptr<YiKouJia>> quotes;
    for (const auto& commodity : m_chooseCommodityArray) {
        if (auto quote = currentYiKouJia(*commodity)) {
            quotes.push_back(quote);
        }
    }
    return quotes;
}

std::shared_ptr<commodityInfo> VKJYMarketUIViewController::commodityAt(IndexPath indexPath) const {
    const auto* list = getCommodityInfoArrayBySection(indexPath.section - 1);
    if (!list || indexPath.row < 0 || indexPath.row >= static_cast<int>(list->size())) {
        return nullptr;
    }
    return (*list)[static_cast<std::size_t>(indexPath.row)];
}

int VKJYMarketUIViewController::numberOfSections(TableView&) {
    return commodityInfoArrayCount() + 1;
}

int VKJYMarketUIViewController::numberOfRows(TableView&, int section) {
    if (section == 0) {
        return 1;
    }
    const auto* list = getCommodityInfoArrayBySection(section - 1);
    const int rows = list ? static_cast<int>(list->size()) : 0;
    // A panel that lists nothing because its list was not read is no empty panel.
    return rows == 0 && m_road->lacksPanels() ? 1 : rows;
}

bool VKJYMarketUIViewController::isUnreadPanelRow(IndexPath indexPath) const {
    if (indexPath.section == 0 || !m_road->lacksPanels()) {
        return false;
    }
    const auto* list = getCommodityInfoArrayBySection(indexPath.section - 1);
    return !list || list->empty();
}

std::shared_ptr<TableViewCell> VKJYMarketUIViewController::unreadPanelRow() {
    auto cell = std::make_shared<TableViewCell>();
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    cell->setBackgroundColor(VKJYMarketStyle::listColor());
    auto label = headerLabel({0, 0, 320, kRowHeight}, kUnreadPanelText, 14, TextAlignment::Center);
    label->setTextColor(Color::white(0.6));
    cell->contentView()->addSubview(std::move(label));
    return cell;
}

std::optional<double> VKJYMarketUIViewController::heightForRow(TableView&, IndexPath indexPath) {
    if (indexPath.section == 0) {
        return VKJYMarketHeaderView::heightFor(m_chooseCommodityArray.size());
    }
    return kRowHeight;
}

std::optional<double> VKJYMarketUIViewController::heightForHeader(TableView&, int section) {
    return section == 0 ? 0 : kSectionHeaderHeight;
}

std::shared_ptr<View> VKJYMarketUIViewController::viewForHeader(TableView&, int section) {
    const auto& sections = m_road->catalogue().sections();
    if (section == 0 || section > static_cast<int>(sections.size())) {
        return nullptr;
    }
    return sectionHeader(sections[static_cast<std::size_t>(section - 1)]);
}

std::shared_ptr<View> VKJYMarketUIViewController::sectionHeader(
    const VKJYMarketPanel& panel) const {
    auto header = std::make_shared<View>(Rect{0, 0, 320, kSectionHeaderHeight});
    // The picture is taller than the header; the rows below stay uncovered.
    header->setClipsToBounds(true);
    header->addSubview(
        std::make_unique<ImageView>(Rect{0, 0, 320, 50}, Image::named("left_blue_bgs@2x.png")));
    const VKJYMarketDirectoryNames names = VKJYMarketContext::directoryNames();
    const bool hideExchange = VKJYMarketContext::hidesExchangeNames();
    const std::string exchange = hideExchange ? "" : names.exchangeName(panel.market->MarketID);
    header->addSubview(headerLabel({18, 0, 200, 15}, exchange, 12, TextAlignment::Left));
    header->addSubview(headerLabel({5, 15, 82, 30}, "商品名称", 14, TextAlignment::Left));
    header->addSubview(headerLabel({170, 15, 75, 30}, "最新价", 14, TextAlignment::Right));
    header->addSubview(headerLabel({235, 15, 75, 30}, "涨幅", 14, TextAlignment::Right));
    header->addSubview(headerLabel(
        {210, 0, 100, 15}, names.environmentName(panel.market->MarketID, panel.disk->DiskID), 12,
        TextAlignment::Right));
    return header;
}

std::shared_ptr<TableViewCell> VKJYMarketUIViewController::tileRow() {
    auto cell = std::make_shared<TableViewCell>();
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    cell->setBackgroundColor(VKJYMarketStyle::listColor());
    if (m_road->catalogue().commodityCount() > 0) {
        m_headView->setYikoujiaArray(watchQuotes());
    }
    cell->contentView()->addSubview(m_headView);
    return cell;
}

std::shared_ptr<TableViewCell> VKJYMarketUIViewController::cellForRow(TableView& table,
                                                                      IndexPath indexPath) {
    if (indexPath.section == 0) {
        return tileRow();
    }
    if (isUnreadPanelRow(indexPath)) {
        return unreadPanelRow();
    }
    const auto commodity = commodityAt(indexPath);
    auto cell = table.dequeueReusableCell<VKJYCommodityCell>(VKJYCommodityCell::kReuseIdentifier);
    if (!cell) {
        cell = std::make_shared<VKJYCommodityCell>(commodity);
    }
    const auto state = sharedState();
    cell->setSelectionStyle(state && state->delectedCommodityButton()
                                ? TableViewCell::SelectionStyle::None
                                : TableViewCell::SelectionStyle::Blue);
    cell->setCommodityInfo(commodity, commodity ? currentYiKouJia(*commodity) : nullptr);
    return cell;
}

void VKJYMarketUIViewController::didSelectRow(TableView& table, IndexPath indexPath) {
    const auto state = sharedState();
    if (state && state->delectedCommodityButton()) {
        VKJYCustomButton::endDeleteMode();
        setCanRefresh(true);
        table.selectRow({0, 0}, false, TableViewScrollPosition::Bottom);
        return;
    }
    if (isUnreadPanelRow(indexPath)) {
        m_road->retry();
        return;
    }
    const auto commodity = indexPath.section > 0 ? commodityAt(indexPath) : nullptr;
    if (!commodity) {
        return;
    }
    setStartTime(*commodity);
    if (!m_road->isTimeEnd() || !openChart(commodity)) {
        table.deselectRow(indexPath, false);
    }
}

// The start stays an instant: the chart reads it in the exchange's zone.
void VKJYMarketUIViewController::setStartTime(const commodityInfo& commodity) {
    if (auto state = sharedState()) {
        state->selectTradingStartOf(commodity);
    }
}

bool VKJYMarketUIViewController::openChart(const std::shared_ptr<commodityInfo>& commodity) {
    VKJYMarketScreenArgs args;
    args.commodityArray = m_road->catalogue().items();
    args.commodity = commodity;
    args.yikoujia = currentYiKouJia(*commodity);
    auto screen =
        VKJYMarketScreenFactory::create(VKJYMarketScreenFactory::kMarketChartController, args);
    if (!screen || !navigationController()) {
        return false;
    }
    screen->setHidesBottomBarWhenPushed(true);
    m_marketController = navigationController()->pushViewController(std::move(screen), true);
    return true;
}

TableViewCellEditingStyle VKJYMarketUIViewController::editingStyleForRow(TableView&,
                                                                         IndexPath indexPath) {
    return indexPath.section == 0 ? TableViewCellEditingStyle::None
                                  : TableViewCellEditingStyle::Delete;
}

bool VKJYMarketUIViewController::canEditRow(TableView&, IndexPath indexPath) {
    return indexPath.section > 0 && !isUnreadPanelRow(indexPath);
}

std::string VKJYMarketUIViewController::titleForDeleteConfirmationButton(TableView&,
                                                                         IndexPath indexPath) {
    const auto commodity = commodityAt(indexPath);
    const bool listed = commodity && watchList().contains(VKJYWatchList::keyOf(*commodity));
    return listed ? "删除" : "添加";
}

void VKJYMarketUIViewController::willBeginEditingRow(TableView&, IndexPath) {
    setCanRefresh(false);
    VKJYCustomButton::endDeleteMode();
}

void VKJYMarketUIViewController::didEndEditingRow(TableView&, IndexPath) {
    setCanRefresh(true);
}

void VKJYMarketUIViewController::scrollViewDidScroll(ScrollView& scrollView) {
    VKJYSectionHeaderInset::follow(scrollView);
}

void VKJYMarketUIViewController::commitEditingStyle(TableView& table, TableViewCellEditingStyle,
                                                    IndexPath indexPath) {
    const auto* cell = dynamic_cast<VKJYCommodityCell*>(table.cellForRow(indexPath));
    const auto commodity = cell ? cell->comInfo() : commodityAt(indexPath);
    if (commodity) {
        swipeAction(commodity);
    }
}

void VKJYMarketUIViewController::swipeAction(const std::shared_ptr<commodityInfo>& commodity) {
    VKJYWatchList list = watchList();
    const std::string key = VKJYWatchList::keyOf(*commodity);
    if (list.contains(key)) {
        if (list.remove(key)) {
            showToast("该商品已删除");
        }
    } else {
        switch (list.add(key)) {
            case VKJYWatchList::AddResult::Added:
                showToast("添加成功");
                break;
            case VKJYWatchList::AddResult::Full:
                showNotice("商品个数已达上限");
                break;
            case VKJYWatchList::AddResult::AlreadyListed:
            case VKJYWatchList::AddResult::NotSaved:
                break;
        }
    }
    setCanRefresh(true);
    reloadTableview();
}

void VKJYMarketUIViewController::leaveEditingMode() {
    setCanRefresh(true);
    m_table->reloadData();
}

void VKJYMarketUIViewController::ChooseCommodityButtonPressed(VKJYCustomButton& tile) {
    if (!canRefresh()) {
        return leaveEditingMode();
    }
    if (!m_road->isTimeEnd() || !tile.CommodityInfo()) {
        return;
    }
    setStartTime(*tile.CommodityInfo());
    openChart(tile.CommodityInfo());
}

void VKJYMarketUIViewController::AddOrSubChooseCommodity() {
    if (!canRefresh()) {
        return leaveEditingMode();
    }
    VKJYMarketScreenArgs args;
    args.commodityArray = m_road->catalogue().items();
    VKJYWatchList list = watchList();
    list.reload();
    args.chooseCommodityIDArray = list.keys();
    auto editor =
        VKJYMarketScreenFactory::create(VKJYMarketScreenFactory::kCommodityEditController, args);
    if (!editor || !navigationController()) {
        return;
    }
    editor->setHidesBottomBarWhenPushed(true);
    navigationController()->pushViewController(std::move(editor), true);
}

void VKJYMarketUIViewController::delectedChooseCommodity(
    const std::shared_ptr<commodityInfo>& commodity) {
    VKJYWatchList list = watchList();
    if (commodity && list.remove(VKJYWatchList::keyOf(*commodity))) {
        showToast("删除成功");
        setCanRefresh(true);
    }
    reloadTableview();
}

void VKJYMarketUIViewController::setTradeCommodityList(
    std::vector<std::shared_ptr<commodityInfo>> list) {
    m_tradeCommodityList = std::move(list);
}

// Held commodities join the watch list past the limit that a user's own add meets.
void VKJYMarketUIViewController::addHeldCommodities() {
    m_tradeCommodityList.clear();
    NotificationCenter::defaultCenter().post(kHeldNotification, static_cast<const void*>(this));
    VKJYWatchList list = watchList();
    list.reload();
    bool added = false;
    for (const auto& commodity : m_tradeCommodityList) {
        if (commodity && list.add(VKJYWatchList::keyOf(*commodity), VKJYWatchList::Limit::Lifted) ==
                             VKJYWatchList::AddResult::Added) {
            added = true;
        }
    }
    if (added) {
        showNotice("持牌商品加入行情中心");
    }
}

void VKJYMarketUIViewController::addFirstLaunchDefaults(const VKJYMarketCatalogue& catalogue) {
    auto& defaults = UserDefaults::standardUserDefaults();
    if (!defaults.contains(kEverLaunchedKey)) {
        defaults.setBool(true, kEverLaunchedKey);
        defaults.setBool(true, kFirstLaunchKey);
    }
    if (!defaults.boolForKey(kFirstLaunchKey)) {
        return;
    }
    const auto model = app() ? app()->directoryServerModel() : nullptr;
    if (model && model->ywsys()) {
        VKJYWatchList list = watchList();
        list.reload();
        for (const auto& entry : model->ywsys()->cmmds) {
            if (!entry.jysCode) {
                continue;
            }
            const auto found =
                catalogue.findCommodity(std::atoi(entry.jysCode->c_str()),
                                        std::atoi(entry.envCode.c_str()), entry.cmmdCode);
            if (found && !list.contains(VKJYWatchList::keyOf(*found))) {
                list.add(VKJYWatchList::keyOf(*found), VKJYWatchList::Limit::Lifted);
            }
        }
    }
    // A panel not read may hold a default entry: the next build looks for it again.
    if (!m_road->lacksPanels()) {
        defaults.setBool(false, kFirstLaunchKey);
    }
}

void VKJYMarketUIViewController::marketRoadBusyChanged(bool busy) {
    if (!busy) {
        VKJYMarketActivityView::removeFrom(*view());
        return;
    }
    if (!view()->viewWithTag(VKJYMarketActivityView::kTag)) {
        view()->addSubview(std::make_unique<VKJYMarketActivityView>(m_table->frame()));
    }
}

void VKJYMarketUIViewController::marketRoadCatalogueAnswered(
    const VKJYMarketCatalogue& beforeMerge) {
    addFirstLaunchDefaults(beforeMerge);
}

void VKJYMarketUIViewController::marketRoadCatalogueComplete() {
    m_table->setHidden(false);
    if (View* overlay = m_helpOverlay.get()) {
        overlay->setMultipleTouchEnabled(true);
    }
    reloadTableview();
}

void VKJYMarketUIViewController::marketRoadQuotesChanged() {
    if (m_table->isHidden() || !canRefresh()) {
        return;
    }
    VKJYCommodityCell::refreshVisibleRows(*m_table, m_road->catalogue());
    if (m_headView) {
        m_headView->setYikoujiaArray(watchQuotes());
    }
}

void VKJYMarketUIViewController::marketRoadFailed() {
    auto alert = std::make_unique<GlossAlertView>("提示", "获取数据失败", this, "重试",
                                                  std::vector<std::string>{"退出"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    alert->setTag(kFailureAlertTag);
    m_failureAlert = AlertView::show(std::move(alert));
}

void VKJYMarketUIViewController::alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) {
    if (alert.tag() != kFailureAlertTag) {
        return;
    }
    if (buttonIndex == 0) {
        m_road->retry();
        return;
    }
    if (auto* application = Application::shared()) {
        application->terminate(0);
    }
}

void VKJYMarketUIViewController::touchesEnded(const TouchSet& touches, const Event& event) {
    if (!touches.empty() && touches.front()->view() == view()) {
        m_road->startIfIdle();
        return;
    }
    ViewController::touchesEnded(touches, event);
}

// Each toast is a label of its own: a second one is not hidden by the first one's fade-out.
void VKJYMarketUIViewController::showToast(const std::string& text) {
    auto toast = std::make_unique<Label>(kToastFrame, text);
    toast->setAlpha(0);
    toast->setBackgroundColor(Color::blackColor());
    toast->setTextColor(Color::whiteColor());
    toast->setTextAlignment(TextAlignment::Center);
    toast->setUserInteractionEnabled(false);
    VKJYMarketContext::fadeInAndOut(view()->addSubview(std::move(toast)), kToastFade);
}

void VKJYMarketUIViewController::showNotice(const std::string& message) {
    VKJYMarketContext::showNotice(message);
}

void VKJYMarketUIViewController::showHelpOverlays() {
    showHelpOverlay("push.png", "向左滑动商品，加入或移出自选", false);
}

void VKJYMarketUIViewController::showHelpOverlay(const std::string& imageName,
                                                 const std::string& caption, bool last) {
    Window* window = app() ? app()->window() : nullptr;
    if (!window) {
        return;
    }
    const Rect area = VKJYMarketContext::appViewRect();
    WeakLink<ViewController> self(this);
    auto overlay = std::make_unique<VKJYMarketHelpOverlay>(
        Rect{0, 0, area.width, area.height + area.y}, imageName, caption, [self, last] {
            auto* screen = static_cast<VKJYMarketUIViewController*>(self.get());
            if (!screen) {
                return;
            }
            if (View* shown = screen->m_helpOverlay.get()) {
                shown->removeFromSuperview();
            }
            if (!last) {
                screen->showHelpOverlay("longpress.png", "长按自选商品，可删除", true);
            }
        });
    overlay->setMultipleTouchEnabled(!m_road->catalogue().empty());
    m_helpOverlay = window->addSubview(std::move(overlay));
}
