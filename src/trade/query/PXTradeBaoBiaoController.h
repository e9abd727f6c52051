#pragma once

// "报表": the report screen. The customer picks one of five report kinds and a range of days
// (at most one calendar month, ending yesterday at the latest) and presses "确 定"; the report
// comes a page of 20 records at a time from the notices and reports link, each day sent as the
// milliseconds of its 00:00 UTC. The result list slides in over the form with the first page
// and grows by a page at each pull past its end; a tap on a row slides its detail panel in over
// the list. Each new query empties the list before its checks. Shown again after another logon,
// it forgets the report in hand and its paging. Pushed from the trade home's menu; owned by the
// trade tab's navigation stack. Main thread.

#include <string>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/query/PXJYBaoBiaoMingXiListDelegate.h"
#include "trade/query/PXJYBaoBiaoQuery.h"

class Button;
class DatePicker;
class PXJYBaoBiaoMingXiInfo;
class PXJYBaoBiaoMingXiList;
class PXTradeDatePanel;

class PXTradeBaoBiaoController : public ViewController,
                                 public VKJYNavigationBarViewDelegate,
                                 public TableViewDataSource,
                                 public TableViewDelegate,
                                 public PXJYBaoBiaoMingXiListDelegate,
                                 public PXTradeNetworkMangerDelegate {
public:
    static constexpr const char* kClassName = "PXTradeBaoBiaoController";
    static constexpr const char* kNoKindTitle = "选择报表类型";
    static constexpr const char* kNoRecord = "记录未找到";

    PXTradeBaoBiaoController();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void baoBiaoButtonAction();
    void startDateButtonAction();
    void endDateButtonAction();
    void datePickerValueChanged();
    void appearButtonAction();
    void doneButtonAction();
    void loadMore();
    void addBaoBiaoMingXiView();

    int reportType() const { return m_reportType; }
    double startDate() const { return m_startDate; }
    double endDate() const { return m_endDate; }
    const PXJYBaoBiaoQuery& query() const { return m_query; }
    Button* baoBiaoType() const { return m_baoBiaoType; }
    Button* startDateButton() const { return m_startDateButton; }
    Button* endDateButton() const { return m_endDateButton; }
    Button* doneButton() const { return m_done; }
    TableView* pickerView() const { return m_pickerView; }
    PXTradeDatePanel* basisView() const { return m_basisView; }
    DatePicker* datePicker() const { return m_datePicker; }
    PXJYBaoBiaoMingXiList* baoBiaoMingXiList() const { return m_list; }
    PXJYBaoBiaoMingXiInfo* baoBiaoMingXiDetail() const { return m_detail; }

    void VKJYNavBackAction() override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView&, IndexPath) override { return 50; }
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    void addBaoBiaoMingXiInfoView(const JYDict& record) override;
    void loadMoreData() override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void resetForm();
    void buildForm();
    void setDatePickerView();
    void showKindList(bool shown);
    void openDatePanel(bool start);
    void clearResult();
    void forgetAccount();
    void send(const PXJYBaoBiaoQuery::Page& page);
    // Ends a page's wait; false for a reply to a request since replaced.
    bool endPage(const PXTradeNetworkManger& manager);

    PXJYBaoBiaoQuery m_query;
    const PXTradeNetworkManger* m_inFlight = nullptr;
    PXTradeBusyOverlay m_busy;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }};
    int m_reportType = PXJYBaoBiaoQuery::kNoKind;
    double m_startDate = 0;
    double m_endDate = 0;
    bool m_timeType = false;
    Button* m_baoBiaoType = nullptr;
    Button* m_startDateButton = nullptr;
    Button* m_endDateButton = nullptr;
    Button* m_done = nullptr;
    TableView* m_pickerView = nullptr;
    PXTradeDatePanel* m_basisView = nullptr;
    DatePicker* m_datePicker = nullptr;
    PXJYBaoBiaoMingXiList* m_list = nullptr;
    PXJYBaoBiaoMingXiInfo* m_detail = nullptr;
};
