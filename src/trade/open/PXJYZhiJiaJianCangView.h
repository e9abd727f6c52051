#pragma once
// The conditional opening form: commodity, quantity, side, a limit price outside the band
// around the market, optional stop-loss and take-profit inside their ranges, valid for the day.
// The host writes the band (ZJfanWei) and the two ranges (SfanWei, YfanWei); "摘牌" checks the
// input against them and hands the order dictionary to the delegate. Owned by its host's view;
// the delegate (the host) is not owned. Main thread.

#include "trade/open/PXJianCangFormView.h"

class PXJYZhiJiaJianCangViewDelegate {
public:
    virtual ~PXJYZhiJiaJianCangViewDelegate() = default;
    virtual void PXChangeCommodity(const std::string& /*code*/) {}
    virtual void PXChangeMaiMaiFangXiang(const std::string& /*code*/) {}
    virtual void PXZhiJiaJianCangClick(const JYDict& /*order*/) {}
};

class PXJYZhiJiaJianCangView : public PXJianCangFormView {
public:
    static constexpr int kQuantityTag = 1012;
    static constexpr int kLimitPriceTag = 1013;
    static constexpr int kStopLossTag = 1014;
    static constexpr int kTakeProfitTag = 1015;

    PXJYZhiJiaJianCangView(const Rect& frame, CommodityCodes commodityCodes);

    PXJYZhiJiaJianCangViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYZhiJiaJianCangViewDelegate* delegate) { m_delegate = delegate; }
    TextField* zhiJiaL() const { return m_zhiJiaL; }
    Label* ZJfanWei() const { return m_ZJfanWei; }
    TextField* zhiS() const { return m_zhiS; }
    Label* SfanWei() const { return m_SfanWei; }
    TextField* zhiY() const { return m_zhiY; }
    Label* YfanWei() const { return m_YfanWei; }
    Button* zhiSunbutton() const { return m_zhiSunbutton; }
    Button* zhiYingButton() const { return m_zhiYingButton; }
    bool JCZhiSun() const { return m_zhiSun; }
    bool JCZhiYing() const { return m_zhiYing; }

    void zhiSunbuttonActionZJ();
    void zhiYingbuttonActionZJ();
    void cleanView() override;

    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& text) override;

protected:
    double depositPrice() const override;
    void tellCommodity(const std::string& code) override;
    void sideChanged() override;
    void sendOrder() override;
    std::vector<TextField*> editableFields() const override;

private:
    struct StopRow {
        Button* tick = nullptr;
        ImageView* background = nullptr;
        TextField* field = nullptr;
        Label* range = nullptr;
    };
    StopRow addStopRow(const std::string& caption, double y, int tag);
    TextField* addPriceField(const Rect& frame, int tag);
    // Ticks or unticks a stop row; refused while the limit price is empty.
    void toggleStop(bool& flag, const StopRow& row);
    static void showStop(const StopRow& row, bool shown);

    PXJYZhiJiaJianCangViewDelegate* m_delegate = nullptr;
    TextField* m_zhiJiaL = nullptr;
    Label* m_ZJfanWei = nullptr;
    TextField* m_zhiS = nullptr;
    Label* m_SfanWei = nullptr;
    TextField* m_zhiY = nullptr;
    Label* m_YfanWei = nullptr;
    Button* m_zhiSunbutton = nullptr;
    Button* m_zhiYingButton = nullptr;
    StopRow m_stopLossRow;
    StopRow m_takeProfitRow;
    bool m_zhiSun = false;
    bool m_zhiYing = false;
};
