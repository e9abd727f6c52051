#pragma once
// The price board every order screen shows above its form: latest price with change and change
// percent at the left, high and low (and on the quote-mode board the two dealing prices) in the
// middle, opening price, previous close and day's range at the bottom. It holds no data: its
// labels start as "--" and the host writes them by the fill rule (fill) on every refresh.
// Owned by its superview; main thread.

#include "platform/ui/View.h"

class Label;
class PXTradeData;
struct PXPriceBoardFigures;

class PXPriceBoardView : public View {
public:
    static constexpr double kWidth = 320;
    static constexpr double kHeight = 110;

    // Writes every value label by the fill rule; the order-book board has no dealing prices.
    void fill(const PXPriceBoardFigures& figures);
    // The fill rule for a commodity as the trading store holds it now.
    void fill(const PXTradeData& store, const std::string& code);

    Label* dangQianJia() const { return m_dangQianJia; }
    Label* zhangFu() const { return m_zhangFu; }
    Label* zhangFuBi() const { return m_zhangFuBi; }
    // Null on the order-book board.
    Label* buyl() const { return m_buyl; }
    Label* sellL() const { return m_sellL; }
    Label* zuiGaoL() const { return m_zuiGaoL; }
    Label* zuiDiL() const { return m_zuiDiL; }
    Label* kaiPanJ() const { return m_kaiPanJ; }
    Label* zuoShouJ() const { return m_zuoShouJ; }
    Label* zhengFuL() const { return m_zhengFuL; }

protected:
    PXPriceBoardView(const Rect& frame, bool dealingPrices);

private:
    void initCommodityInformationView(bool dealingPrices);
    void setYiKouJiaView();
    void setHighAndLowLabel(bool dealingPrices);
    void setKaipanLabelAndZuoShouLabel();
    Label* addLabel(const Rect& frame, const std::string& text, double fontSize,
                    bool centred = true);

    Label* m_dangQianJia = nullptr;
    Label* m_zhangFu = nullptr;
    Label* m_zhangFuBi = nullptr;
    Label* m_buyl = nullptr;
    Label* m_sellL = nullptr;
    Label* m_zuiGaoL = nullptr;
    Label* m_zuiDiL = nullptr;
    Label* m_kaiPanJ = nullptr;
    Label* m_zuoShouJ = nullptr;
    Label* m_zhengFuL = nullptr;
};
