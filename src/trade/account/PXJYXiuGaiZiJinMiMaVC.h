#pragma once

// "修改资金密码": changes the six-digit fund password that the transfer form and the balance
// query send. The customer types the old password and the new one twice; the checks run in a
// fixed order, then "money_modpwd" goes out; on success the screen closes and says so. Shown
// again after another logon, what was typed (for the account before) is gone; a 确  定 after
// another logon made while on show sends nothing, says why and empties the three fields too.
// Owned by the trade tab's navigation stack; main thread.

#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class ImageView;

class PXJYXiuGaiZiJinMiMaVC : public ViewController,
                              public PXTradeNetworkMangerDelegate,
                              public VKJYNavigationBarViewDelegate,
                              public TextFieldDelegate {
public:
    static constexpr const char* kClassName = "PXJYXiuGaiZiJinMiMaVC";

    PXJYXiuGaiZiJinMiMaVC();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void doneButtonAction();
    void textFieldTextDidChange();

    TextField* oldPasswordTextField() const { return m_old; }
    TextField* newPasswordTextField() const { return m_new; }
    TextField* aginPasswordTextField() const { return m_again; }
    Button* doneButton() const { return m_done; }
    ImageView* rightPasswordImage() const { return m_tick; }

    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& replacement) override;
    bool textFieldShouldReturn(TextField& field) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void VKJYNavBackAction() override;

private:
    TextField* addField(const Rect& frame);
    void forgetAccount();

    TextField* m_old = nullptr;
    TextField* m_new = nullptr;
    TextField* m_again = nullptr;
    ImageView* m_tick = nullptr;
    Button* m_done = nullptr;
    PXTradeOrderGate m_change;
    PXTradeShownAccount m_shownAccount{[this] { forgetAccount(); }};
};
