#include "platform/ui/TextField.h"

#include <QString>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/WeakLink.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Touch.h"

namespace {

constexpr double kClearButtonSize = 19;
constexpr double kClearButtonMargin = 6;

std::u32string toCodePoints(const std::string& text) {
    return QString::fromStdString(text).toStdU32String();
}

std::string fromCodePoints(const std::u32string& text) {
    return QString::fromStdU32String(text).toStdString();
}

}  // namespace

TextField::TextField() : TextField(Rect{}) {}

TextField::TextField(const Rect& frame) : Control(frame) {}

TextField::~TextField() {
    if (isFirstResponder()) {
        m_editing = false;
    }
}

void TextField::setText(const std::string& text) {
    m_text = text;
    setNeedsDisplay();
}

void TextField::setPlaceholder(const std::string& placeholder) {
    m_placeholder = placeholder;
    setNeedsDisplay();
}

void TextField::setPlaceholderColor(const Color& color) {
    m_placeholderColor = color;
    setNeedsDisplay();
}

void TextField::setFont(const Font& font) {
    m_font = font;
    setNeedsDisplay();
}

void TextField::setTextColor(const Color& color) {
    m_textColor = color;
    setNeedsDisplay();
}

void TextField::setTextAlignment(TextAlignment alignment) {
    m_alignment = alignment;
    setNeedsDisplay();
}

void TextField::setSecureTextEntry(bool secure) {
    m_secure = secure;
    setNeedsDisplay();
}

void TextField::setClearButtonMode(ClearButtonMode mode) {
    m_clearMode = mode;
    setNeedsDisplay();
}

void TextField::setBackground(const Image& image) {
    m_background = image;
    setNeedsDisplay();
}

void TextField::setInputView(std::shared_ptr<View> view) {
    m_inputView = std::move(view);
}

std::size_t TextField::length() const {
    return toCodePoints(m_text).size();
}

bool TextField::canBecomeFirstResponder() const {
    return isEnabled();
}

bool TextField::becomeFirstResponder() {
    if (m_editing) {
        return true;
    }
    if (!canBecomeFirstResponder()) {
        return false;
    }
    if (m_delegate && !m_delegate->textFieldShouldBeginEditing(*this)) {
        return false;
    }
    WeakLink<TextField> self(this);
    if (!Responder::becomeFirstResponder() || !self) {
        return false;
    }
    m_editing = true;
    announceEditing(true);
    return true;
}

// Tells the delegate, the targets and the observers, in the platform's order.
void TextField::announceEditing(bool began) {
    setNeedsDisplay();
    WeakLink<TextField> self(this);
    if (m_delegate) {
        if (began) {
            m_delegate->textFieldDidBeginEditing(*this);
        } else {
            m_delegate->textFieldDidEndEditing(*this);
        }
    }
    if (!self) {
        return;
    }
    sendActions(began ? EditingDidBegin : EditingDidEnd);
    if (self) {
        NotificationCenter::defaultCenter().post(
            began ? kTextDidBeginEditingNotification : kTextDidEndEditingNotification, this);
    }
}

bool TextField::resignFirstResponder() {
    if (!m_editing) {
        return Responder::resignFirstResponder();
    }
    if (m_delegate && !m_delegate->textFieldShouldEndEditing(*this)) {
        return false;
    }
    m_editing = false;
    WeakLink<TextField> self(this);
    Responder::resignFirstResponder();
    if (self) {
        announceEditing(false);
    }
    return true;
}

bool TextField::replaceCharacters(TextRange range, const std::string& replacement) {
    std::u32string chars = toCodePoints(m_text);
    if (range.location > chars.size() || range.length > chars.size() - range.location) {
        return false;
    }
    WeakLink<TextField> self(this);
    if (m_delegate && !m_delegate->textFieldShouldChangeCharacters(*this, range, replacement)) {
        return false;
    }
    if (!self) {
        return false;
    }
    chars.replace(range.location, range.length, toCodePoints(replacement));
    m_text = fromCodePoints(chars);
    setNeedsDisplay();
    textChangedByUser();
    return true;
}

void TextField::textChangedByUser() {
    WeakLink<TextField> self(this);
    sendActions(EditingChanged);
    if (self) {
        NotificationCenter::defaultCenter().post(kTextDidChangeNotification, this);
    }
}

