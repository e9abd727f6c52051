#pragma once

// "账号管理": the trading accounts saved on the device for the current exchange, grouped by
// environment, the logged-in one marked. A row opens the detail panel (logged-in account) or
// offers a switch; a left swipe uncovers "删除" and "修改密码"; the bar's "+" adds an account.
// The detail panel and the password panel are made with the view and slide in over the list.
// The price refresh pauses while the list shows (the heartbeat keeps the session alive). When
// the last account goes, the session is logged off once and the screen leaves. Shown again
// after another logon, the detail panel of the account before goes. Pushed by the trade home;
// owned by its navigation stack. Main thread only.

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/AlertView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/account/PXJYAccountDetailView.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"

class PXJYChangeThePasswordVC;
class PXTradeReplyRelay;

class PXJYAccountInfoViewController : public ViewController,
                                      public VKJYNavigationBarViewDelegate,
                                      public TableViewDataSource,
                                      public TableViewDelegate,
                                      public AlertViewDelegate,
                                      public PXJYAccountDetailViewDelegate,
                                      public PXTradeNetworkMangerDelegate {
public:
    static constexpr int kDeleteLoggedInTag = 1111;
    static constexpr int kPasswordOtherTag = 1112;
    static constexpr int kSwitchTag = 1113;

    PXJYAccountInfoViewController();
    ~PXJYAccountInfoViewController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void reloadTableView();
    void headerButtonClick();
    void loginButtonClick(IndexPath indexPath);
    void deleteButtonClick(IndexPath indexPath);
    void ChangePasswordButtonClick(IndexPath indexPath);
    void didSelectRow(IndexPath indexPath);

    // One listed environment: its code and its account names in file order.
    using Environment = std::pair<std::string, std::vector<std::string>>;

    const std::vector<Environment>& allAccountArray() const { return m_allAccountArray; }
    TableView* tableView() const { return m_tableView; }
    PXJYAccountDetailView* accountDetailView() const { return m_accountDetailView; }
    PXJYChangeThePasswordVC* modifyTradePasswordVC() const { return m_modifyTradePasswordVC; }
    // The row's front view (its name and mark), which a swipe moves aside.
    View* frontView(IndexPath indexPath) const;

    void VKJYNavBackAction() override;
    int numberOfSections(TableView& table) override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForHeader(TableView& table, int section) override;
    std::shared_ptr<View> viewForHeader(TableView& table, int section) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    void PXJYAccountDetailViewBackAction() override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    const std::string& nameAt(IndexPath indexPath) const;
    std::unique_ptr<View> getCellView(IndexPath indexPath);
    void askFirst(int tag, const std::string& message, const std::string& confirm);
    void pushSimpleLoginVC();
    template <typename Login>
    void pushLogin(std::unique_ptr<Login> login);
    void deleteAccount();
    void deleteLoggedInAccount();
    void getAccountInfo();
    void addAccountInfoView();
    void logOffAndLeave();
    std::shared_ptr<PXTradeNetworkManger> newManager();
    std::string accountsPath() const;

    PXJYAccountDetailView* m_accountDetailView = nullptr;
    TableView* m_tableView = nullptr;
    std::vector<Environment> m_allAccountArray;
    std::string m_currentAccountLogin;
    IndexPath m_selectIndex;
    PXJYChangeThePasswordVC* m_modifyTradePasswordVC = nullptr;
    // The logoff of this screen went out; it is sent once at most.
    bool m_loggedOff = false;
    // Let go when the screen leaves by its own hand: it may outlive that for a turn.
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    PXTradeShownAccount m_shownAccount{[this] { m_accountDetailView->VKJYNavBackAction(); }};
};
