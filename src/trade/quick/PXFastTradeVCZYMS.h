#pragma once
// The quick-trade panel of an order-book commodity: the quote-mode panel's frame, switching
// and closing, with the order-book price board on top, a price the customer types besides the
// quantity, and two orders of its own: "条件摘牌" delists at that price (within the largest
// holding less what is held and what waits in open orders, refused while those are unknown, and
// asked again then) and "速转" lists a holding for
// transfer at it. It confirms by itself when "prompt" is "1" and leaves the quote screen's
// header alone. Made by the shell's factory; owned by the quote screen. Main thread.

#include "platform/ui/AlertView.h"
#include "trade/open/PXJianCangOpenOrders.h"
#include "trade/quick/PXFastTradeViewController.h"

class PXCommodityInformationViewZYMS;

class PXFastTradeVCZYMS : public PXFastTradeViewController, public AlertViewDelegate {
public:
    static constexpr const char* kRefusedCommodity = "该商品不允许此交易";

    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;

    PXCommodityInformationViewZYMS* commodityInformationView() const { return m_board; }
    TextField* jiaGeTextField() const { return m_jiaGeTextField; }
    int weiTuoDan() const { return m_openOrders.lots(); }
    const JYDict& postDict() const { return m_postDict; }

protected:
    Layout layout(bool fourInch) const override;
    void buildRows(View& background, bool fourInch) override;
    std::string orderTitle() const override;
    std::string switchTitle() const override;
    bool kindAllowed() const override;
    void commodityMatched() override;
    void panelShown() override;
    void queryFailed(const PXTradeNetworkManger& manager) override;
    void fillPanel() override;
    void refreshYiKouJiaView() override {}
    void sendOrder() override;
    bool handleReply(PXTradeNetworkManger& manager, const PXTradeResult* data) override;
    bool isOrderTag(const std::string& typeNW) const override;
    // Every request of this panel reports its failure, the holdings refresh too.
    bool reportsFailureOf(const std::string&) const override { return true; }
    bool isPriceField(const TextField& field) const override;

private:
    void getWeiTuoDanInfo(const std::string& code);
    JYDict orderRequest() const;
    void fastXiaDanButtonClick();

    PXCommodityInformationViewZYMS* m_board = nullptr;
    TextField* m_jiaGeTextField = nullptr;
    PXJianCangOpenOrders m_openOrders;
    JYDict m_postDict = JYDict::object();
};
