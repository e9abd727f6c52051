#include "platform/ui/Label.h"

#include "platform/graphics/GraphicsContext.h"

Label::Label() {
    setUserInteractionEnabled(false);
}

Label::Label(const Rect& frame, const std::string& text) : View(frame), m_text(text) {
    setUserInteractionEnabled(false);
}

void Label::setText(const std::string& text) {
    m_text = text;
    sizeChanged();
}

void Label::setFont(const Font& font) {
    m_font = font;
    sizeChanged();
}

// The text's size changed: a superview that sizes the label (a button) lays out again.
void Label::sizeChanged() {
    setNeedsDisplay();
    if (View* owner = superview()) {
        owner->setNeedsLayout();
    }
}

void Label::setTextColor(const Color& color) {
    m_textColor = color;
    setNeedsDisplay();
}

void Label::setTextAlignment(TextAlignment alignment) {
    m_alignment = alignment;
    setNeedsDisplay();
}

void Label::setNumberOfLines(int lines) {
    m_lines = lines;
    setNeedsDisplay();
}

void Label::setLineBreakMode(LineBreakMode mode) {
    m_lineBreak = mode;
    setNeedsDisplay();
}

void Label::setAdjustsFontSizeToFitWidth(bool adjusts) {
    m_adjusts = adjusts;
    setNeedsDisplay();
}

Font Label::fittedFont() const {
    if (!m_adjusts || m_lines != 1 || bounds().width <= 0) {
        return m_font;
    }
    Font font = m_font;
    double floor = m_minimumFontSize > 0 ? m_minimumFontSize : 4;
    while (font.size() > floor && font.widthOf(m_text) > bounds().width) {
        font = font.withSize(std::max(floor, font.size() - 0.5));
    }
    return font;
}

void Label::draw(GraphicsContext& context, const Rect&) {
    if (m_text.empty()) {
        return;
    }
    Font font = fittedFont();
    Rect b = bounds();
    Size used = TextLayout::measure(m_text, font, {b.width, b.height}, m_lineBreak, m_lines);
    // Vertically centred, as a label lays out its text.
    double top = b.y + (b.height - used.height) / 2;
    Rect area{b.x, top, b.width, std::max(used.height, font.lineHeight())};
    TextLayout::draw(context.painter(), m_text, area, font, m_textColor, m_lineBreak, m_alignment,
                     m_lines);
}

Size Label::sizeThatFits(Size size) const {
    return TextLayout::measure(m_text, m_font, size, m_lineBreak, m_lines);
}