void TextField::insertText(const std::string& text) {
    if (!m_editing || text.empty()) {
        return;
    }
    replaceCharacters({length(), 0}, text);
}

void TextField::deleteBackward() {
    std::size_t n = length();
    if (!m_editing || n == 0) {
        return;
    }
    replaceCharacters({n - 1, 1}, "");
}

void TextField::pressReturn() {
    if (!m_editing) {
        return;
    }
    WeakLink<TextField> self(this);
    if (m_delegate && !m_delegate->textFieldShouldReturn(*this)) {
        return;
    }
    if (self) {
        sendActions(EditingDidEndOnExit);
    }
}

void TextField::clear() {
    if (m_delegate && !m_delegate->textFieldShouldClear(*this)) {
        return;
    }
    if (m_text.empty()) {
        return;
    }
    m_text.clear();
    setNeedsDisplay();
    textChangedByUser();
}

bool TextField::isClearButtonShown() const {
    if (m_text.empty()) {
        return false;
    }
    switch (m_clearMode) {
        case ClearButtonMode::Never:
            return false;
        case ClearButtonMode::WhileEditing:
            return m_editing;
        case ClearButtonMode::UnlessEditing:
            return !m_editing;
        case ClearButtonMode::Always:
            return true;
    }
    return false;
}

Rect TextField::clearButtonRect() const {
    Rect b = bounds();
    return {b.maxX() - kClearButtonSize - kClearButtonMargin, b.midY() - kClearButtonSize / 2,
            kClearButtonSize, kClearButtonSize};
}

void TextField::touchesEnded(const TouchSet& touches, const Event& event) {
    bool tracking = isTracking();
    Point p = touches.front()->locationInView(this);
    WeakLink<TextField> self(this);
    Control::touchesEnded(touches, event);
    if (!self || !tracking || !bounds().contains(p)) {
        return;
    }
    if (m_editing && isClearButtonShown() && clearButtonRect().insetBy(-6, -6).contains(p)) {
        clear();
        return;
    }
    becomeFirstResponder();
}

void TextField::draw(GraphicsContext& context, const Rect&) {
    Rect b = bounds();
    context.drawImage(m_background, b);
    Rect textRect = b;
    if (isClearButtonShown()) {
        textRect.width -= kClearButtonSize + 2 * kClearButtonMargin;
        Rect c = clearButtonRect();
        context.setFillColor(Color::white(0.7));
        context.beginPath();
        context.addEllipseInRect(c);
        context.fillPath();
        context.setStrokeColor(Color::whiteColor());
        context.setLineWidth(1.5);
        double d = 5;
        context.strokeLine({c.midX() - d, c.midY() - d}, {c.midX() + d, c.midY() + d});
        context.strokeLine({c.midX() - d, c.midY() + d}, {c.midX() + d, c.midY() - d});
    }
    std::string shown = m_text;
    if (m_secure) {
        shown.clear();
        for (std::size_t i = 0; i < length(); ++i) {
            shown += "\u2022";
        }
    }
    bool placeholder = shown.empty();
    const std::string& text = placeholder ? m_placeholder : shown;
    double lineHeight = m_font.lineHeight();
    Rect line{textRect.x, textRect.y + (textRect.height - lineHeight) / 2, textRect.width,
              lineHeight};
    // Text that is too long shows its end, where the caret is.
    TextLayout::draw(
        context.painter(), text, line, m_font, placeholder ? m_placeholderColor : m_textColor,
        placeholder || !m_editing ? LineBreakMode::TruncateTail : LineBreakMode::TruncateHead,
        m_alignment, 1);
    if (m_editing) {
        double width = placeholder ? 0 : std::min(m_font.widthOf(text), textRect.width);
        double x = textRect.x + 1;
        if (m_alignment == TextAlignment::Right) {
            x = textRect.maxX() - 1;
        } else if (m_alignment == TextAlignment::Center) {
            x = textRect.midX() + width / 2;
        } else {
            x += width;
        }
        context.setFillColor(Color::rgb(0, 122, 255));
        context.fillRect({x, line.y + 1, 2, lineHeight - 2});
    }
}
