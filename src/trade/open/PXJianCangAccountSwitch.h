#pragma once
// The opening screens' side of the account switchers in their forms: pushes the full login
// screen or the switch screen a switcher asks for, pausing the trading timers while it shows, and
// hands a login made there back to every switcher of the screen. Owned by its screen; main thread.

#include <vector>

#include "trade/login/PXJYSimpleLoginVCDelegate.h"
#include "trade/login/PXJYSwitchingAccountViewDelegate.h"
#include "trade/login/PXJYTradeLoginVCDelegate.h"

class PXJYSwitchingAccountView;
class View;
struct Rect;
class ViewController;

class PXJianCangAccountSwitch : public PXJYSwitchingAccountViewDelegate,
                                public PXJYTradeLoginVCDelegate,
                                public PXJYSimpleLoginVCDelegate {
public:
    explicit PXJianCangAccountSwitch(ViewController& screen) : m_screen(screen) {}

    // Becomes the switcher's delegate; the switcher belongs to a form of the screen.
    void add(PXJYSwitchingAccountView* switcher);
    // Builds a switcher of its own on root and adds it; call it last, so the switcher's
    // drop-down list of saved accounts lies over the rows below it.
    PXJYSwitchingAccountView* addSwitcher(View& root, const Rect& frame);
    // The saved accounts may have changed while the screen was hidden.
    void reloadTableView();

    void PXPushLoginVC() override;
    void PXPushSimpleLoginVC(const PXJYSavedAccount& account) override;
    void PXJYLoginSuccess() override;
    void PXJYSimpleLoginSuccess() override;

private:
    ViewController& m_screen;
    std::vector<PXJYSwitchingAccountView*> m_switchers;
};
