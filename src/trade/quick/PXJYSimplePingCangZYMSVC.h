#pragma once
// Transfer listing of one order-book holding: the order-book transfer screen fixed to a holding
// summary (from the trade home's holdings row or the holding summary query) or to one holding
// number (from the holding detail query). The commodity cannot be changed, the account is
// fixed, and the holding-number picker lists only the numbers of that commodity and side. Made
// through the screen factory; owned by the navigation controller. Main thread.

#include "trade/close/PXJYZhuanRangZYMSVC.h"

class PXJYSimplePingCangZYMSVC : public PXJYZhuanRangZYMSVC {
public:
    void loadView() override;
    // Fixed to one holding: the mode and picker buttons are disabled, transfer by number.
    void fixToHoldingNumber(const std::string& number);
    // Opened over the trade home or a holding query: back and a finished order return there.
    void VKJYNavBackAction() override;

protected:
    std::vector<std::string> pickerNumbers() const override;
    std::string detailQueryCode() const override;

private:
    // The commodity and side the screen serves: the summary's, else the held number's.
    std::pair<std::string, std::string> served() const;
};
