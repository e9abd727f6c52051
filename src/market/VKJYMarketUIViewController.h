#pragma once

// The market list, root screen of the first tab ("行情"): the title bar, the watch grid and one
// table section per panel with last prices and changes, refreshed every second; swiping a row
// adds it to or removes it from the watch list; a row or tile opens the quote screen, the
// "增减商品" tile the watch-list editor (both through VKJYMarketScreenFactory); help overlays,
// the busy view, the failure alert, the retry row of a panel whose list was not read and the
// "行情" page view. The data road
// (VKJYMarketDataRoad) builds the catalogue and the quotes; the watch list is
// VKJYWatchList. Owned by the market tab's navigation stack for the life of the tab bar.
// Main thread.

#include <memory>
#include <string>
#include <vector>

#include "market/VKJYMarketDataRoadListener.h"
#include "market/VKJYMarketHeaderViewDelegate.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

class VKJYMarketDataRoad;
class VKJYMarketHeaderView;
class VKJYNavigationBarView;
struct VKJYMarketPanel;
struct YiKouJia;

class VKJYMarketUIViewController : public ViewController,
                                   public TableViewDataSource,
                                   public TableViewDelegate,
                                   public VKJYMarketHeaderViewDelegate,
                                   public VKJYMarketDataRoadListener,
                                   public AlertViewDelegate {
public:
    static constexpr int kFailureAlertTag = 12345;
    static constexpr const char* kPageName = "行情";
    static constexpr const char* kShowHelpKey = "showAddHelpGuide";
    static constexpr const char* kEverLaunchedKey = "everLaunchedd";
    static constexpr const char* kFirstLaunchKey = "firstLaunchd";
    static constexpr const char* kHeldNotification = "setJYResourceDelegate";
    static constexpr double kSectionHeaderHeight = 40;
    static constexpr double kRowHeight = 44;
    static constexpr const char* kUnreadPanelText = "获取数据失败，点击重试";

    VKJYMarketUIViewController();
    ~VKJYMarketUIViewController() override;

    // Makes this screen the root of the market tab.
    static void registerAsMarketRoot();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    VKJYMarketDataRoad& dataRoad() const { return *m_road; }
    TableView* CommodityInfoListTableView() const { return m_table; }
    VKJYMarketHeaderView* headView() const { return m_headView.get(); }
    VKJYNavigationBarView* navView() const { return m_navView; }
    const std::vector<std::shared_ptr<commodityInfo>>& ChooseCommodityArray() const {
        return m_chooseCommodityArray;
    }
    ViewController* marketController() const { return m_marketController.get(); }

    void reloadTableview();
    void initChooseCommodity();
    int commodityInfoArrayCount() const;
    const std::vector<std::shared_ptr<commodityInfo>>* getCommodityInfoArrayBySection(
        int section) const;
    std::shared_ptr<YiKouJia> currentYiKouJia(const commodityInfo& commodity) const;
    // The commodities a logged-in account holds, handed over by the trading store.
    void setTradeCommodityList(std::vector<std::shared_ptr<commodityInfo>> list);

    // Table.
    int numberOfSections(TableView&) override;
    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView&, IndexPath indexPath) override;
    bool canEditRow(TableView&, IndexPath indexPath) override;
    void commitEditingStyle(TableView&, TableViewCellEditingStyle, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView&, IndexPath indexPath) override;
    std::optional<double> heightForHeader(TableView&, int section) override;
    std::shared_ptr<View> viewForHeader(TableView&, int section) override;
    void didSelectRow(TableView&, IndexPath indexPath) override;
    TableViewCellEditingStyle editingStyleForRow(TableView&, IndexPath indexPath) override;
    std::string titleForDeleteConfirmationButton(TableView&, IndexPath indexPath) override;
    void willBeginEditingRow(TableView&, IndexPath indexPath) override;
    void didEndEditingRow(TableView&, IndexPath indexPath) override;
    void scrollViewDidScroll(ScrollView& scrollView) override;

    // Watch grid.
    void ChooseCommodityButtonPressed(VKJYCustomButton& tile) override;
    void AddOrSubChooseCommodity() override;
    void delectedChooseCommodity(const std::shared_ptr<commodityInfo>& commodity) override;

    // Data road.
    void marketRoadBusyChanged(bool busy) override;
    void marketRoadCatalogueAnswered(const VKJYMarketCatalogue& beforeMerge) override;
    void marketRoadCatalogueComplete() override;
    void marketRoadQuotesChanged() override;
    void marketRoadFailed() override;

    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;

private:
    void addNavigationBar();
    void addTable();
    std::shared_ptr<View> sectionHeader(const VKJYMarketPanel& panel) const;
    std::shared_ptr<TableViewCell> tileRow();
    // The one row of a section whose panel list could not be read; a tap builds the list again.
    bool isUnreadPanelRow(IndexPath indexPath) const;
    static std::shared_ptr<TableViewCell> unreadPanelRow();
    std::shared_ptr<commodityInfo> commodityAt(IndexPath indexPath) const;
    std::vector<std::shared_ptr<YiKouJia>> watchQuotes() const;
    void setStartTime(const commodityInfo& commodity);
    bool openChart(const std::shared_ptr<commodityInfo>& commodity);
    void swipeAction(const std::shared_ptr<commodityInfo>& commodity);
    void addFirstLaunchDefaults(const VKJYMarketCatalogue& catalogue);
    void addHeldCommodities();
    void showToast(const std::string& text);
    void showNotice(const std::string& message);
    void showHelpOverlays();
    void showHelpOverlay(const std::string& imageName, const std::string& caption, bool last);
    void leaveEditingMode();
    VKJYWatchList watchList() const;

    std::shared_ptr<VKJYMarketDataRoad> m_road;
    VKJYNavigationBarView* m_navView = nullptr;
    TableView* m_table = nullptr;
    std::shared_ptr<VKJYMarketHeaderView> m_headView;
    std::vector<std::shared_ptr<commodityInfo>> m_chooseCommodityArray;
    std::vector<std::shared_ptr<commodityInfo>> m_tradeCommodityList;
    WeakLink<View> m_helpOverlay;
    WeakLink<AlertView> m_failureAlert;
    WeakLink<ViewController> m_marketController;
};
