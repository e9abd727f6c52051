#pragma once

// "出入金查询": the customer's transfers between bank and trading account over a range of at
// most one calendar month. Two day buttons open a date picker that rises from the bottom; the
// query ("money_iom_query") slides in the detail panel "出入金详情" with the totals of successful
// deposits and withdrawals and one block per transfer. One query asks for every transfer of the
// range at once ("start_num" "0") and shows all the server sends. Shown again after another
// logon, the transfers of the account before are gone. Owned by the trade tab's navigation
// stack; main thread.

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/account/PXJYTransferHistory.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class DatePicker;
class PXTradeDatePanel;

class PXJYChuRuJinChaXunVC : public ViewController,
                             public PXTradeNetworkMangerDelegate,
                             public VKJYNavigationBarViewDelegate,
                             public TableViewDataSource,
                             public TableViewDelegate {
public:
    static constexpr const char* kClassName = "PXJYChuRuJinChaXunVC";
    static constexpr double kRecordHeight = 200;

    PXJYChuRuJinChaXunVC();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void startDateButtonAction();
    void endDateButtonAction();
    void appearButtonAction();
    void datePickerValueChanged();
    void doneButtonAction();
    void addDetailView();
    void detailViewbackAction();

    double startDate() const { return m_startDate; }
    double endDate() const { return m_endDate; }
    Button* startDateButton() const { return m_startDateButton; }
    Button* endDateButton() const { return m_endDateButton; }
    DatePicker* datePicker() const { return m_datePicker; }
    PXTradeDatePanel* basisView() const { return m_basisView; }
    View* detailView() const { return m_detailView; }
    TableView* chuRuJinListView() const { return m_list; }
    const PXJYTransferHistory& history() const { return m_history; }

    int numberOfSections(TableView&) override { return 2; }
    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView&, IndexPath indexPath) override;
    std::optional<double> heightForHeader(TableView&, int) override { return 25; }
    std::shared_ptr<View> viewForHeader(TableView&, int section) override;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void VKJYNavBackAction() override;

private:
    void setDatePickerView();
    void initChuRuJinList();
    void raiseDatePanel(bool start);
    std::shared_ptr<View> recordView(const JYDict& record) const;
    void fillTotal(TableViewCell& cell, int row) const;
    void forgetAccount();

    double m_startDate = 0;
    double m_endDate = 0;
    bool m_timeType = false;
    Button* m_startDateButton = nullptr;
    Button* m_endDateButton = nullptr;
    PXTradeDatePanel* m_basisView = nullptr;
    DatePicker* m_datePicker = nullptr;
    View* m_detailView = nullptr;
    TableView* m_list = nullptr;
    PXJYTransferHistory m_history;
    // The query whose reply counts: a newer one makes the replies of older ones void.
    PXTradeOrderGate m_query;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }};
};
