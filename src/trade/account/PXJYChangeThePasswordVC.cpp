#include "trade/account/PXJYChangeThePasswordVC.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/account/PXJYPasswordForm.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYLoginForm.h"

namespace {
constexpr double kFirstRowTop = 54;
constexpr double kRowHeight = 50;
constexpr double kFieldX = 125;
const char* const kTag = "PXChangeTradePassWord";
}  // namespace

void PXJYChangeThePasswordVC::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    auto* bar = PXTradeViewKit::addNavigationBar(root, 0, "", this);
    auto tab = [&](double x, const std::string& title, void (PXJYChangeThePasswordVC::*action)()) {
        auto button = std::make_unique<Button>(Rect(x, 3, 100, 38));
        button->setTitle(title);
        button->setTitleColor(Color::whiteColor());
        button->addTarget(TouchUpInside, [this, action](Control&) { (this->*action)(); });
        return bar->addSubview(std::move(button));
    };
    m_longinPassword = tab(60, "登录密码", &PXJYChangeThePasswordVC::longinPasswordAction);
    m_phonePassword = tab(160, "电话密码", &PXJYChangeThePasswordVC::phonePasswordAction);

    const char* titles[] = {"请输入原密码:", "请输入新密码:", "请重输新密码:"};
    const char* placeholders[] = {"请输入原密码", "请输入新密码", "请重复新密码"};
    TextField* fields[3];
    for (int i = 0; i < 3; ++i) {
        const double top = kFirstRowTop + kRowHeight * i;
        root.addSubview(PXTradeViewKit::label(Rect(15, top, 300, kRowHeight), titles[i], 16,
                                              Color::whiteColor()));
        PXTradeViewKit::addLine(root, top + kRowHeight);
        fields[i] = addField(top + 5, placeholders[i]);
    }
    m_oldPasswordTextField = fields[0];
    m_newPasswordTextField = fields[1];
    m_aginPasswordTextField = fields[2];
    for (TextField* field : {m_newPasswordTextField, m_aginPasswordTextField}) {
        field->addTarget(EditingChanged, [this](Control&) { textFieldTextDidChange(); });
    }
    const Rect again = m_aginPasswordTextField->frame();
    m_rightPasswordImage = root.addSubview(std::make_unique<ImageView>(
        Rect(again.x + 160, again.y + 10, 24, 24), Image::named("rightPassword.png")));
    m_rightPasswordImage->setHidden(true);

    auto done = std::make_unique<Button>(Rect(15, again.y + 80, 290, 43));
    done->setTitle("确  定");
    done->setTitleColor(Color::whiteColor());
    done->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    done->addTarget(TouchUpInside, [this](Control&) { doneButtonAction(); });
    m_done = root.addSubview(std::move(done));
    selectKind(true);
}

TextField* PXJYChangeThePasswordVC::addField(double top, const std::string& placeholder) {
    const Rect frame(kFieldX, top, 150, 40);
    view()->addSubview(
        std::make_unique<ImageView>(frame, PXTradeViewKit::stretchable("lashen_x.png")));
    auto field = std::make_unique<TextField>(frame);
    field->setSecureTextEntry(true);
    field->setPlaceholder(placeholder);
    field->setPlaceholderColor(Color::rgb(49, 49, 51));
    field->setTextColor(PXTradeViewKit::fieldText());
    field->setFont(Font::named("Helvetica-Bold", 14));
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    field->setDelegate(this);
    return view()->addSubview(std::move(field));
}

void PXJYChangeThePasswordVC::viewWillAppear(bool) {
    if (m_shownAccount.follow()) {
        VKJYNavBackAction();
    }
}

void PXJYChangeThePasswordVC::slideIn() {
    // What is typed from now on is for the account logged in now.
    m_shownAccount.filling();
    PXTradeViewKit::slide(*view(), 0);
}

void PXJYChangeThePasswordVC::selectKind(bool login) {
    m_longinPassword->setBackgroundImage(Image::named(login ? "zhouqi_press.png" : "zhouqi.png"));
    m_phonePassword->setBackgroundImage(Image::named(login ? "fenshi.png" : "fenshi_press.png"));
    m_passWordType = login ? "0" : "1";
    clearFields();
}

void PXJYChangeThePasswordVC::clearFields() {
    m_rightPasswordImage->setHidden(true);
    for (TextField* field :
         {m_oldPasswordTextField, m_newPasswordTextField, m_aginPasswordTextField}) {
        field->setText("");
    }
}

void PXJYChangeThePasswordVC::longinPasswordAction() {
    selectKind(true);
}

void PXJYChangeThePasswordVC::phonePasswordAction() {
    selectKind(false);
}

void PXJYChangeThePasswordVC::textFieldTextDidChange() {
    m_rightPasswordImage->setHidden(!PXJYPasswordForm::matches(m_newPasswordTextField->text(),
                                                               m_aginPasswordTextField->text()));
}

void PXJYChangeThePasswordVC::doneButtonAction() {
    if (m_change.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    const auto refusal =
        PXJYPasswordForm::check(m_oldPasswordTextField->text(), m_newPasswordTextField->text(),
                                m_aginPasswordTextField->text());
    if (refusal) {
        if (refusal->clearsOld) {
            m_oldPasswordTextField->setText("");
        }
        if (refusal->clearsNew) {
            m_newPasswordTextField->setText("");
            m_aginPasswordTextField->setText("");
            m_rightPasswordImage->setHidden(true);
        }
        PXTradeMessage::show(refusal->message);
        return;
    }
    resignFields();
    PXTradeModule& module = PXTradeModule::shared();
    const JYDict body = PXJYPasswordForm::envelope(
        module.PXJYPeiZhi().getCurrentDateWith(), module.defaultString("JYUserName"),
        m_passWordType, m_oldPasswordTextField->text(), m_newPasswordTextField->text(),
        module.PXJYData().tradeSession()->JYsessionID);
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_change.began(*manager, m_done);
    manager->changeTradeAccountPassWord(body);
}

void PXJYChangeThePasswordVC::resignFields() {
    for (TextField* field :
         {m_oldPasswordTextField, m_newPasswordTextField, m_aginPasswordTextField}) {
        field->resignFirstResponder();
    }
}

void PXJYChangeThePasswordVC::VKJYNavBackAction() {
    selectKind(true);
    resignFields();
    PXTradeViewKit::slide(*view(), 320);
}

bool PXJYChangeThePasswordVC::textFieldShouldReturn(TextField&) {
    resignFields();
    return true;
}

bool PXJYChangeThePasswordVC::textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                                              const std::string& text) {
    return PXJYPasswordForm::acceptsEdit(PXJYLoginForm::characters(field.text()), range.length,
                                         PXJYLoginForm::characters(text));
}

void PXJYChangeThePasswordVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                   const PXTradeResult*) {
    if (!m_change.endedBy(*manager) || manager->typeNW() != kTag) {
        return;
    }
    PXTradeMessage::show("修改密码成功");
    VKJYNavBackAction();
}

void PXJYChangeThePasswordVC::requestFailed(PXTradeNetworkManger* manager, int) {
    if (!m_change.endedBy(*manager)) {
        return;
    }
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYChangeThePasswordVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (!m_change.endedBy(*manager)) {
        return;
    }
    PXTradeRefusalAlert::show(*manager);
}
