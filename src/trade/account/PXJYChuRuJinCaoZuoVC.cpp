#include "trade/account/PXJYChuRuJinCaoZuoVC.h"

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
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/TradeText.h"

namespace {
const char* const kTransferTag = "PXGoldOperating";
}  // namespace

PXJYChuRuJinCaoZuoVC::PXJYChuRuJinCaoZuoVC() {
    setTitle("出入金操作");
}

void PXJYChuRuJinCaoZuoVC::loadView() {
    setView(PXJYFundsLook::rootView());
}

void PXJYChuRuJinCaoZuoVC::viewDidLoad() {
    View& root = *view();
    const double barTop = PXTradeViewKit::appViewRect().y;
    PXTradeViewKit::addNavigationBar(root, barTop, "出入金操作", this);
    const double y0 = barTop + 54;
    PXTradeViewKit::addTitledRows(root, y0, {"转账类型:", "转账银行:", "金    额:", "资金密码:"});
    m_ruJin = root.addSubview(PXJYFundsLook::button(Rect(95, y0, 93, 40), "入金", "anniuhong.png"));
    m_ruJin->addTarget(TouchUpInside, [this](Control&) { ruJinButtonAction(); });
    m_chuJin = root.addSubview(PXJYFundsLook::button(Rect(203, y0, 93, 40), "出金", "anniu.png"));
    m_chuJin->addTarget(TouchUpInside, [this](Control&) { chuJinButtonAction(); });

    m_selectBank =
        root.addSubview(PXJYFundsLook::button(Rect(95, y0 + 55, 205, 40), "选择银行", "anniu.png"));
    m_selectBank->addTarget(TouchUpInside, [this](Control&) { selectBankButtonAction(); });
    m_selectBank->addSubview(
        std::make_unique<ImageView>(Rect(175, 13, 16, 9), Image::named("xiasanjiao.png")));

    const double amountTop = m_selectBank->frame().y + 50;
    m_money = addField(Rect(95, amountTop, 130, 40), kAmountFieldTag, false);
    root.addSubview(PXTradeViewKit::label(Rect(225, amountTop - 5, 150, 50), "单位:元 精度:分", 12,
                                          Color::whiteColor()));
    m_password = addField(Rect(95, amountTop + 50, 130, 40), kPasswordFieldTag, true);

    m_timePeriod = root.addSubview(PXTradeViewKit::label(
        Rect(15, 270, 300, 50), PXJYTransferForm::timePeriodText(m_bank), 16, Color::redColor()));
    m_done =
        root.addSubview(PXJYFundsLook::button(Rect(15, 320, 290, 43), "确定", "anniuhong.png"));
    m_done->addTarget(TouchUpInside, [this](Control&) { doneButtonAction(); });

    const Rect bankFrame = m_selectBank->frame();
    m_bankList = root.addSubview(
        std::make_unique<PXJYBankListView>(Rect(95, bankFrame.y + 40, bankFrame.width, 150),
                                           [this](const JYDict& bank) { chooseBank(bank); }));
}

TextField* PXJYChuRuJinCaoZuoVC::addField(const Rect& frame, int tag, bool secure) {
    TextField* field = PXJYFundsLook::addField(*view(), frame, this, secure);
    field->setTag(tag);
    return field;
}

void PXJYChuRuJinCaoZuoVC::viewWillAppear(bool) {
    m_account.follow();
    // Nobody asked for this reset, so a bank it drops goes without an alert.
    selectType(PXJYTransferForm::kDeposit);
}

void PXJYChuRuJinCaoZuoVC::ruJinButtonAction() {
    if (selectType(PXJYTransferForm::kDeposit)) {
        AlertView::show(std::make_unique<GlossAlertView>(
            "提示", PXJYTransferForm::kThirdPartyRefusal, nullptr, "确定"));
    }
}

void PXJYChuRuJinCaoZuoVC::chuJinButtonAction() {
    selectType(PXJYTransferForm::kWithdrawal);
}

bool PXJYChuRuJinCaoZuoVC::selectType(const char* type) {
    m_type = type;
    clearFields();
    const bool deposit = m_type == PXJYTransferForm::kDeposit;
    m_ruJin->setBackgroundImage(
        PXTradeViewKit::stretchable(deposit ? "anniuhong.png" : "anniu.png"));
    m_chuJin->setBackgroundImage(
        PXTradeViewKit::stretchable(deposit ? "anniu.png" : "anniuhong.png"));
    // A bank chosen for a withdrawal may be one that takes no deposit.
    if (!deposit || !PXJYTransferForm::refusesDeposit(m_bank)) {
        return false;
    }
    forgetBank();
    return true;
}

