#pragma once

// "订单查询": the customer's orders as the trading server lists them ("my_order_query", the
// whole list in one request), one order's record in a panel that slides in from the right, and
// the withdrawal of an order still open (status 1 placed or 4 partly filled): "order_list_wd"
// for an order-book commodity, else "order_wd", then the list is queried again. One withdrawal
// at a time: the button stays disabled until its reply. A query asked again voids the one
// before it: only the latest one's answer or failure counts. The menu pushes the screen and
// starts the first query. Shown again after another logon, it forgets the rows and the order in
// its panel and queries for the account now logged in. Owned by the trade tab's navigation
// stack. Main thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/AlertView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class PXJYWeiTuoListView;

class PXJYZJWeiTuoViewController : public ViewController,
                                   public VKJYNavigationBarViewDelegate,
                                   public TableViewDataSource,
                                   public TableViewDelegate,
                                   public AlertViewDelegate,
                                   public PXTradeNetworkMangerDelegate {
public:
    static constexpr const char* kQueryTag = "PXweiTuoChaXun";
    static constexpr const char* kCancelTag = "PXCancelWeiTuoDan";
    static constexpr const char* kNoOrders = "您没有交易过,我们查不到";

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void zhiJiaCheck();
    void setDetailViewValue(const JYDict& record);
    void addDetailView();
    void removeDetailView();
    void CXZhiJiaDanButtonAction();
    // True for the statuses an order can still be withdrawn in.
    static bool canWithdraw(const JYDict& record);

    const std::vector<JYDict>& dataList() const { return m_dataList; }
    TableView* tableView() const { return m_tableView; }
    View* detailView() const { return m_detailView; }
    PXJYWeiTuoListView* showListView() const { return m_showListView; }
    Button* withdrawButton() const { return m_withdrawButton; }
    const std::optional<std::string>& danHaoID() const { return m_danHaoID; }

    void VKJYNavBackAction() override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    // The success alert: "确定" parks the panel and queries again.
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void setDetailView();
    std::unique_ptr<View> getCellJYView(int row) const;
    void withdrawalEnded();
    // Ends the withdrawal or the query the reply answers. False for a query a newer one has
    // voided: its failure tells nothing.
    bool requestEnded(const PXTradeNetworkManger& reply);
    void forgetAccount();

    std::vector<JYDict> m_dataList;
    // The record the panel shows, for the withdraw button's state after a failed withdrawal.
    JYDict m_shown;
    std::optional<std::string> m_danHaoID;
    std::string m_commodityCode;
    bool m_withdrawing = false;
    // The latest order query; a newer one voids an older one's answer or failure.
    PXTradeOrderGate m_query;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, [this] { zhiJiaCheck(); }};
    TableView* m_tableView = nullptr;
    View* m_detailView = nullptr;
    PXJYWeiTuoListView* m_showListView = nullptr;
    Button* m_withdrawButton = nullptr;
};
