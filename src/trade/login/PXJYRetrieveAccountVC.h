#pragma once

// Retrieving the trading account registered with a phone number by SMS code: the code is
// verified (giving token B), then the environment's account service names the account, which
// is shown. The flow and fields of the opening screen, without its advertising line. A child of
// the login screen. Main thread.

#include "trade/login/PXJYRegisterUserVC.h"

class PXJYRetrieveAccountVC : public PXJYRegisterUserVC {
public:
    PXJYRetrieveAccountVC();

protected:
    void sendWithToken(PXTradeNetworkManger& manager, const std::string& tokenB) override;
    std::string finalTag() const override { return "PXretrieveAccount"; }
    void showAnswer(const JYDict& answer) override;
};
