#pragma once
// Opening in one order-book commodity from the trade home's holdings row: the delisting and
// conditional delisting tabs of the order-book opening screen with the commodity shown as a
// label and the account fixed. A commodity the store does not know, or one not traded by
// order book, shows "--" and sends no query and no order. Made by the trade home through the
// screen factory; owned by the navigation controller. Main thread.

#include "trade/open/PXJYJianCangZYMSVC.h"

class PXJYSimpleJianCangZYMSVC : public PXJYJianCangZYMSVC {
public:
    void loadView() override;
    void setPXJianCangZYMSViewValue(const std::string& code) override;
};
