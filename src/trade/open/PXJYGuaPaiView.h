#pragma once
// The listing form of the order-book mode: commodity, side, a price in whole quote units,
// quantity within the range the host writes, whether matching listings are taken at once
// ("是否自动摘牌", "P_F"), the deposit, and "挂牌", which checks, confirms when the user wants
// it and hands the "order_list" request to the host. Owned by its host's view; the delegate
// (the host) is not owned. Main thread.

#include "trade/open/PXJianCangFormView.h"

class PXJYGuaPaiViewDelegate {
public:
    virtual ~PXJYGuaPaiViewDelegate() = default;
    virtual void PXChangeCommodity(const std::string& /*code*/) {}
    virtual void PXGuaPaiButtonClick(const JYDict& /*request*/) {}
};

class PXJYGuaPaiView : public PXJianCangFormView {
public:
    static constexpr int kQuantityTag = 1012;
    static constexpr int kPriceTag = 1013;

    PXJYGuaPaiView(const Rect& frame, CommodityCodes commodityCodes);

    PXJYGuaPaiViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYGuaPaiViewDelegate* delegate) { m_delegate = delegate; }
    TextField* zhiJiaL() const { return m_zhiJiaL; }
    Label* zuiXiaoDanWei() const { return m_zuiXiaoDanWei; }
    Button* ziDongZhaiPaiB() const { return m_ziDongZhaiPaiB; }
    Label* lagelSY() const { return m_lagelSY; }
    bool ziDongZhaiPai() const { return m_ziDongZhaiPai; }

    void ziDongZhaiPaiButtonAction();
    // Commodities listed with automatic delisting always take matching listings at once.
    void cuoHeShangPin();
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

    PXJYGuaPaiViewDelegate* m_delegate = nullptr;
    TextField* m_zhiJiaL = nullptr;
    Label* m_zuiXiaoDanWei = nullptr;
    Button* m_ziDongZhaiPaiB = nullptr;
    Label* m_lagelSY = nullptr;
    bool m_ziDongZhaiPai = false;
};
