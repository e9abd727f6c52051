#include "trade/account/PXJYFundsFormAccount.h"

PXJYFundsFormAccount::PXJYFundsFormAccount(ViewController& form, std::function<void()> forget)
    : m_banks(form),
      m_shownAccount(
          std::move(forget), [this] { m_banks.fetch(); }, [this] { m_banks.fetchWhenMissing(); }) {}

bool PXJYFundsFormAccount::refusesSend() {
    if (m_shownAccount.refusesTap()) {
        return true;
    }
    m_banks.fetchWhenMissing();
    return false;
}

bool PXJYFundsFormAccount::refusesPick() {
    return refusesSend() || m_banks.onItsWay();
}
