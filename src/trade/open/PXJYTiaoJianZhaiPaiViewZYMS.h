#pragma once
// The order-book conditional delisting form: the order-book price board, side, a price of the
// user's own in whole quote units, quantity within the range the host writes, and whether the
// untaken rest is listed ("ISLIST"). "摘牌" checks, confirms when the user wants it and hands
// the "order_mp" request to the host. Owned by its host's view; the delegate (the host) is not
// owned. Main thread.

#include "trade/open/PXJianCangFormView.h"

class PXCommodityInformationViewZYMS;

class PXJYTiaoJianZhaiPaiViewZYMSDelegate {
public:
    virtual ~PXJYTiaoJianZhaiPaiViewZYMSDelegate() = default;
    virtual void PXZhaiPaiChangeCommodity(const std::string& /*code*/) {}
    virtual void PXZhaiPaiJianCangClick(const JYDict& /*request*/) {}
};

class PXJYTiaoJianZhaiPaiViewZYMS : public PXJianCangFormView {
public:
    static constexpr int kQuantityTag = 1010;
    static constexpr int kPriceTag = 1011;

    PXJYTiaoJianZhaiPaiViewZYMS(const Rect& frame, CommodityCodes commodityCodes);

    PXJYTiaoJianZhaiPaiViewZYMSDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYTiaoJianZhaiPaiViewZYMSDelegate* delegate) { m_delegate = delegate; }
    PXCommodityInformationViewZYMS* commodityInformationView() const { return m_board; }
    TextField* jiaGeZ() const { return m_jiaGeZ; }
    Label* zuiXiaoDanWei() const { return m_zuiXiaoDanWei; }
    Button* ziDongGuaPaiB() const { return m_ziDongGuaPaiB; }
    bool ziDongGuaPai() const { return m_ziDongGuaPai; }
    // The hint for a commodity's minimum quote unit ("--" before one is known).
    static std::string quoteUnitHint(const std::string& unit);

    void ziDongGuaPaiButtonAction();
    void cleanView() override;
    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& text) override;

protected:
    double depositPrice() const override;
    void tellCommodity(const std::string& code) override;
    void commodityChosen(const std::string& code) override;
    void sendOrder() override;
    std::vector<TextField*> editableFields() const override;

private:
    void showOption(bool on);

    PXJYTiaoJianZhaiPaiViewZYMSDelegate* m_delegate = nullptr;
    PXCommodityInformationViewZYMS* m_board = nullptr;
    TextField* m_jiaGeZ = nullptr;
    Label* m_zuiXiaoDanWei = nullptr;
    Button* m_ziDongGuaPaiB = nullptr;
    bool m_ziDongGuaPai = false;
};
