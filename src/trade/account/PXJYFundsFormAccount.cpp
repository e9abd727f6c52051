#include "trade/account/PXJYFundsFormAccount.h"

PXJYFundsFormAccount::PXJYFundsFormAccount(ViewController& form, std::function<void()> forget)
    : m_banks(form), m_shownAccount(std::move(forget), [this] { m_banks.fetch(); }) {}
