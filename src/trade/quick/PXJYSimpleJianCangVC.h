#pragma once
// Opening in one quote-mode commodity from the trade home's holdings row: the market form
// (" 摘牌") or the conditional form ("条件摘牌"), chosen before the push, under the price board;
// the commodity shown as a label and the account fixed. Each appearance starts on the buy side
// and refills; the price refresh keeps the board and the form current. A commodity the store
// does not know shows "--" and no order can go out. Made by the trade home through the screen
// factory; owned by the navigation controller. Main thread.

#include <string>

#include "trade/open/PXJYJianCangViewController.h"

class PXJYSimpleJianCangVC : public PXJYJianCangViewController {
public:
    // 1 market order, any other value conditional order.
    int shiJia_ZhiJia() const { return m_shiJia_ZhiJia; }
    void setShiJia_ZhiJia(int value) { m_shiJia_ZhiJia = value; }
    const std::string& commodityCode() const { return m_commodityCode; }
    void setCommodityCode(const std::string& code) { m_commodityCode = code; }

    void loadView() override;
    void viewWillAppear(bool animated) override;

    void setShiJiaZhiJiaViewValue();

private:
    void showUnknownCommodity();

    int m_shiJia_ZhiJia = 1;
    std::string m_commodityCode;
};
