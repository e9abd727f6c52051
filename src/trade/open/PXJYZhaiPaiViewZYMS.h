#pragma once
// The order-book delisting form: side, a listing chosen in the embedded book, quantity within
// the listing's remaining lots, deposit, and "摘牌", which checks the input, confirms when the
// user wants it and hands the "order_mp" request to the host. The host runs the listing query,
// fills the book and writes the chosen listing's price and range. Owned by its host's view;
// the delegate (the host) is not owned. Main thread.

#include "trade/open/PXJYGuaPaiList.h"
#include "trade/open/PXJianCangFormView.h"

class PXJYZhaiPaiViewZYMSDelegate {
public:
    virtual ~PXJYZhaiPaiViewZYMSDelegate() = default;
    virtual void PXZhaiPaiChangeCommodity(const std::string& /*code*/) {}
    virtual void PXAddGuaPaiListView() {}
    virtual void PXZhaiPaiJianCangClick(const JYDict& /*request*/) {}
    virtual void PXZhaiPaiChangeMaiMaiFangXiang(int /*side*/) {}
};

class PXJYZhaiPaiViewZYMS : public PXJianCangFormView {
public:
    static constexpr int kQuantityTag = 1010;

    PXJYZhaiPaiViewZYMS(const Rect& frame, CommodityCodes commodityCodes);

    PXJYZhaiPaiViewZYMSDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYZhaiPaiViewZYMSDelegate* delegate) { m_delegate = delegate; }
    PXJYGuaPaiList* guaPaiListView() const { return m_guaPaiListView; }
    Button* moreButton() const { return m_moreButton; }
    Label* jiaGeZ() const { return m_jiaGeZ; }
    const std::string& selectedGuaPaiDanHao() const { return m_selectedGuaPaiDanHao; }
    // The chosen listing, ticked in the book wherever it stands.
    void setSelectedGuaPaiDanHao(const std::string& number);

    void moreButtonAction();
    // The input and the chosen listing: they belonged to another side or commodity.
    void cleanView() override;
    // The chosen listing with its price, range and tick (it was taken up or withdrawn); the
    // typed quantity stays for the next choice.
    void forgetListing();

protected:
    double depositPrice() const override;
    void tellCommodity(const std::string& code) override;
    void sideChanged() override;
    void sendOrder() override;

private:
    PXJYZhaiPaiViewZYMSDelegate* m_delegate = nullptr;
    PXJYGuaPaiList* m_guaPaiListView = nullptr;
    Button* m_moreButton = nullptr;
    Label* m_jiaGeZ = nullptr;
    std::string m_selectedGuaPaiDanHao;
};
