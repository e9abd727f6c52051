#pragma once
// The order-book transfer form: by commodity or by holding number, the closing direction, a
// quantity within the free range, a price typed on the system keyboard and the auto-delist
// choice (forced on for the matching commodities). "转让" checks the input and hands the whole
// "order_list" request to the delegate. Owned by its host's view; the delegate is not owned.
// Main thread.

#include "trade/close/PXZhuanRangFormView.h"

class PXJYZhuanRangZYMSViewDelegate {
public:
    virtual ~PXJYZhuanRangZYMSViewDelegate() = default;
    virtual void PXZRAddChiCangShangPinListView() {}
    virtual void PXZRAddChiCangDanHaoListView() {}
    virtual void PXZRRefreshShiJiaPingCangView() {}
    virtual void PXZhuanRangClick(const JYDict& request) = 0;
};

class PXJYZhuanRangZYMSView : public PXZhuanRangFormView {
public:
    static constexpr int kPriceTag = 1022;
    static constexpr const char* kEmptyHint = "当前最小报价单位是--元，请输入整数倍价格";

    explicit PXJYZhuanRangZYMSView(const Rect& frame);

    void setDelegate(PXJYZhuanRangZYMSViewDelegate* delegate) { m_delegate = delegate; }
    TextField* zhuanRangJiaGe() const { return m_zhuanRangJiaGe; }
    Label* zuiXiaoDanWei() const { return m_zuiXiaoDanWei; }
    Button* ziDongZhaiPaiB() const { return m_ziDongZhaiPaiB; }
    Label* lagelSY() const { return m_lagelSY; }
    bool ziDongZhaiPai() const { return m_ziDongZhaiPai; }

    void ziDongZhaiPaiButtonAction();
    // Matching commodities are always delisted automatically: the box goes away.
    void cuoHeShangPin();
    void cleanView() override;

    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& replacement) override;

protected:
    void askCommodityPicker() override;
    void askNumberPicker() override;
    void askRefill() override;
    void send() override;
    std::vector<TextField*> editableFields() const override;

private:
    JYDict request() const;

    PXJYZhuanRangZYMSViewDelegate* m_delegate = nullptr;
    TextField* m_zhuanRangJiaGe = nullptr;
    Label* m_zuiXiaoDanWei = nullptr;
    Button* m_ziDongZhaiPaiB = nullptr;
    Label* m_lagelSY = nullptr;
    bool m_ziDongZhaiPai = false;
};
