#include "trade/open/PXJianCangAccountSwitch.h"

#include "platform/ui/NavigationController.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"

void PXJianCangAccountSwitch::add(PXJYSwitchingAccountView* switcher) {
    switcher->setDelegate(this);
    m_switchers.push_back(switcher);
}

PXJYSwitchingAccountView* PXJianCangAccountSwitch::addSwitcher(View& root, const Rect& frame) {
    auto switcher = std::make_unique<PXJYSwitchingAccountView>(frame);
    add(switcher.get());
    switcher->initSwitchingAccountView(frame);
    return root.addSubview(std::move(switcher));
}

void PXJianCangAccountSwitch::reloadTableView() {
    for (PXJYSwitchingAccountView* switcher : m_switchers) {
        switcher->reloadTableView();
    }
}

void PXJianCangAccountSwitch::PXPushLoginVC() {
    NavigationController* navigation = m_screen.navigationController();
    if (!navigation) {
        return;
    }
    auto login = std::make_unique<PXJYTradeLoginVC>();
    login->setDelegate(this);
    login->pauseTimersWhileShown();
    navigation->pushViewController(std::move(login), true);
}

void PXJianCangAccountSwitch::PXPushSimpleLoginVC(const PXJYSavedAccount& account) {
    NavigationController* navigation = m_screen.navigationController();
    if (!navigation) {
        return;
    }
    auto login = std::make_unique<PXJYSimpleLoginVC>();
    login->setDelegate(this);
    login->pauseTimersWhileShown();
    login->setSelectedAccount(account);
    navigation->pushViewController(std::move(login), true);
}

void PXJianCangAccountSwitch::PXJYLoginSuccess() {
    for (PXJYSwitchingAccountView* switcher : m_switchers) {
        switcher->LoginSuccess();
    }
}

void PXJianCangAccountSwitch::PXJYSimpleLoginSuccess() {
    for (PXJYSwitchingAccountView* switcher : m_switchers) {
        switcher->simpleLoginSuccess();
    }
}
