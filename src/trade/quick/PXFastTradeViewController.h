#pragma once
// The quick-trade panel of a quote-mode commodity: it slides up over the quote screen's chart
// and sends a market order for the chart's commodity, quick delist ("速摘", an opening order)
// or quick transfer ("速转", a closing order by commodity), at the live trading price, through
// the request facade's checked order (rights check, and the confirmation when "fastPrompt" is
// "1"). Logged out, it first pushes the trading login. While open it refreshes price, range,
// account and the quote screen's header on every price refresh, and closes when the login ends
// (idle logout, lost session, logout) or passes to an account that does not trade the commodity
// (or, in 速转, holds none of it), at once or, under a login screen it pushed, once the quote
// screen shows again; for an account that does, a transfer's sides follow its holdings.
// A panel that cannot be shown (commodity not traded by the account, nothing to transfer, login
// left) ends at once, so the quote screen can make a new one on the next tap.
//
// Made by the shell's factory; owned by the quote screen as its child controller, which drops
// it when told closedFastTradeView. The order-book panel derives from it. Main thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYFastTradePanel.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/common/PXTradeWhileShown.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/login/PXJYTradeLoginVCDelegate.h"

class Button;
class Label;
class PXJianCangAccountSwitch;
class PXJYSwitchingAccountView;
class PXJYTradeLoginVC;
class PXTradeCommodity;
class PXTradeModule;
class PXTradeReplyRelay;

