#pragma once

// "银行余额查询": the customer picks one of the banks the funds home stored, types the fund
// password and asks for the balance of that bank account ("money_bankfunds"); the balance is
// shown in an alert exactly as the server sent it. The bank chosen goes with another logon.
// Owned by the trade tab's navigation stack; main thread.

#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/account/PXJYFundsFormAccount.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/core/PXTradeNetworkManger.h"

class Button;
class Label;
class PXJYBankListView;

class PXJYYuEChaXunVC : public ViewController,
                        public PXTradeNetworkMangerDelegate,
                        public VKJYNavigationBarViewDelegate,
                        public TextFieldDelegate {
public:
    static constexpr const char* kClassName = "PXJYYuEChaXunVC";

    PXJYYuEChaXunVC();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void selectBankAction();
    void checkButtonAction();
    void chooseBank(const JYDict& bank);
    // "银行余额：" and the balance of a successful reply ("--" when the reply has none).
    static std::string balanceText(const PXTradeResult* data);

    const JYDict& selecedBank() const { return m_bank; }
    TextField* passwordTextField() const { return m_password; }
    Button* selectBank() const { return m_selectBank; }
    PXJYBankListView* bankListView() const { return m_bankList; }

    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& replacement) override;
    bool textFieldShouldReturn(TextField& field) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void VKJYNavBackAction() override;

private:
    void forgetBank();

    JYDict m_bank = JYDict::object();
    Button* m_selectBank = nullptr;
    PXJYBankListView* m_bankList = nullptr;
    TextField* m_password = nullptr;
    Label* m_timePeriod = nullptr;
    PXTradeBusyOverlay m_busy;
    // After another logon the store holds no banks until this one's are fetched again.
    PXJYFundsFormAccount m_account{*this, [this] { forgetBank(); }};
};
