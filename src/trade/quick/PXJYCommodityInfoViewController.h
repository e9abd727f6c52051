#pragma once
// The commodity rules screen ("商品信息"): every commodity the logged-in account may trade, by
// name in the order of their codes; a tap slides in the panel with that commodity's rules. It
// reads the commodity parameters the login left in the trading store and sends no request;
// shown again after another logon, it lists that account's and the rules panel goes.
// Opened from the trade home's function menu; owned by the navigation controller. Main thread.

#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeShownAccount.h"

class PXJYCommodityDetailView;
class VKJYNavigationBarView;

class PXJYCommodityInfoViewController : public ViewController,
                                        public TableViewDataSource,
                                        public TableViewDelegate,
                                        public VKJYNavigationBarViewDelegate {
public:
    static constexpr double kRowHeight = 40;

    PXJYCommodityInfoViewController();

    void loadView() override;
    void viewWillAppear(bool animated) override;

    void addCommodityInfoView();
    void VKJYNavBackAction() override;

    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

    TableView* tableView() const { return m_table; }
    PXJYCommodityDetailView* commodityDetailView() const { return m_detailView; }
    const std::vector<std::string>& commodityCodes() const { return m_codes; }

private:
    void parkDetail();

    TableView* m_table = nullptr;
    PXJYCommodityDetailView* m_detailView = nullptr;
    std::vector<std::string> m_codes;
    PXTradeShownAccount m_shownAccount{[this] { parkDetail(); }};
};
