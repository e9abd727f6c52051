#include "trade/login/PXJYRetrieveAccountVC.h"

#include "trade/login/PXJYSmsCodeRules.h"

PXJYRetrieveAccountVC::PXJYRetrieveAccountVC() : PXJYRegisterUserVC("忘记账号", "找回账号", 74) {}

void PXJYRetrieveAccountVC::sendWithToken(PXTradeNetworkManger& manager,
                                          const std::string& tokenB) {
    manager.retrieveAccount({{"tokenB", tokenB}, {"url", openAccountUrl()}});
}

void PXJYRetrieveAccountVC::showAnswer(const JYDict& answer) {
    showMessage(PXJYSmsCodeRules::retrievedAccountText(answer), kDoneAlertTag, "找回账号成功");
}
