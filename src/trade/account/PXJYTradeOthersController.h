#pragma once

// The trading side's "更多" menu: the settings, the line switch, the password change panel
// (slid in over the menu), the current status, and logging out after a confirmation (any answer
// of the server logs out; a refusal shows the server's word instead of the success). The
// password panel is a child made with the view and kept for the screen's life. Pushed by the
// trade home; owned by its navigation stack. Main thread only.

#include <string>

#include "platform/ui/AlertView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/core/PXTradeNetworkManger.h"

class PXJYChangeThePasswordVC;

class PXJYTradeOthersController : public ViewController,
                                  public VKJYNavigationBarViewDelegate,
                                  public AlertViewDelegate,
                                  public PXTradeNetworkMangerDelegate {
public:
    void viewDidLoad() override;

    void setUpViewButtonAction(int tag);
    void pushSetUpVC();
    void pushChangeLinkVC();
    void pushChangePasswordVC();
    void pushCurrentStatusVC();
    PXJYChangeThePasswordVC* modifyTradePasswordVC() const { return m_modifyTradePasswordVC; }

    void VKJYNavBackAction() override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    void push(std::unique_ptr<ViewController> screen);
    void addRow(int tag, const char* title, const char* image, double top);
    void confirmLogout();
    void loggedOut(const std::string& message);

    PXJYChangeThePasswordVC* m_modifyTradePasswordVC = nullptr;
    PXTradeOrderGate m_logoff;
};
