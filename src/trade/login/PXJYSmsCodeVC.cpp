#include "trade/login/PXJYSmsCodeVC.h"

#include "platform/foundation/Timer.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTokenBManager.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/login/PXJYKeypadEditing.h"
#include "trade/login/PXJYLoginStyle.h"
#include "widgets/GlossAlertView.h"

namespace {
constexpr double kSlideSeconds = 0.2;
constexpr const char* kCodeTitle = "获取验证码";
}  // namespace

PXJYSmsCodeVC::PXJYSmsCodeVC(std::string title) : m_title(std::move(title)) {}

PXJYSmsCodeVC::~PXJYSmsCodeVC() {
    stopCountdown();
    if (m_keyboardView) {
        m_keyboardView->setDelegate(nullptr);
    }
}

void PXJYSmsCodeVC::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect(0, 0, area.width, area.y + area.height));
    root->setBackgroundColor(PXJYLoginStyle::background());
    m_keyboardView = std::make_shared<PadKeyboardView>(Rect(0, 0, 320, 216));
    m_keyboardView->setDelegate(this);
    m_bar = PXTradeViewKit::addNavigationBar(*root, area.y, m_title, this);
    m_navTitle = m_bar->title();
    buildForm(*root);
    setView(root);
}

TextField* PXJYSmsCodeVC::addKeypadRow(View& root, double y, const std::string& caption,
                                       double width, int tag) {
    root.addSubview(PXJYLoginStyle::caption(Rect(15, y, 65, 40), caption, 16));
    auto field = std::make_unique<TextField>(Rect(80, y, width, 40));
    field->setBackground(PXTradeViewKit::stretchable("lashen_x.png"));
    field->setTextColor(PXTradeViewKit::fieldText());
    field->setFont(PXJYLoginStyle::boldFont(16));
    field->setTag(tag);
    field->setInputView(m_keyboardView);
    field->setDelegate(this);
    return root.addSubview(std::move(field));
}

Button* PXJYSmsCodeVC::addCodeButton(View& root, double x, double y) {
    auto button = PXJYLoginStyle::redButton(Rect(x, y, 120, 40), kCodeTitle);
    button->titleLabel()->setFont(PXJYLoginStyle::boldFont(12));
    button->setBackgroundImage(PXTradeViewKit::stretchable("anniu.png"), StateDisabled);
    m_captchaButton = root.addSubview(std::move(button));
    return m_captchaButton;
}

Button* PXJYSmsCodeVC::addWideButton(View& root, double y, const std::string& title) {
    return root.addSubview(PXJYLoginStyle::redButton(Rect(15, y, 290, 43), title));
}

bool PXJYSmsCodeVC::isShown() {
    return isViewLoaded() && view()->frame().y < PXTradeViewKit::appViewRect().height;
}

void PXJYSmsCodeVC::slideIn() {
    View* host = view()->superview();
    if (!host) {
        return;
    }
    host->bringSubviewToFront(view());
    View::animate(kSlideSeconds, [this, host] { view()->setFrame(host->bounds()); });
}

void PXJYSmsCodeVC::createUserViewBackButtonClick() {
    endEditing();
    for (TextField* field : fields()) {
        field->setText("");
    }
    Rect frame = view()->frame();
    frame.y = PXTradeViewKit::appViewRect().height + 20;
    View::animate(kSlideSeconds, [this, frame] { view()->setFrame(frame); });
}

void PXJYSmsCodeVC::endEditing() {
    for (TextField* field : fields()) {
        field->resignFirstResponder();
    }
}

void PXJYSmsCodeVC::startCountdown() {
    m_timeoutNum = kCountdownSeconds;
    m_captchaButton->setTitle(kCodeTitle, StateDisabled);
    m_captchaButton->setEnabled(false);
    m_timer = Timer::scheduledTimer(1.0, true, [this] { ShiShiGenXinShiJian(); });
}

void PXJYSmsCodeVC::ShiShiGenXinShiJian() {
    m_timeoutNum -= 1;
    if (m_timeoutNum > 0) {
        m_captchaButton->setTitle(std::to_string(m_timeoutNum) + "秒后可以重新获取", StateDisabled);
        return;
    }
    stopCountdown();
    m_captchaButton->setEnabled(true);
    m_captchaButton->setTitle(kCodeTitle, StateDisabled);
}

void PXJYSmsCodeVC::stopCountdown() {
    if (m_timer) {
        m_timer->invalidate();
        m_timer.reset();
    }
}

std::shared_ptr<PXTradeNetworkManger> PXJYSmsCodeVC::newRequest(bool busy) {
    if (auto travelling = m_travelling.lock()) {
        // A tap while another request travels sends nothing; the overlay, up until that
        // request's reply, says why.
        m_busy.began(travelling.get());
        return nullptr;
    }
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_travelling = manager;
    if (busy) {
        m_busy.began(manager.get());
    }
    return manager;
}

void PXJYSmsCodeVC::requestEnded(const PXTradeNetworkManger& reply) {
    if (m_travelling.lock().get() == &reply) {
        m_travelling.reset();
    }
    m_busy.ended(&reply);
}

void PXJYSmsCodeVC::requestFailed(PXTradeNetworkManger* manager, int) {
    requestEnded(*manager);
    showMessage(PXTradeMessage::kNetworkFailed);
}

std::string PXJYSmsCodeVC::storedTokenB() {
    auto* app = VKJYAppDelegate::shared();
    return app ? app->tokenBManager().tokenB().value_or("") : std::string();
}

void PXJYSmsCodeVC::showMessage(const std::string& message, int tag, const std::string& title) {
    auto alert = std::make_unique<GlossAlertView>(title, message, this, "确定");
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    alert->setTag(tag);
    AlertView::show(std::move(alert));
}

void PXJYSmsCodeVC::alertViewClickedButtonAtIndex(AlertView& alert, int) {
    if (alert.tag() == kDoneAlertTag || alert.tag() == kRefusedAlertTag) {
        createUserViewBackButtonClick();
    }
}

void PXJYSmsCodeVC::didNumericKeyPressed(Button& key) {
    if (m_editingField && acceptsKey(*m_editingField)) {
        PXJYKeypadEditing::pressKey(m_editingField, PXJYLoginForm::Field::Other,
                                    key.currentTitle());
    }
}

void PXJYSmsCodeVC::didBackspaceKeyPressed() {
    PXJYKeypadEditing::backspace(m_editingField);
}

void PXJYSmsCodeVC::didspecialKey() {
    if (m_editingField) {
        m_editingField->resignFirstResponder();
    }
}

bool PXJYSmsCodeVC::textFieldShouldBeginEditing(TextField& field) {
    if (field.inputView() == m_keyboardView) {
        m_editingField = &field;
    }
    return true;
}

bool PXJYSmsCodeVC::textFieldShouldReturn(TextField&) {
    endEditing();
    return true;
}
