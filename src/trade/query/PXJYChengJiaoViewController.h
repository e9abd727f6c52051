#pragma once

// "成交查询": the deal query. A form of three filters (commodity, delisting or transfer, side)
// served by one drop-down list, and the query button; the deal list slides in over the form with
// the first page and grows by a page each time the customer pulls past its end ("tradequery"
// with "start_num" the number of the next deal). Shown again after another logon, it forgets the
// deals, the paging and a commodity the account does not trade, and lists the deals of the
// account now logged in if a list was on show. Pushed by the query menu; owned by the trade
// tab's navigation stack. Main thread.

#include <memory>
#include <string>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/query/PXJYChengJiaoFilter.h"
#include "trade/query/PXJYChengJiaoListViewDelegate.h"

class Button;
class PXJYChengJiaoDetailView;
class PXJYChengJiaoListView;

class PXJYChengJiaoViewController : public ViewController,
                                    public VKJYNavigationBarViewDelegate,
                                    public TableViewDataSource,
                                    public TableViewDelegate,
                                    public PXJYChengJiaoListViewDelegate,
                                    public PXTradeNetworkMangerDelegate {
public:
    static constexpr const char* kQueryTag = "PXChengJiaoChaXun";
    static constexpr const char* kNoRecord = "没有查询到记录";

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void changeCommodityBAction();
    void jianPingCangBAction();
    void buySellBAction();
    void doCheck();
    void checkMore();

    const PXJYChengJiaoFilter& filter() const { return m_filter; }
    const std::string& startNum() const { return m_startNum; }
    PXJYChengJiaoListView* listView() const { return m_listView; }
    PXJYChengJiaoDetailView* detailView() const { return m_detailView; }
    TableView* pickerView() const { return m_pickerView; }
    Button* filterButton(PXJYChengJiaoFilter::Which which) const;

    void VKJYNavBackAction() override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    void addChaXunDetailView(const JYDict& record) override;
    void loadMoreDataToTable() override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void initChaXunView();
    void initChaXunListView();
    void initChaXunDetailView();
    void tapFilter(PXJYChengJiaoFilter::Which which);
    void showPicker(bool shown);
    void closePicker();
    void sendQuery();
    void addChaXunListView();
    void forgetAccount();
    void refillAccount();

    PXJYChengJiaoFilter m_filter;
    std::string m_startNum = "1";
    // The query or page on its way; a newer query makes the older replies void.
    PXTradeOrderGate m_query;
    // A list was on show when another logon came: the refill lists that account's deals.
    bool m_listAgain = false;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, [this] { refillAccount(); }};
    Button* m_buttons[4] = {};
    TableView* m_pickerView = nullptr;
    PXJYChengJiaoListView* m_listView = nullptr;
    PXJYChengJiaoDetailView* m_detailView = nullptr;
};
