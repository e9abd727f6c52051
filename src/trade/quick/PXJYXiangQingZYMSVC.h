#pragma once
// The position summary detail of an order-book holding, from the trade home's holdings row:
// the summary's rows and "查看明细" for its holding details; no transfer here. Made through the
// screen factory; owned by the navigation controller. Main thread.

#include "trade/quick/PXHuiZongXiangQingScreen.h"

class PXJYXiangQingZYMSVC : public PXHuiZongXiangQingScreen {
protected:
    void addButtons(View& root, double top) override;
};
