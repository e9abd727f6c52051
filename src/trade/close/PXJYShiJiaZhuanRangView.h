#pragma once
// The market-price transfer form of quote mode: by commodity or by holding number, with the
// closing direction, quantity, average holding price and the live transfer price the host
// writes, an optional allowed spread ("允许价差") and an optional reverse delisting ("反向摘牌")
// of a chosen quantity once the transfer succeeded. "转让" checks the input in a fixed order and
// hands the order dictionary to the delegate. Owned by its host's view; the delegate is not
// owned. Main thread.

#include "trade/close/PXZhuanRangFormView.h"

class PXJYShiJiaZhuanRangViewDelegate {
public:
    virtual ~PXJYShiJiaZhuanRangViewDelegate() = default;
    virtual void PXSJPCAddChiCangShangPinListView() {}
    virtual void PXSJPCAddChiCangDanHaoListView() {}
    virtual void PXSJPCRefreshShiJiaPingCangView() {}
    virtual void PXShiJiaPingCangClick(const JYDict& order, bool fanXiangJianCangSign) = 0;
};

class PXJYShiJiaZhuanRangView : public PXZhuanRangFormView {
public:
    static constexpr int kReverseTag = 1021;
    static constexpr int kSpreadTag = 1022;

    explicit PXJYShiJiaZhuanRangView(const Rect& frame);

    void setDelegate(PXJYShiJiaZhuanRangViewDelegate* delegate) { m_delegate = delegate; }
    Label* ChiPaiJunJia() const { return m_ChiPaiJunJia; }
    Label* zhuanRangJiaGe() const { return m_zhuanRangJiaGe; }
    TextField* FXJCShuLiang() const { return m_FXJCShuLiang; }
    Label* FXJCShouShuFanWei() const { return m_FXJCShouShuFanWei; }
    TextField* dianChaField() const { return m_dianChaField; }
    Button* dianChaButton() const { return m_dianChaButton; }
    Button* fanXiangJCButton() const { return m_fanXiangJCButton; }
    bool dianChaSign() const { return m_dianChaSign; }
    bool fanXiangJCSign() const { return m_fanXiangJCSign; }

    void dianChaButtonActionSJPC();
    void fanXiangJianCangButtonAction();
    void cleanView() override;
    void forgetNumber() override;

protected:
    void askCommodityPicker() override;
    void askNumberPicker() override;
    void askRefill() override;
    void send() override;
    std::vector<TextField*> editableFields() const override;

private:
    void showSpread(bool shown);
    void showReverse(bool shown);
    struct Refusal {
        std::string title;
        std::string message;
    };
    std::optional<Refusal> check(const PXTradeCommodity* commodity) const;
    JYDict order(const PXTradeCommodity& commodity) const;

    PXJYShiJiaZhuanRangViewDelegate* m_delegate = nullptr;
    Label* m_ChiPaiJunJia = nullptr;
    Label* m_zhuanRangJiaGe = nullptr;
    Button* m_dianChaButton = nullptr;
    TextField* m_dianChaField = nullptr;
    Button* m_fanXiangJCButton = nullptr;
    TextField* m_FXJCShuLiang = nullptr;
    Label* m_FXJCShouShuFanWei = nullptr;
    bool m_dianChaSign = false;
    bool m_fanXiangJCSign = false;
};
