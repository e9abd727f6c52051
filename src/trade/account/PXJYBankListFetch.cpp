#include "trade/account/PXJYBankListFetch.h"

#include "platform/ui/ViewController.h"
#include "trade/account/PXJYFundsWire.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

PXJYBankListFetch::PXJYBankListFetch(ViewController& screen) : m_screen(screen) {}

void PXJYBankListFetch::fetch() {
    auto manager = PXTradeReplyRelay::newManager(m_screen, *this);
    m_busy.began(manager.get());
    manager->getbankInfo(PXJYFundsWire::common());
}

void PXJYBankListFetch::fetchWhenMissing() {
    const PXTradeModule& module = PXTradeModule::shared();
    if (module.tradeLogin() && !m_busy.isBusy() && !module.PXJYData().yinHangXinXiAnswered()) {
        fetch();
    }
}

void PXJYBankListFetch::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                             const PXTradeResult* data) {
    m_busy.ended(manager);
    if (!PXTradeShownAccount::takes(*manager)) {
        return;
    }
    PXTradeModule::shared().PXJYData().setYinHangXinXi(PXJYFundsWire::records(data));
    m_arrived = true;
}

void PXJYBankListFetch::requestFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    forgetIfTold(*manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYBankListFetch::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    forgetIfTold(*manager);
    PXTradeRefusalAlert::show(*manager);
}

// A late failure of an ended logon leaves the banks of the logon in force as they are.
void PXJYBankListFetch::forgetIfTold(const PXTradeNetworkManger& failure) {
    if (PXTradeRefusalAlert::tells(failure)) {
        m_arrived = false;
    }
}
