#pragma once
// The market-price opening form: commodity, quantity, side, an optional allowed price
// deviation ("允许价差"), the deposit, and "摘牌", which checks the input and hands the order
// dictionary to the delegate. The host writes the market price into jiaGeZ. Owned by its
// host's view; the delegate (the host) is not owned. Main thread.

#include "trade/open/PXJianCangFormView.h"

class PXJYShiJiaJianCangViewDelegate {
public:
    virtual ~PXJYShiJiaJianCangViewDelegate() = default;
    virtual void PXChangeCommodity(const std::string& /*code*/) {}
    virtual void PXChangeMaiMaiFangXiang(const std::string& /*code*/) {}
    virtual void PXShiJiaJianCangClick(const JYDict& /*order*/) {}
};

class PXJYShiJiaJianCangView : public PXJianCangFormView {
public:
    static constexpr int kQuantityTag = 1010;
    static constexpr int kSpreadTag = 1011;

    PXJYShiJiaJianCangView(const Rect& frame, CommodityCodes commodityCodes);

    PXJYShiJiaJianCangViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYShiJiaJianCangViewDelegate* delegate) { m_delegate = delegate; }
    Label* jiaGeZ() const { return m_jiaGeZ; }
    TextField* zuiDaDianCha() const { return m_zuiDaDianCha; }
    Button* changebutton() const { return m_changebutton; }
    bool DianCha() const { return m_dianCha; }

    void changebuttonAction();
    void cleanView() override;

protected:
    double depositPrice() const override;
    void tellCommodity(const std::string& code) override;
    void sideChanged() override;
    void sendOrder() override;
    std::vector<TextField*> editableFields() const override;

private:
    void showSpread(bool shown);

    PXJYShiJiaJianCangViewDelegate* m_delegate = nullptr;
    Label* m_jiaGeZ = nullptr;
    TextField* m_zuiDaDianCha = nullptr;
    ImageView* m_dianChaBackground = nullptr;
    Button* m_changebutton = nullptr;
    bool m_dianCha = false;
};
