#pragma once

// "公告": the announcement query. A form (title, valid or expired, publication and, for expired
// ones, expiry date ranges) with a date panel that rises from below; the paged list panel and
// the detail panel (the announcement's header and its HTML content) slide in from the right
// over it. Each new query empties the list before its checks, and only the latest list request's
// reply counts. Shown again after another logon, the list, its next page and the announcement
// open are gone; a next page asked for after another logon made while on show goes the same
// way, and says why. Pushed by the trade home; owned by its navigation stack. Main thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/account/PXJYGongGaoQuery.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "widgets/LoadMoreTableView.h"

class Button;
class DatePicker;
class Label;
class PXTradeDatePanel;
class WebView;

class PXJYGongGaoViewController : public ViewController,
                                  public VKJYNavigationBarViewDelegate,
                                  public TextFieldDelegate,
                                  public TableViewDataSource,
                                  public TableViewDelegate,
                                  public LoadMoreTableViewDelegate,
                                  public PXTradeNetworkMangerDelegate {
public:
    // The four days the date panel can edit.
    enum Day { kPublishedFrom, kPublishedTo, kExpiredFrom, kExpiredTo };

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void EffectiveButtonAction();
    void InvalidButtonAction();
    void openDatePanel(Day day);
    void datePickerValueChanged();
    void appearButtonAction();
    void doneButtonAction();
    void loadMore();
    void addListView();
    void ListViewbackAction();
    void addDetailView();
    void detailViewbackAction();

    const PXJYGongGaoQuery& query() const { return m_query; }
    const std::vector<JYDict>& dataList() const { return m_dataList; }
    Button* dateButton(Day day) const { return m_dateButtons[day]; }
    DatePicker* datePicker() const { return m_datePicker; }
    TextField* titleTextField() const { return m_titleTextField; }
    PXTradeDatePanel* basisView() const { return m_basisView; }
    View* listView() const { return m_listView; }
    LoadMoreTableView* listTableView() const { return m_listTableView; }
    View* detailView() const { return m_detailView; }
    WebView* webView() const { return m_webView; }
    Label* detailTitle() const { return m_title; }
    Label* contentLabel() const { return m_content; }

    void VKJYNavBackAction() override;
    bool textFieldShouldBeginEditing(TextField& field) override;
    bool textFieldShouldReturn(TextField& field) override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    void loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView& table) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void buildForm();
    double addDateRow(double y, Day from, Day to);
    Button* addFilterButton(double x, double y, const std::string& title, bool effective);
    void showFilter(bool effective);
    void initDate();
    void setDatePickerView();
    void initAnnouncementListView();
    void initAnnouncementDetailView();
    std::unique_ptr<View> getCellJYView(int row) const;
    void getAnnouncementDetail(const JYDict& record);
    void setDetailViewValue(const JYDict& record);
    void clearList();
    void forgetAccount();
    void sendList(int startNum);
    bool takeListReply(const PXTradeNetworkManger& manager);
    void listArrived(const PXTradeResult* data);
    void contentArrived(const PXTradeResult* data);
    double& day(Day which);

    PXJYGongGaoQuery m_query;
    std::vector<JYDict> m_dataList;
    // The list request whose reply counts: a new query makes the replies of older ones void.
    const PXTradeNetworkManger* m_listInFlight = nullptr;
    // Up while any list or content request is on its way.
    PXTradeBusyOverlay m_busy;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }};
    Day m_editedDay = kPublishedTo;

    PXTradeDatePanel* m_basisView = nullptr;
    DatePicker* m_datePicker = nullptr;
    Button* m_dateButtons[4] = {};
    Label* m_appearLabel = nullptr;
    TextField* m_titleTextField = nullptr;
    Button* m_effective = nullptr;
    Button* m_invalid = nullptr;
    View* m_listView = nullptr;
    LoadMoreTableView* m_listTableView = nullptr;
    View* m_detailView = nullptr;
    WebView* m_webView = nullptr;
    Label* m_releaseMechanism = nullptr;
    Label* m_published = nullptr;
    Label* m_failureTime = nullptr;
    Label* m_title = nullptr;
    Label* m_content = nullptr;
};
