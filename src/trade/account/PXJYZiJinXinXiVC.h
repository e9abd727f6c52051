#pragma once

// "市场资金信息": the funds of the trading account and of each linked bank account as the
// server reports them ("money_marketfundsinfo_query"): one section for the trading account
// (the reply's first record) and one per bank account (every later record), each row a label
// and the value as sent. Fetched anew each time the screen is shown, after another logon with
// the account before's figures gone meanwhile; read only. Owned by the trade tab's navigation
// stack; main thread.

#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"

class PXJYZiJinXinXiVC : public ViewController,
                         public PXTradeNetworkMangerDelegate,
                         public VKJYNavigationBarViewDelegate,
                         public TableViewDataSource,
                         public TableViewDelegate {
public:
    static constexpr const char* kClassName = "PXJYZiJinXinXiVC";

    PXJYZiJinXinXiVC();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void getMarketfundsinfo();
    TableView* tableView() const { return m_table; }
    const std::vector<JYDict>& MarketFundInformationArray() const { return m_records; }

    int numberOfSections(TableView&) override;
    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView&, IndexPath) override { return 45; }
    std::optional<double> heightForHeader(TableView&, int) override { return 25; }
    std::shared_ptr<View> viewForHeader(TableView&, int section) override;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void VKJYNavBackAction() override;

private:
    void forgetAccount();

    TableView* m_table = nullptr;
    std::vector<JYDict> m_records;
    PXTradeBusyOverlay m_busy;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }};
};
