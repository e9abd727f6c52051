#pragma once

// "出入金操作": moves money between one of the customer's banks and the trading account, as a
// deposit ("入金", type "I") or a withdrawal ("出金", type "O"). The customer picks the type and
// a bank, types the amount and the fund password, confirms in an alert, and the form sends
// "money_transfer". Opens on deposit with empty fields each time it is shown; the chosen bank
// stays while the screen lives and the account does not change. Owned by the trade tab's
// navigation stack; main thread.

#include <string>

#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/account/PXJYFundsFormAccount.h"
#include "trade/common/PXTradeOrderGate.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "widgets/GlossAlertView.h"

class Button;
class Label;
class PXJYBankListView;

class PXJYChuRuJinCaoZuoVC : public ViewController,
                             public PXTradeNetworkMangerDelegate,
                             public VKJYNavigationBarViewDelegate,
                             public TextFieldDelegate,
                             public AlertViewDelegate {
public:
    static constexpr const char* kClassName = "PXJYChuRuJinCaoZuoVC";
    static constexpr int kPasswordFieldTag = 1121;
    static constexpr int kAmountFieldTag = 1122;
    static constexpr int kConfirmAlertTag = 1222;

    PXJYChuRuJinCaoZuoVC();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void ruJinButtonAction();
    void chuJinButtonAction();
    void selectBankButtonAction();
    void doneButtonAction();
    void requestNetWork();
    void chooseBank(const JYDict& bank);

    const std::string& GoldOperatingType() const { return m_type; }
    const JYDict& selecedBank() const { return m_bank; }
    TextField* moneyTextField() const { return m_money; }
    TextField* passwordTextField() const { return m_password; }
    Button* selectBank() const { return m_selectBank; }
    PXJYBankListView* bankListView() const { return m_bankList; }

    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& replacement) override;
    bool textFieldShouldReturn(TextField& field) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void VKJYNavBackAction() override;

private:
    // Selects the type; true when the chosen bank was dropped as it takes no deposit.
    bool selectType(const char* type);
    void clearFields();
    void forgetBank();
    void forgetAccount();
    TextField* addField(const Rect& frame, int tag, bool secure);

    std::string m_type = "I";
    JYDict m_bank = JYDict::object();
    Button* m_ruJin = nullptr;
    Button* m_chuJin = nullptr;
    Button* m_selectBank = nullptr;
    PXJYBankListView* m_bankList = nullptr;
    TextField* m_money = nullptr;
    TextField* m_password = nullptr;
    Label* m_timePeriod = nullptr;
    Button* m_done = nullptr;
    // One transfer at a time, whatever other request answers meanwhile.
    PXTradeOrderGate m_transfer;
    // After another logon the store holds no banks until this one's are fetched again.
    PXJYFundsFormAccount m_account{*this, [this] { forgetAccount(); }};
    std::string m_sentType;
    std::string m_sentAmount;
};
