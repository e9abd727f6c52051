#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "chart/HQMarketWMContent.h"
#include "platform/ui/TableView.h"
#include "platform/ui/View.h"

class Button;
struct MarketItem;
struct YiKouJia;
struct commodityInfo;

// The narrow side panel of the time-sharing chart: the five-level book ("五档": asks above,
// bids below) and the ten newest trades ("明细"), switched by two buttons for a commodity in
// order-book mode (4); every other mode shows only the trades. Makes no requests: the quote
// screen hands it each live quote of the commodity on show. Made, placed and rebuilt by the
// chart manager, owned by the time-sharing view it sits in. Main thread only.
class HQMarketWMManager : public View, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr int kWuDangShown = 1001;
    static constexpr int kMingXiShown = 1002;
    static constexpr int kSellTableTag = 1003;
    static constexpr int kBuyTableTag = 1004;
    static constexpr int kOrderBookMode = 4;
    static constexpr double kButtonHeight = 30;
    static constexpr double kPanelWidth = 100;

    // Kept as given; the panel reads none of them. No views until setupViews.
    HQMarketWMManager(std::vector<std::shared_ptr<MarketItem>> commodityInfoArray,
                      std::shared_ptr<commodityInfo> selectedCommodityInfo, uint32_t stateOfScreen,
                      uint32_t device);

    void setupViews(int tradingMode);
    // Builds the views again for another mode or size and shows what was shown.
    void recreateViews(int tradingMode);
    void refreshAllTableView(const std::shared_ptr<YiKouJia>& quote);
    // Another commodity is on show: no book and no trade of it until its first quote.
    void forgetQuotes(const commodityInfo& commodity);
    void wuDangButtonClick();
    void mingXiButtonClick();

    int currentSwitchType() const { return m_currentSwitchType; }
    const HQMarketWMContent& content() const { return m_content; }
    View* wuDangUIView() const { return m_wuDangUIView; }
    View* mingXiUIView() const { return m_mingXiUIView; }
    TableView* wuDangSellTableView() const { return m_wuDangSellTableView; }
    TableView* wuDangBuyTableView() const { return m_wuDangBuyTableView; }
    TableView* mingXiTableView() const { return m_mingXiTableView; }
    Button* wuDangButton() const { return m_wuDangButton; }
    Button* mingXiButton() const { return m_mingXiButton; }

    // Tables.
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;

private:
    void addSwitchButton();
    void addMingXIButton();
    void addWuDangMingXiViews();
    void setupWuDangView();
    void setupMingXiView();
    Button* addButton(const Rect& frame, const std::string& title, const Color& color,
                      void (HQMarketWMManager::*action)());
    TableView* addTable(View& parent, const Rect& frame, int tag);
    void show(int switchType);
    void reloadTables();
    std::shared_ptr<TableViewCell> bookCell(TableView& table, int row);
    std::shared_ptr<TableViewCell> tradeCell(TableView& table, int row);

    std::vector<std::shared_ptr<MarketItem>> m_commodityInfoArray;
    std::shared_ptr<commodityInfo> m_selectedCommodityInfo;
    uint32_t m_stateOfScreen = 0;
    uint32_t m_device = 0;
    HQMarketWMContent m_content;
    int m_currentSwitchType = kMingXiShown;
    View* m_wuDangUIView = nullptr;
    View* m_mingXiUIView = nullptr;
    TableView* m_wuDangSellTableView = nullptr;
    TableView* m_wuDangBuyTableView = nullptr;
    TableView* m_mingXiTableView = nullptr;
    Button* m_wuDangButton = nullptr;
    Button* m_mingXiButton = nullptr;
    int m_builtMode = -1;
    Size m_builtSize;
};
