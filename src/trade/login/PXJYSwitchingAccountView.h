#pragma once

// The account switcher at the top of the order, quick-trade, query and funds screens: closed,
// a 32-point bar with the account in use, its environment and a down arrow; open (220 high), a
// list of the saved accounts of the current platform, one section per environment with an
// "添加账号" button. Choosing another account or adding one asks the owner to push a login screen
// that pauses the heartbeat and price-refresh timers while it shows; the owner hands a login made
// there back through LoginSuccess / simpleLoginSuccess. Choosing the account in use restarts the
// timers. Owned by its superview; the delegate is the owning screen (not owned).
// Main thread.
//
// Owners make it with initWithFrame (the constructor), then initSwitchingAccountView(rect).

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/TableView.h"
#include "trade/login/PXJYSavedAccounts.h"

class Button;
class ImageView;
class Label;
class PXJYSwitchingAccountViewDelegate;

class PXJYSwitchingAccountView : public View, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr double kClosedHeight = 32;
    static constexpr double kOpenHeight = 220;

    explicit PXJYSwitchingAccountView(const Rect& frame = {});

    void initSwitchingAccountView(const Rect& rect);
    void setSwitchingAccountViewValue();
    void accountNowButtonAction();
    void reloadTableView();
    void headerButtonClick();
    void didSelectRow(IndexPath indexPath);
    void LoginSuccess();
    void simpleLoginSuccess();

    PXJYSwitchingAccountViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYSwitchingAccountViewDelegate* delegate) { m_delegate = delegate; }
    Button* accountButton() const { return m_accountButton; }
    ImageView* xiaSanJiaoImageView() const { return m_xiaSanJiaoImageView; }
    Label* zhangHu() const { return m_zhangHu; }
    Label* panFu() const { return m_panFu; }
    TableView* environmentListView() const { return m_environmentListView; }
    bool isHidden() const { return m_hide; }

    int numberOfSections(TableView& table) override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForHeader(TableView& table, int section) override;
    std::shared_ptr<View> viewForHeader(TableView& table, int section) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

private:
    void closeList();
    static void restartTimers();

    PXJYSwitchingAccountViewDelegate* m_delegate = nullptr;
    Button* m_accountButton = nullptr;
    ImageView* m_xiaSanJiaoImageView = nullptr;
    Label* m_zhangHu = nullptr;
    Label* m_panFu = nullptr;
    TableView* m_environmentListView = nullptr;
    // Environment code with its accounts, for each environment of the platform that has some.
    std::vector<std::pair<std::string, std::vector<std::string>>> m_allAccountArray;
    std::string m_currentAccountLogin;
    bool m_hide = true;
};
