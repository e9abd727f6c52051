#include "trade/account/PXJYFundsFormAccount.h"

#include "trade/core/PXTradeNetworkManger.h"

PXJYFundsFormAccount::PXJYFundsFormAccount(ViewController& form, std::function<void()> forget)
    : m_banks(form), m_shownAccount(std::move(forget), [this] { m_banks.fetch(); }) {}

bool PXJYFundsFormAccount::tells(const PXTradeNetworkManger& failure) {
    return failure.reLoginShown() || PXTradeShownAccount::takes(failure);
}
