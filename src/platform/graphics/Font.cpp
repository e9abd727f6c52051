#include "platform/graphics/Font.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace {
// Latin glyphs of the CJK face look fine and keep mixed text on one baseline.
const QStringList kFamilies = {"Noto Sans CJK SC", "Noto Sans CJK TC", "DejaVu Sans"};

bool nameIsBold(const std::string& name) {
    return name.find("Bold") != std::string::npos || name.find("bold") != std::string::npos ||
           name.find("Heavy") != std::string::npos || name.find("Black") != std::string::npos;
}
}  // namespace

Font Font::system(double size) {
    Font f;
    f.m_size = size;
    return f;
}

Font Font::boldSystem(double size) {
    Font f;
    f.m_name = "boldSystem";
    f.m_size = size;
    f.m_bold = true;
    return f;
}

Font Font::named(const std::string& name, double size) {
    Font f;
    f.m_name = name;
    f.m_size = size;
    f.m_bold = nameIsBold(name);
    return f;
}

Font Font::withSize(double size) const {
    Font f = *this;
    f.m_size = size;
    return f;
}

QFont Font::toQFont() const {
    QFont font;
    font.setFamilies(kFamilies);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(m_size))));
    font.setBold(m_bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The CJK face reports a tall natural line (about 1.45 em); the phone's fonts use about 1.2 em,
// and every layout in the app was measured against that.
double Font::lineHeight() const {
    return m_size * 1.2;
}

double Font::ascender() const {
    return m_size * 0.96;
}

double Font::widthOf(const std::string& text) const {
    return QFontMetricsF(toQFont()).horizontalAdvance(QString::fromStdString(text));
}
