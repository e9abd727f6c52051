#pragma once

// A font by name and size in points. "system" and "boldSystem" and named fonts such as
// "Helvetica-Bold" or "Arial" map to the installed fonts, always with a CJK fallback, since
// every label is Chinese. Value type; main thread (font metrics need the GUI application).

#include <string>

#include "platform/graphics/Geometry.h"

class QFont;

class Font {
public:
    Font() = default;
    static Font system(double size);
    static Font boldSystem(double size);
    static Font named(const std::string& name, double size);

    const std::string& name() const { return m_name; }
    double size() const { return m_size; }
    bool isBold() const { return m_bold; }
    Font withSize(double size) const;

    double lineHeight() const;
    double ascender() const;
    // Width of one line of text, without wrapping.
    double widthOf(const std::string& text) const;

    QFont toQFont() const;

    bool operator==(const Font&) const = default;

private:
    std::string m_name = "system";
    double m_size = 17;
    bool m_bold = false;
};
