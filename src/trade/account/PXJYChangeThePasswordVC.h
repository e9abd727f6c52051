#pragma once

// The trading password change panel: the login or phone password, old, new and repeated
// entries, the match tick, and the change_password request. It is not pushed: its host (the
// more menu, the account screen) keeps it as a child, lays its view just right of the visible
// area and calls slideIn(); the panel slides itself out on back and after a change went
// through, every entry reset, and when its host shows again after another logon: what was typed
// was for the account before. A 确  定 after another logon sends nothing, says why and empties
// the three entries; the panel stays for the account now logged in. Owned by its host. Main
// thread only.

#include <string>

#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class ImageView;

class PXJYChangeThePasswordVC : public ViewController,
                                public VKJYNavigationBarViewDelegate,
                                public TextFieldDelegate,
                                public PXTradeNetworkMangerDelegate {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void slideIn();
    void longinPasswordAction();
    void phonePasswordAction();
    void doneButtonAction();
    void textFieldTextDidChange();

    const std::string& passWordType() const { return m_passWordType; }

    void VKJYNavBackAction() override;
    bool textFieldShouldReturn(TextField& field) override;
    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& text) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    TextField* addField(double top, const std::string& placeholder);
    void selectKind(bool login);
    void resignFields();
    void clearFields();

    Button* m_longinPassword = nullptr;
    Button* m_phonePassword = nullptr;
    TextField* m_oldPasswordTextField = nullptr;
    TextField* m_newPasswordTextField = nullptr;
    TextField* m_aginPasswordTextField = nullptr;
    ImageView* m_rightPasswordImage = nullptr;
    Button* m_done = nullptr;
    std::string m_passWordType = "0";
    PXTradeOrderGate m_change;
    PXTradeShownAccount m_shownAccount{[this] {
        clearFields();
        resignFields();
    }};
};
