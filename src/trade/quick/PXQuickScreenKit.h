#pragma once
// What the screens fixed to one commodity or holding share: the account row of their forms
// stays on the logged-in account. Class operations; main thread.

class PXJYSwitchingAccountView;

class PXQuickScreenKit {
public:
    // Disables the switcher's button and hides its arrow; a null switcher is left alone.
    static void lockAccount(PXJYSwitchingAccountView* switcher);
};
