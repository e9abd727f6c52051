#pragma once
// What both position summary detail screens share: the title bar "持牌单详细", the summary's
// eight caption/value rows refilled on every trading price refresh while shown, and "查看明细",
// which opens the holding detail query filtered to the summary's commodity and side. Shown again
// after another logon, it shows nothing: the summary was another account's holding, and a
// holding of the account now logged in is never taken for it. The variants add their buttons
// under the list. Owned by the navigation controller. Main thread.

#include <memory>

#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"

class Button;
class PXJYChiCangHuiZong;
class PXJYHuiZongXiangQingListView;
class VKJYNavigationBarView;

class PXHuiZongXiangQingScreen : public ViewController, public VKJYNavigationBarViewDelegate {
public:
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    const std::shared_ptr<PXJYChiCangHuiZong>& chiCangCommodity() const { return m_summary; }
    // Sets the summary and fills the screen.
    virtual void selectedAnCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary);
    // Refills the rows; a commodity the store does not know leaves them as they were.
    virtual void setHuiZongDetailValue();
    void detialButtonAction();
    void VKJYNavBackAction() override;

    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    PXJYHuiZongXiangQingListView* ListView() const { return m_listView; }
    Button* detailButton() const { return m_detailButton; }

protected:
    PXHuiZongXiangQingScreen();
    // Adds the variant's buttons (and panels) to root; top is 40 points below the list.
    virtual void addButtons(View& root, double top) = 0;
    Button* addButton(View& root, const Rect& frame, const std::string& title);
    void setDetailButton(Button* button) { m_detailButton = button; }
    // Forgets what another account's summary left on show; the variants forget their own.
    virtual void forgetAccount();
    // At a showing, and at a tap refused after another logon: what a variant shows of the
    // account (its switcher) brought up to the logon in force.
    virtual void showAccount() {}
    // Before a send: true, once told, when another logon came since and the screen forgot.
    bool refusesTap() { return m_shownAccount.refusesTap(); }
    PXTradeShownAccount& shownAccount() { return m_shownAccount; }

private:
    VKJYNavigationBarView* m_navigationBarView = nullptr;
    PXJYHuiZongXiangQingListView* m_listView = nullptr;
    Button* m_detailButton = nullptr;
    std::shared_ptr<PXJYChiCangHuiZong> m_summary;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, {}, [this] { showAccount(); }};
};
