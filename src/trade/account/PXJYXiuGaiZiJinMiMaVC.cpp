#include "trade/account/PXJYXiuGaiZiJinMiMaVC.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "trade/account/PXJYFundPasswordForm.h"
#include "trade/account/PXJYFundsInput.h"
#include "trade/account/PXJYFundsLook.h"
#include "trade/account/PXJYFundsWire.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"

namespace {
constexpr double kRowHeight = 50;
}  // namespace

PXJYXiuGaiZiJinMiMaVC::PXJYXiuGaiZiJinMiMaVC() {
    setTitle("修改资金密码");
}

void PXJYXiuGaiZiJinMiMaVC::loadView() {
    setView(PXJYFundsLook::rootView());
}

void PXJYXiuGaiZiJinMiMaVC::viewDidLoad() {
    View& root = *view();
    const double barTop = PXTradeViewKit::appViewRect().y;
    PXTradeViewKit::addNavigationBar(root, barTop, "修改资金密码", this);
    const double y0 = barTop + 54;
    PXTradeViewKit::addTitledRows(root, y0, {"请输入原密码:", "请输入新密码:", "请重输新密码:"});
    m_old = addField(Rect(125, y0 + 5, 150, 40));
    m_new = addField(Rect(125, y0 + kRowHeight + 5, 150, 40));
    m_again = addField(Rect(125, y0 + 2 * kRowHeight + 5, 150, 40));
    for (TextField* field : {m_new, m_again}) {
        field->addTarget(EditingChanged, [this](Control&) { textFieldTextDidChange(); });
    }
    const Rect again = m_again->frame();
    m_tick = root.addSubview(std::make_unique<ImageView>(Rect(again.x + 160, again.y + 10, 24, 24),
                                                         Image::named("rightPassword.png")));
    m_tick->setAlpha(0);

    auto done = PXJYFundsLook::button(Rect(15, again.y + 80, 290, 43), "确  定", "anniuhong.png");
    done->addTarget(TouchUpInside, [this](Control&) { doneButtonAction(); });
    m_done = root.addSubview(std::move(done));
}

TextField* PXJYXiuGaiZiJinMiMaVC::addField(const Rect& frame) {
    TextField* field = PXJYFundsLook::addField(*view(), frame, this, true);
    field->setTextAlignment(TextAlignment::Center);
    return field;
}

bool PXJYXiuGaiZiJinMiMaVC::textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                                            const std::string& replacement) {
    if (replacement.empty()) {
        return true;
    }
    return PXJYFundsInput::isPasswordInProgress(
        PXJYFundsInput::edited(field.text(), range.location, range.length, replacement));
}

bool PXJYXiuGaiZiJinMiMaVC::textFieldShouldReturn(TextField&) {
    view()->endEditing();
    return true;
}

void PXJYXiuGaiZiJinMiMaVC::viewWillAppear(bool) {
    m_shownAccount.follow();
}

void PXJYXiuGaiZiJinMiMaVC::forgetAccount() {
    for (TextField* field : {m_old, m_new, m_again}) {
        field->setText("");
    }
    textFieldTextDidChange();
}

void PXJYXiuGaiZiJinMiMaVC::textFieldTextDidChange() {
    m_tick->setAlpha(PXJYFundPasswordForm::matches(m_new->text(), m_again->text()) ? 1 : 0);
}

void PXJYXiuGaiZiJinMiMaVC::doneButtonAction() {
    view()->endEditing();
    if (m_change.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    if (auto refusal = PXJYFundPasswordForm::check(m_old->text(), m_new->text(), m_again->text())) {
        if (refusal->clearsOld) {
            m_old->setText("");
        }
        if (refusal->clearsNew) {
            m_new->setText("");
            m_again->setText("");
        }
        PXTradeMessage::show(refusal->message);
        return;
    }
    JYDict query = PXJYFundsWire::common();
    query["old_password"] = m_old->text();
    query["new_password"] = m_new->text();
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_change.began(*manager, m_done);
    manager->modifyBankingPasswords(query);
}

void PXJYXiuGaiZiJinMiMaVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                 const PXTradeResult*) {
    if (!m_change.endedBy(*manager)) {
        return;
    }
    VKJYNavBackAction();
    PXTradeMessage::show("修改成功");
}

void PXJYXiuGaiZiJinMiMaVC::requestFailed(PXTradeNetworkManger* manager, int) {
    if (!m_change.endedBy(*manager)) {
        return;
    }
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYXiuGaiZiJinMiMaVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (!m_change.endedBy(*manager)) {
        return;
    }
    PXTradeRefusalAlert::show(*manager);
}

void PXJYXiuGaiZiJinMiMaVC::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