// The bank chosen, and the banks listed, were another account's.
void PXJYChuRuJinCaoZuoVC::forgetAccount() {
    m_bankList->hide();
    forgetBank();
    clearFields();
}

void PXJYChuRuJinCaoZuoVC::forgetBank() {
    m_bank = JYDict::object();
    m_selectBank->setTitle("选择银行");
    m_timePeriod->setText(PXJYTransferForm::timePeriodText(m_bank));
}

void PXJYChuRuJinCaoZuoVC::clearFields() {
    m_money->setText("");
    m_password->setText("");
}

void PXJYChuRuJinCaoZuoVC::selectBankButtonAction() {
    view()->endEditing();
    if (m_account.refusesPick()) {
        return;
    }
    m_bankList->show();
}

void PXJYChuRuJinCaoZuoVC::chooseBank(const JYDict& bank) {
    if (m_type == PXJYTransferForm::kDeposit && PXJYTransferForm::refusesDeposit(bank)) {
        AlertView::show(std::make_unique<GlossAlertView>(
            "提示", PXJYTransferForm::kThirdPartyRefusal, nullptr, "确定"));
        return;
    }
    clearFields();
    m_bank = bank;
    m_selectBank->setTitle(TradeText::textAt(bank, "BANK_NAME"));
    m_timePeriod->setText(PXJYTransferForm::timePeriodText(bank));
}

bool PXJYChuRuJinCaoZuoVC::textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                                           const std::string& replacement) {
    const std::string after =
        PXJYFundsInput::edited(field.text(), range.location, range.length, replacement);
    if (replacement.empty()) {
        return true;
    }
    if (field.tag() == kPasswordFieldTag) {
        return PXJYFundsInput::isPasswordInProgress(after);
    }
    if (field.tag() == kAmountFieldTag) {
        return PXJYFundsInput::isAmountInProgress(after);
    }
    return true;
}

bool PXJYChuRuJinCaoZuoVC::textFieldShouldReturn(TextField&) {
    m_money->resignFirstResponder();
    m_password->resignFirstResponder();
    return true;
}

void PXJYChuRuJinCaoZuoVC::doneButtonAction() {
    view()->endEditing();
    if (m_account.refusesSend()) {
        return;
    }
    const std::string amount = m_money->text();
    if (auto refusal = PXJYTransferForm::check(m_bank, m_type, amount, m_password->text())) {
        PXTradeMessage::show(*refusal);
        return;
    }
    auto confirm =
        std::make_unique<GlossAlertView>("提示", PXJYTransferForm::confirmationText(m_type, amount),
                                         this, "确定", std::vector<std::string>{"取消"});
    confirm->setStyle(GlossAlertView::kStyleAllWhite);
    confirm->setTag(kConfirmAlertTag);
    AlertView::show(std::move(confirm));
}

void PXJYChuRuJinCaoZuoVC::alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) {
    if (alert.tag() == kConfirmAlertTag && buttonIndex == 0) {
        requestNetWork();
    }
}

void PXJYChuRuJinCaoZuoVC::requestNetWork() {
    if (m_transfer.isOutstanding() || m_account.refusesSend()) {
        return;
    }
    m_sentType = m_type;
    m_sentAmount = m_money->text();
    const JYDict transfer = PXJYTransferForm::request(PXJYFundsWire::common(), m_bank, m_type,
                                                      m_sentAmount, m_password->text());
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_transfer.began(*manager, m_done);
    manager->setMoneyTransfer(transfer);
}

void PXJYChuRuJinCaoZuoVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                const PXTradeResult*) {
    if (!m_transfer.endedBy(*manager) || manager->typeNW() != kTransferTag) {
        return;
    }
    // The texts of the transfer sent: the form may have changed while it was under way.
    PXTradeMessage::show(PXJYTransferForm::successText(m_sentType, m_sentAmount));
    clearFields();
}

void PXJYChuRuJinCaoZuoVC::requestFailed(PXTradeNetworkManger* manager, int) {
    if (!m_transfer.endedBy(*manager)) {
        return;
    }
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYChuRuJinCaoZuoVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (!m_transfer.endedBy(*manager)) {
        return;
    }
    PXTradeRefusalAlert::show(*manager);
}

void PXJYChuRuJinCaoZuoVC::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
