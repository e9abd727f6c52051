#pragma once

// Told how the full trading login screen ended. The screen that pushed it implements it.
class PXJYTradeLoginVCDelegate {
public:
    virtual ~PXJYTradeLoginVCDelegate() = default;
    // Logged in; the login screen has been popped.
    virtual void PXJYLoginSuccess() {}
    // The user left with the back button; sent before the login screen is popped.
    virtual void PXJYLoginBackAction() {}
};
