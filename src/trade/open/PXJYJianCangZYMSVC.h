#pragma once
// The order-book opening screen: " 摘牌" takes up a listing chosen in the book of the other
// side, "条件摘牌" delists at a typed price. It runs the listing query (again when the heartbeat
// reports new listings of the side shown), the open-orders query that bounds the conditional
// quantity, fills the order-book board on every price refresh and sends the delisting order.
// A quote-mode commodity goes back to the quote-mode screen below. Shown again after another
// logon, it forgets the book and the listing chosen in it (and a commodity that account does
// not trade) and asks for the book again, at once or when the delisting tab comes in front.
// Pushed by that screen; owned by the navigation controller. Main thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYActivityHold.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/open/PXJYGuaPaiMoreList.h"
#include "trade/open/PXJYTiaoJianZhaiPaiViewZYMS.h"
#include "trade/open/PXJYZhaiPaiViewZYMS.h"
#include "trade/open/PXJianCangOpenOrders.h"

class Button;
class PXJianCangTabs;
class PXJianCangAccountSwitch;
class PXTradeReplyRelay;
class VKJYNavigationBarView;

class PXJYJianCangZYMSVC : public ViewController,
                           public VKJYNavigationBarViewDelegate,
                           public PXJYZhaiPaiViewZYMSDelegate,
                           public PXJYTiaoJianZhaiPaiViewZYMSDelegate,
                           public PXJYGuaPaiListDelegate,
                           public PXJYGuaPaiMoreListDelegate,
                           public PXTradeNetworkMangerDelegate {
public:
    PXJYJianCangZYMSVC();
    ~PXJYJianCangZYMSVC() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Virtual: the one-commodity variant refuses a commodity it cannot serve.
    virtual void setPXJianCangZYMSViewValue(const std::string& code);
    void SJbuttonAction();
    void ZJbuttonAction();
    void JYRefreshView();
    void PXJYRefreshGuaPaiListBuy();
    void PXJYRefreshGuaPaiListSell();

    // Both forms.
    void PXZhaiPaiChangeCommodity(const std::string& code) override;
    void PXZhaiPaiJianCangClick(const JYDict& request) override;
    // The delisting form.
    void PXZhaiPaiChangeMaiMaiFangXiang(int side) override;
    void PXAddGuaPaiListView() override;
    // The books.
    void selectedGuaPaiList(const JYDict& listing) override;
    void selectedMoreGuaPaiList(const JYDict& listing) override;

    void VKJYNavBackAction() override;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

    Button* SJbutton() const;
    Button* ZJbutton() const;
    PXJYZhaiPaiViewZYMS* zhaiPaiView() const { return m_zhaiPaiView; }
    PXJYTiaoJianZhaiPaiViewZYMS* tiaoJianZhaiPaiView() const { return m_tiaoJianZhaiPaiView; }
    PXJYGuaPaiMoreList* moreList() const { return m_moreList.get(); }
    const std::string& nowCommodityCode() const { return m_nowCommodityCode; }
    const std::vector<JYDict>& guaPaiInfoArray() const { return m_guaPaiInfoArray; }
    int weiTuoDan() const { return m_openOrders.lots(); }
    bool isOrderOutstanding() const { return m_orderOutstanding; }

private:
    void showTab(bool first);
    // Every way out of a form closes its drop-down.
    void closeCommodityLists();
    void loadViewIfNeeded();
    // The book of the other side: a buyer takes up sell listings (2), a seller buy ones (1).
    int bookSide() const;
    void getZYMSGuaPaiList();
    void PXJYGetGuaPaiListInfo(int ty);
    void getWeiTuoDanInfo(const std::string& code);
    void setTiaoJianZhaiPaiViewValue(const std::string& code);
    void forgetCommodity();
    // Rows that are no longer the book's (unreadable, or read under another logon) go, with the
    // listing chosen among them.
    void forgetBook();
    void forgetAccount();
    // At a refresh: keeps the conditional form's range that of the account logged in.
    void followAccount();
    // At a showing, and at a tap refused after another logon: the switchers' account and the
    // range of the account logged in, the range asked again when its open orders failed.
    void showAccount();
    // A tap on the conditional form found no range.
    void rangeWanted();
    // A tap on the delisting form found no listing chosen.
    void bookWanted();
    void setTiaoJianZhaiPaiView();
    void shuaXinGuaPaiLieBiaoView();
    std::shared_ptr<PXTradeNetworkManger> newManager();
    // The queries share one busy overlay, down at whichever answer comes first.
    std::shared_ptr<PXTradeNetworkManger> newQuery();
    // Whether a listing query of that side asks again for the book whose rows are held.
    bool asksForBookHeld(int ty) const;
    void requestEnded(PXTradeNetworkManger* manager);
    // The reply to the latest listing query, while its commodity and side are still on show.
    bool answersBookOnShow(const PXTradeNetworkManger& reply) const;
    // An open-orders reply that a newer query made void, or a listing reply of a book no longer
    // on show.
    bool isVoid(const PXTradeNetworkManger& reply) const;
    void failed(const PXTradeNetworkManger& manager);

    VKJYNavigationBarView* m_navigationBarView = nullptr;
    std::unique_ptr<PXJianCangTabs> m_tabs;
    PXJYZhaiPaiViewZYMS* m_zhaiPaiView = nullptr;
    PXJYTiaoJianZhaiPaiViewZYMS* m_tiaoJianZhaiPaiView = nullptr;
    std::shared_ptr<PXJYGuaPaiMoreList> m_moreList;
    std::string m_nowCommodityCode;
    int m_shiJiaZhiJia = 1;
    std::vector<JYDict> m_guaPaiInfoArray;
    JYDict m_guaPaiListPostDic = JYDict::object();
    std::weak_ptr<const PXTradeNetworkManger> m_bookQuery;
    PXJianCangOpenOrders m_openOrders;
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    // The book of the delisting tab was forgotten or went stale while that tab was hidden: it
    // is asked for when the tab comes in front.
    bool m_bookOwed = false;
    // The latest listing query failed: the book is asked for again at a tap that wants it.
    bool m_bookFailed = false;
    bool m_orderOutstanding = false;
    VKJYActivityHold m_queriesBusy;
    // Up until the order's own answer: until then the user can neither leave nor switch the
    // account and so miss its outcome, nor send it again.
    VKJYActivityHold m_orderBusy;
    PXTradeWhileShown m_whileShown;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }, [this] { getZYMSGuaPaiList(); },
                                       [this] { showAccount(); }};
};
