#pragma once

// Read-only text: font, colour, alignment, number of lines and line-break mode; the text is
// centred vertically. Takes no touches unless told to. Owned by its superview. Main thread.

#include <string>

#include "platform/graphics/Font.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/View.h"

class Label : public View {
public:
    Label();
    explicit Label(const Rect& frame, const std::string& text = "");

    const std::string& text() const { return m_text; }
    void setText(const std::string& text);
    const Font& font() const { return m_font; }
    void setFont(const Font& font);
    const Color& textColor() const { return m_textColor; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TextAlignment alignment);
    // 0 means as many lines as fit.
    int numberOfLines() const { return m_lines; }
    void setNumberOfLines(int lines);
    LineBreakMode lineBreakMode() const { return m_lineBreak; }
    void setLineBreakMode(LineBreakMode mode);
    bool adjustsFontSizeToFitWidth() const { return m_adjusts; }
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    double minimumFontSize() const { return m_minimumFontSize; }
    void setMinimumFontSize(double size) { m_minimumFontSize = size; }

    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;
    // The font actually used, after shrinking to fit when asked to.
    Font fittedFont() const;

private:
    void sizeChanged();

    std::string m_text;
    Font m_font = Font::system(17);
    Color m_textColor = Color::blackColor();
    TextAlignment m_alignment = TextAlignment::Left;
    int m_lines = 1;
    LineBreakMode m_lineBreak = LineBreakMode::TruncateTail;
    bool m_adjusts = false;
    double m_minimumFontSize = 0;
};
