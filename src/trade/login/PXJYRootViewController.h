#pragma once

// The trade tab's root: the login screen while no trading login is in force (pushed at once;
// backing out of it selects the market tab), else the trade home. The navigation bar's menu
// button slides up the function menu of nine entries (opening, closing, listing, announcements
// with their red dot, queries, funds, reports, account, more) whose screens, like those of the
// home's order buttons, come from their folders through the trading screen factory; an entry
// whose screen is not there opens nothing. Made once with the tab bar. Main thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/login/PXJYSimpleLoginVCDelegate.h"
#include "trade/login/PXJYTradeLoginVCDelegate.h"
#include "trade/login/PXTradeHomeViewDelegate.h"

class Button;
class PXTradeHomeView;
class VKJYNavigationBarView;
struct PXTradeScreenArgs;

class PXJYRootViewController : public ViewController,
                               public VKJYNavigationBarViewDelegate,
                               public PXTradeHomeViewDelegate,
                               public PXJYTradeLoginVCDelegate,
                               public PXJYSimpleLoginVCDelegate {
public:
    static constexpr double kMenuHeight = 320;
    static constexpr double kTabBarHeight = 49;
    static constexpr int kAnnouncementEntry = 3;

    PXJYRootViewController();
    ~PXJYRootViewController() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void addTradeLoginView();
    void JYRefreshView();
    void youXinGongGao();
    void menuViewCancelButtonAction();
    void headerClick(int tag);

    PXTradeHomeView* tradeHomeView() const { return m_tradeHomeView; }
    View* menuListView() const { return m_menuListView; }
    View* messageRedView() const { return m_messageRedView; }
    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    bool isMenuOpen() const;

    // VKJYNavigationBarViewDelegate
    void VKJYNavMenuAction() override;
    // PXTradeHomeViewDelegate
    void pushViewControllerDelegate(int index,
                                    const std::shared_ptr<PXJYChiCangHuiZong>& summary) override;
    void PXPushSimpleLoginVC(const PXJYSavedAccount& account) override;
    // PXJYTradeLoginVCDelegate
    void PXJYLoginSuccess() override;
    void PXJYLoginBackAction() override;
    // PXJYSimpleLoginVCDelegate
    void PXJYSimpleLoginSuccess() override;

private:
    void initMenuListView(View& root);
    void slideMenu(bool open);
    void open(const std::string& className, const PXTradeScreenArgs& args);
    void refreshAccountData();
    double menuTop(bool open);

    VKJYNavigationBarView* m_navigationBarView = nullptr;
    PXTradeHomeView* m_tradeHomeView = nullptr;
    View* m_menuListView = nullptr;
    View* m_menuBackGroundView = nullptr;
    View* m_messageRedView = nullptr;
    std::vector<std::string> m_menuListArray;
    std::vector<uint64_t> m_observers;
};
