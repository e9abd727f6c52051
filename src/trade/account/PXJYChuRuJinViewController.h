#pragma once

// "出入金首页": the entry to the funds screens. Each time it is shown it fetches the customer's
// bank list ("money_userinfo_query") into the trading store, where the transfer form and the
// balance query read it; its five menu rows open the funds screens, but only once a bank list
// has arrived (after another logon, the new account's). It hosts the account switcher, whose
// login screens it pushes. Owned by the trade tab's navigation stack; main thread.

#include <memory>
#include <string>

#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/account/PXJYBankListFetch.h"
#include "trade/common/PXTradeShownAccount.h"

class PXJianCangAccountSwitch;
class PXJYSwitchingAccountView;

class PXJYChuRuJinViewController : public ViewController, public VKJYNavigationBarViewDelegate {
public:
    static constexpr const char* kClassName = "PXJYChuRuJinViewController";

    PXJYChuRuJinViewController();

    ~PXJYChuRuJinViewController() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void getTradeBankInfo();
    // Opens the screen of a menu row (tags 1 to 5).
    void chuRuJinType(int tag);
    bool bankInfo() const { return m_banks.arrived(); }
    PXJYSwitchingAccountView* switchingAccountView() const { return m_switchingAccountView; }

    // A new screen of a menu row, by tag; none outside 1 to 5.
    static std::unique_ptr<ViewController> screenForTag(int tag);

    void VKJYNavBackAction() override;

private:
    void addMenu(double top);

    PXJYSwitchingAccountView* m_switchingAccountView = nullptr;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
    PXJYBankListFetch m_banks{*this};
    PXTradeShownAccount m_shownAccount{[this] { m_banks.forget(); }};
};