class PXFastTradeViewController : public VKJYFastTradePanel,
                                  public PXTradeNetworkMangerDelegate,
                                  public PXJYTradeLoginVCDelegate,
                                  public TextFieldDelegate {
public:
    static constexpr const char* kNotTradable =
        "当前登录账户所在盘或所在平台不包含此商品,请切换账户";
    static constexpr const char* kNothingHeld = "您还没有持仓哦，快去摘牌吧!";
    static constexpr double kSlideSeconds = 0.2;

    PXFastTradeViewController();
    ~PXFastTradeViewController() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;

    void addTradeViewCommodity(bool isShanJian, std::shared_ptr<commodityInfo> HQSelectedCommodity,
                               MarketAndDisk marketandDiskDic) override;
    void addTradeLoginView();
    void addFastTradeView();
    void setTradeButtonInTradeView();
    void setAllObjectForTradeView();
    void JYRefreshView();
    void buyButtonActionFT();
    void sellButtonActionFT();
    void setTextFieldText(const std::string& key);
    void moreButtonAction();
    void xiaDanButtonAction();
    void closeTradeView() override;

    void PXJYLoginSuccess() override;
    void PXJYLoginBackAction() override;

    void orderSent(PXTradeNetworkManger* manager) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

    bool textFieldShouldBeginEditing(TextField& field) override;

    int XiaDanType() const { return m_xiaDanType; }
    int XiaDan_FangXiang() const { return m_side; }
    const std::string& commodityCode() const { return m_commodityCode; }
    const std::string& commodityName() const { return m_commodityName; }
    const std::string& price() const { return m_price; }
    View* backgroundView() const { return m_backgroundView; }
    PXJYSwitchingAccountView* switchingAccountView() const { return m_switchingAccountView; }
    Button* buyButton() const { return m_buyButton; }
    Button* sellButton() const { return m_sellButton; }
    TextField* shuLiangTextField() const { return m_shuLiangTextField; }
    Label* fanWei() const { return m_fanWei; }
    Button* more() const { return m_more; }
    Button* xiaDan() const { return m_xiaDan; }
    Button* closeButton() const { return m_closeButton; }
    // The keypad key of that title ("0".."9", "X", ".").
    Button* key(const std::string& title) const;
    // In view over the chart (slid in and not closing).
    bool isShown() const { return m_shown; }

protected:
    struct Layout {
        double backgroundTop;
        double accountTop;
        double keypadTop;
        double handleTop;
    };

    // The panel's geometry and rows; the order-book panel has its own.
    virtual Layout layout(bool fourInch) const;
    virtual void buildRows(View& background, bool fourInch);
    // Titles of the two lower buttons for the present kind.
    virtual std::string orderTitle() const;
    virtual std::string switchTitle() const;
    // Whether the present kind may be prepared; shows why not.
    virtual bool kindAllowed() const { return true; }
    // After the commodity was matched and the panel prepared.
    virtual void commodityMatched() {}
    // The panel came on show: slid in, or the quote screen under it shows again.
    virtual void panelShown() {}
    // A query of the panel's own kind failed (not an order).
    virtual void queryFailed(const PXTradeNetworkManger&) {}
    virtual void fillPanel();
    // Feeds the quote screen's header; the order-book panel does not.
    virtual void refreshYiKouJiaView();
    // The checked order, sent or refused.
    virtual void sendOrder();
    // A reply of this panel's own kind; false when not handled here.
    virtual bool handleReply(PXTradeNetworkManger& manager, const PXTradeResult* data);
    virtual bool isOrderTag(const std::string& typeNW) const;
    // Whether a failure of a request besides the orders and the open-orders query is shown.
    virtual bool reportsFailureOf(const std::string&) const { return false; }
    virtual bool isPriceField(const TextField& field) const;
    virtual void emptyFieldsForSwitch();

    TextField* addField(View& parent, const Rect& box, int tag, const std::string& text);
    Label* addRowLabel(View& parent, const Rect& frame, const std::string& text);
    void addSideButtons(View& parent, double y, double height);
    void setFanWei(Label* label) { m_fanWei = label; }
    void setShuLiangTextField(TextField* field) { m_shuLiangTextField = field; }
    std::shared_ptr<PXTradeCommodity> tradeCommodity() const;
    std::shared_ptr<PXTradeNetworkManger> newManager();
    // The busy overlay of the panel's orders and its open-orders query, up until their replies.
    PXTradeBusyOverlay& busy() { return m_busy; }
    // An order is out: busy, and no second order until its reply.
    bool isOrderOutstanding() const { return m_orderOutstanding; }
    void beginOrder(const PXTradeNetworkManger& manager);
    void orderEnded(const PXTradeNetworkManger& manager);
    bool fourInch() const;
    static PXTradeModule& trade();
    std::string userName() const;
    std::string sessionId() const;
    bool isCuoHeCommodity() const;
    TextField* editingField() const { return m_editingField; }

private:
    void buildKeypad(View& background, double top, bool fourInch);
    void closedHandle(double top);
    bool findTradeCommodity();
    bool prepareTransferSides();
    // The user of the session in force ("" when none).
    std::string accountInForce() const;
    void slideTo(double y, std::function<void()> done);
    void fastViewDidAppear();
    void followLogin(bool appearing);
    // Closes the panel, first showing the message unless it is empty.
    void closeSaying(const std::string& message);
    // A login screen the panel pushed lies over the quote screen.
    bool underOwnScreen() const;
    void bounce1AnimationStopped();
    void setSide(int side);
    // The panel will not show: it leaves the quote screen on a later turn.
    void endUnshown();
    void getChiCangHuiZong();
    bool failureEnds(const PXTradeNetworkManger& manager);

    std::shared_ptr<commodityInfo> m_HQSelectedCommodity;
    MarketAndDisk m_marketandDiskDic;
    int m_xiaDanType = 1;
    int m_side = 1;
    std::string m_commodityCode;
    // The account whose holdings the transfer's sides were prepared for.
    std::string m_sidesAccount;
    std::string m_commodityName;
    std::string m_price;
    View* m_backgroundView = nullptr;
    PXJYSwitchingAccountView* m_switchingAccountView = nullptr;
    Button* m_buyButton = nullptr;
    Button* m_sellButton = nullptr;
    TextField* m_shuLiangTextField = nullptr;
    TextField* m_editingField = nullptr;
    Label* m_fanWei = nullptr;
    Button* m_more = nullptr;
    Button* m_xiaDan = nullptr;
    Button* m_closeButton = nullptr;
    std::vector<Button*> m_keys;
    std::shared_ptr<PXTradeReplyRelay> m_relay;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    WeakLink<PXJYTradeLoginVC> m_loginScreen;
    PXTradeWhileShown m_listening;
    PXTradeBusyOverlay m_busy;
    bool m_orderOutstanding = false;
    bool m_shown = false;
    bool m_ending = false;
};
