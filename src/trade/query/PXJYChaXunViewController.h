#pragma once

// "查询": the query menu the trade home opens. It shows the account in use with the account
// switcher (whose login screens it pushes) and opens the deal, order, holding-detail and
// holding-summary queries from its four rows. Sends no request of its own. Owned by the trade
// tab's navigation stack; main thread.

#include <memory>

#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"

class PXJianCangAccountSwitch;
class PXJYSwitchingAccountView;

class PXJYChaXunViewController : public ViewController, public VKJYNavigationBarViewDelegate {
public:
    static constexpr const char* kClassName = "PXJYChaXunViewController";

    PXJYChaXunViewController();

    ~PXJYChaXunViewController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // Opens the query of a menu row (tags 1 to 4); any other tag does nothing.
    void selectInquiryType(int tag);
    PXJYSwitchingAccountView* switchingAccountView() const { return m_switchingAccountView; }

    void VKJYNavBackAction() override;

private:
    void addMenu(double top);

    PXJYSwitchingAccountView* m_switchingAccountView = nullptr;
    std::unique_ptr<PXJianCangAccountSwitch> m_accountSwitch;
};
