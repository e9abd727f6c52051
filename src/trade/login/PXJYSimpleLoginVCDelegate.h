#pragma once

// Told how the switch-account screen ended. The screen that pushed it implements it.
class PXJYSimpleLoginVCDelegate {
public:
    virtual ~PXJYSimpleLoginVCDelegate() = default;
    // The chosen account is logged in; the switch screen has been popped.
    virtual void PXJYSimpleLoginSuccess() {}
    // Cancelled while the old login was still in force; the switch screen has been popped.
    virtual void PXJYSimpleLoginCancelAction() {}
};
