#include "trade/account/PXJYYuEChaXunVC.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "trade/account/PXJYBankListView.h"
#include "trade/account/PXJYFundsInput.h"
#include "trade/account/PXJYFundsLook.h"
#include "trade/account/PXJYFundsWire.h"
#include "trade/account/PXJYTransferForm.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeShownAccount.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/TradeText.h"

PXJYYuEChaXunVC::PXJYYuEChaXunVC() {
    setTitle("银行余额查询");
}

void PXJYYuEChaXunVC::loadView() {
    setView(PXJYFundsLook::rootView());
}

void PXJYYuEChaXunVC::viewDidLoad() {
    View& root = *view();
    const double barTop = PXTradeViewKit::appViewRect().y;
    PXTradeViewKit::addNavigationBar(root, barTop, "银行余额查询", this);
    const double y0 = barTop + 54;
    PXTradeViewKit::addTitledRows(root, y0, {"银    行:", "资金密码:"});
    auto bank = PXJYFundsLook::button(Rect(105, y0 + 5, 205, 40), "选择银行", "anniu.png");
    bank->addTarget(TouchUpInside, [this](Control&) { selectBankAction(); });
    m_selectBank = root.addSubview(std::move(bank));

    m_password =
        PXJYFundsLook::addField(root, Rect(105, m_selectBank->frame().y + 50, 205, 40), this, true);

    m_timePeriod = root.addSubview(PXTradeViewKit::label(
        Rect(15, 200, 300, 50), PXJYTransferForm::timePeriodText(m_bank), 16, Color::redColor()));
    auto check = PXJYFundsLook::button(Rect(15, 250, 290, 43), "查询", "anniuhong.png");
    check->addTarget(TouchUpInside, [this](Control&) { checkButtonAction(); });
    root.addSubview(std::move(check));

    const Rect bankFrame = m_selectBank->frame();
    m_bankList = root.addSubview(
        std::make_unique<PXJYBankListView>(Rect(105, bankFrame.y + 40, bankFrame.width, 150),
                                           [this](const JYDict& chosen) { chooseBank(chosen); }));
}

void PXJYYuEChaXunVC::viewWillAppear(bool) {
    m_account.follow();
}

// The bank chosen, and the password typed for it, were another account's.
void PXJYYuEChaXunVC::forgetBank() {
    m_bank = JYDict::object();
    m_bankList->hide();
    m_selectBank->setTitle("选择银行");
    m_password->setText("");
    m_timePeriod->setText(PXJYTransferForm::timePeriodText(m_bank));
}

void PXJYYuEChaXunVC::selectBankAction() {
    view()->endEditing();
    if (m_account.refusesPick()) {
        return;
    }
    m_bankList->show();
}

void PXJYYuEChaXunVC::chooseBank(const JYDict& bank) {
    m_bank = bank;
    m_selectBank->setTitle(TradeText::textAt(bank, "BANK_NAME"));
    m_password->setText("");
    m_timePeriod->setText(PXJYTransferForm::timePeriodText(bank));
}

bool PXJYYuEChaXunVC::textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                                      const std::string& replacement) {
    if (range.location >= PXJYFundsInput::kPasswordLength) {
        return false;
    }
    if (replacement.empty()) {
        return true;
    }
    if (!PXJYFundsInput::isDigits(replacement)) {
        PXTradeMessage::show("输入只能为数字");
        return false;
    }
    return PXJYFundsInput::isPasswordInProgress(
        PXJYFundsInput::edited(field.text(), range.location, range.length, replacement));
}

bool PXJYYuEChaXunVC::textFieldShouldReturn(TextField&) {
    m_password->resignFirstResponder();
    return true;
}

void PXJYYuEChaXunVC::checkButtonAction() {
    view()->endEditing();
    if (m_account.refusesSend()) {
        return;
    }
    if (m_bank.empty()) {
        PXTradeMessage::show("请选择银行");
        m_password->setText("");
        return;
    }
    if (!PXJYFundsInput::isCompletePassword(m_password->text())) {
        PXTradeMessage::show("密码有误");
        return;
    }
    JYDict query = PXJYFundsWire::common();
    query["bank_id"] = TradeText::textAt(m_bank, "BANK_ID");
    query["pswd"] = m_password->text();
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_busy.began(manager.get());
    manager->getcheckAccountBalance(query);
    m_password->setText("");
}

std::string PXJYYuEChaXunVC::balanceText(const PXTradeResult* data) {
    const std::string* balance =
        data && !data->empty() ? std::get_if<std::string>(&data->front()) : nullptr;
    return "银行余额：" + (balance && !balance->empty() ? *balance : std::string("--"));
}

void PXJYYuEChaXunVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                           const PXTradeResult* data) {
    m_busy.ended(manager);
    if (!PXTradeShownAccount::takes(*manager)) {
        return;
    }
    PXTradeMessage::show(balanceText(data));
}

void PXJYYuEChaXunVC::requestFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYYuEChaXunVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    PXTradeRefusalAlert::show(*manager);
}

void PXJYYuEChaXunVC::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
