#include "platform/ui/AlertView.h"

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/WeakLink.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Window.h"

namespace {
constexpr double kBoxWidth = 270;
constexpr double kButtonHeight = 44;
constexpr double kPadding = 16;
}  // namespace

AlertView::AlertView(const std::string& title, const std::string& message,
                     AlertViewDelegate* delegate, const std::string& cancelButtonTitle,
                     const std::vector<std::string>& otherButtonTitles)
    : m_title(title), m_message(message) {
    setDelegate(delegate);
    setBackgroundColor(Color::white(0, 0.4));
    auto box = std::make_unique<View>();
    box->setBackgroundColor(Color::white(0.97));
    box->setCornerRadius(8);
    box->setClipsToBounds(true);
    m_box = addSubview(std::move(box));
    auto titleLabel = std::make_unique<Label>();
    titleLabel->setFont(Font::boldSystem(17));
    titleLabel->setTextAlignment(TextAlignment::Center);
    titleLabel->setNumberOfLines(0);
    titleLabel->setLineBreakMode(LineBreakMode::WordWrap);
    m_titleLabel = m_box->addSubview(std::move(titleLabel));
    auto messageLabel = std::make_unique<Label>();
    messageLabel->setFont(Font::system(14));
    messageLabel->setTextAlignment(TextAlignment::Center);
    messageLabel->setNumberOfLines(0);
    messageLabel->setLineBreakMode(LineBreakMode::WordWrap);
    m_messageLabel = m_box->addSubview(std::move(messageLabel));
    setTitle(title);
    setMessage(message);
    if (!cancelButtonTitle.empty()) {
        m_cancelIndex = addButton(cancelButtonTitle);
    }
    for (const std::string& other : otherButtonTitles) {
        addButton(other);
    }
}

void AlertView::setDelegate(AlertViewDelegate* delegate) {
    m_delegate = delegate;
    m_delegateWatch = delegate ? delegate->watchEnd([this] { delegateGone(); }) : nullptr;
}

void AlertView::delegateGone() {
    m_delegateWatch.reset();
    if (!m_visible) {
        return;
    }
    m_visible = false;
    // The delegate may be going in the middle of this alert's own button handling; the alert
    // itself lives on until a later turn.
    std::shared_ptr<View> keep = removeFromSuperview();
    MainQueue::post([keep] {});
}

void AlertView::setTitle(const std::string& title) {
    m_title = title;
    m_titleLabel->setText(title);
    setNeedsLayout();
}

void AlertView::setMessage(const std::string& message) {
    m_message = message;
    m_messageLabel->setText(message);
    setNeedsLayout();
}

int AlertView::addButton(const std::string& title) {
    int index = numberOfButtons();
    auto button = Button::create(Button::Type::System);
    button->setTitle(title);
    button->titleLabel()->setFont(index == 0 ? Font::boldSystem(17) : Font::system(17));
    button->setBorderWidth(0.5);
    button->setBorderColor(Color::white(0.8));
    button->addTarget(TouchUpInside, [this, index](Control&) { buttonTapped(index); });
    m_buttons.push_back(m_box->addSubview(std::move(button)));
    setNeedsLayout();
    return index;
}

std::string AlertView::buttonTitleAtIndex(int index) const {
    Button* b = buttonAtIndex(index);
    return b ? b->title() : std::string();
}

Button* AlertView::buttonAtIndex(int index) const {
    if (index < 0 || index >= numberOfButtons()) {
        return nullptr;
    }
    return m_buttons[static_cast<std::size_t>(index)];
}

void AlertView::layoutSubviews() {
    Rect b = bounds();
    double textWidth = kBoxWidth - 2 * kPadding;
    Size titleSize = m_title.empty() ? Size{} : m_titleLabel->sizeThatFits({textWidth, 0});
    Size messageSize = m_message.empty() ? Size{} : m_messageLabel->sizeThatFits({textWidth, 0});
    double y = kPadding + 4;
    m_titleLabel->setFrame({kPadding, y, textWidth, titleSize.height});
    y += titleSize.height + (m_message.empty() ? 0 : 6);
    m_messageLabel->setFrame({kPadding, y, textWidth, messageSize.height});
    y += messageSize.height + kPadding;
    // Two buttons share a row (cancel on the left); otherwise one row each.
    bool sideBySide = m_buttons.size() == 2;
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (sideBySide) {
            m_buttons[i]->setFrame(
                {kBoxWidth / 2 * static_cast<double>(i), y, kBoxWidth / 2, kButtonHeight});
        } else {
            m_buttons[i]->setFrame(
                {0, y + kButtonHeight * static_cast<double>(i), kBoxWidth, kButtonHeight});
        }
    }
    double rows = sideBySide ? 1 : static_cast<double>(m_buttons.size());
    double height = y + kButtonHeight * rows;
    m_box->setFrame({(b.width - kBoxWidth) / 2, (b.height - height) / 2, kBoxWidth, height});
}

bool AlertView::present(std::shared_ptr<AlertView> alert) {
    Application* app = Application::shared();
    Window* window = app ? app->keyWindow() : nullptr;
    if (!alert || !window) {
        return false;
    }
    if (AlertViewDelegate* delegate = alert->delegate()) {
        delegate->willPresentAlertView(*alert);
    }
    alert->setFrame(window->bounds());
    alert->m_visible = true;
    window->addSubview(alert);
    return true;
}

void AlertView::buttonTapped(int index) {
    if (!m_visible) {
        return;
    }
    WeakLink<AlertView> self(this);
    if (AlertViewDelegate* delegate = this->delegate()) {
        delegate->alertViewClickedButtonAtIndex(*this, index);
    }
    if (self) {
        dismiss(index);
    }
}

void AlertView::dismiss(int buttonIndex) {
    if (!m_visible) {
        return;
    }
    m_visible = false;
    WeakLink<AlertView> self(this);
    if (AlertViewDelegate* delegate = this->delegate()) {
        delegate->alertViewWillDismiss(*this, buttonIndex);
    }
    if (!self) {
        return;
    }
    std::shared_ptr<View> keep = removeFromSuperview();
    if (AlertViewDelegate* delegate = this->delegate()) {
        delegate->alertViewDidDismiss(*this, buttonIndex);
    }
}
