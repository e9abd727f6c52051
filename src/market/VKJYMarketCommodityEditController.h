#pragma once

// The watch-list editor ("编辑自选"): every commodity of the catalogue, one section per panel in
// its own right, a tick at each watched one. A tap adds or removes the commodity (nothing is
// added to a full list); leaving by the back button writes the edited list whole to the watch
// file, which the market list reads again when it shows. Pushed by the market list, owned by
// its navigation stack. Main thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"

class VKJYNavigationBarView;
struct MarketItem;
struct commodityInfo;

class VKJYMarketCommodityEditController : public ViewController,
                                          public TableViewDataSource,
                                          public TableViewDelegate,
                                          public VKJYNavigationBarViewDelegate {
public:
    static constexpr const char* kTitle = "编辑自选";
    static constexpr const char* kFullMessage = "商品个数已达上限";
    static constexpr double kHeaderHeight = 30;

    // Edits the watch list's keys in place: a key whose commodity is not listed now stays.
    VKJYMarketCommodityEditController(std::vector<std::shared_ptr<MarketItem>> commodityArray,
                                      std::vector<std::string> chooseCommodityIDArray);

    static void registerScreen();

    void loadView() override;
    void viewDidLoad() override;

    const std::vector<std::string>& chooseCommodityIDArray() const {
        return m_chooseCommodityIDArray;
    }
    TableView* CommodityTableview() const { return m_table; }
    VKJYNavigationBarView* navView() const { return m_navView; }
    int commodityInfoArrayCount() const;
    const std::vector<std::shared_ptr<commodityInfo>>* getCommodityInfoArrayBySection(
        int section) const;

    void VKJYNavBackAction() override;

    int numberOfSections(TableView&) override;
    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView&, IndexPath indexPath) override;
    std::shared_ptr<View> viewForHeader(TableView&, int section) override;
    std::optional<double> heightForHeader(TableView&, int) override { return kHeaderHeight; }
    std::optional<double> heightForRow(TableView&, IndexPath) override { return 44; }
    void didSelectRow(TableView&, IndexPath indexPath) override;
    void scrollViewDidScroll(ScrollView& scrollView) override;

private:
    std::shared_ptr<commodityInfo> commodityAt(IndexPath indexPath) const;
    bool isWatched(const std::string& key) const;

    std::vector<std::shared_ptr<MarketItem>> m_commodityArray;
    std::vector<std::string> m_chooseCommodityIDArray;
    VKJYNavigationBarView* m_navView = nullptr;
    TableView* m_table = nullptr;
};
