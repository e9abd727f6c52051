#include "platform/graphics/TextLayout.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

struct LaidLine {
    double width = 0;
    // The shaped glyphs, baseline at y 0: shaping is most of a text's cost on every pass.
    QList<QGlyphRun> glyphs;
};

constexpr double kUnlimited = std::numeric_limits<double>::max();

bool truncates(LineBreakMode mode) {
    return mode == LineBreakMode::TruncateHead || mode == LineBreakMode::TruncateTail ||
           mode == LineBreakMode::TruncateMiddle;
}

Qt::TextElideMode elideMode(LineBreakMode mode) {
    switch (mode) {
        case LineBreakMode::TruncateHead:
            return Qt::ElideLeft;
        case LineBreakMode::TruncateMiddle:
            return Qt::ElideMiddle;
        default:
            return Qt::ElideRight;
    }
}

// The glyph runs the painter draws for one line, placed with their baseline at y 0.
QList<QGlyphRun> shapeLine(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return {};
    }
    line.setLineWidth(kUnlimited / 4);
    layout.endLayout();
    QList<QGlyphRun> runs = layout.glyphRuns();
    const double ascent = line.ascent();
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions) {
            position.ry() -= ascent;
        }
        run.setPositions(positions);
    }
    return runs;
}

constexpr char16_t kBreakMark = 0x200B;

// Word wrapping may break after a comma that runs straight on into a word, as in
// "(<=1.00,>=2.00)": the line breaker finds no break there and would cut a number instead. A
// comma between digits ("1,000") stays unbroken.
QString markCommaBreaks(const QString& paragraph) {
    QString marked;
    for (qsizetype i = 0; i < paragraph.size(); ++i) {
        marked += paragraph[i];
        const bool runsOn =
            i + 1 < paragraph.size() && !paragraph[i + 1].isSpace() && !paragraph[i + 1].isDigit();
        if (paragraph[i] == u',' && runsOn) {
            marked += QChar(kBreakMark);
        }
    }
    return marked;
}

// Breaks one paragraph into lines no wider than `width`.
std::vector<QString> wrapParagraph(const QString& paragraph, const QFont& font, double width,
                                   LineBreakMode mode) {
    if (paragraph.isEmpty()) {
        return {QString()};
    }
    // The line breaker asks for more room than the text's advance; a text measured to fit
    // must not lose its last character to a second line.
    if (QFontMetricsF(font).horizontalAdvance(paragraph) <= width) {
        return {paragraph};
    }
    const QString text = mode == LineBreakMode::WordWrap ? markCommaBreaks(paragraph) : paragraph;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(mode == LineBreakMode::CharWrap ? QTextOption::WrapAnywhere
                                                       : QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    std::vector<QString> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.push_back(text.mid(line.textStart(), line.textLength()).remove(QChar(kBreakMark)));
    }
    layout.endLayout();
    return lines;
}

std::vector<LaidLine> computeLines(const std::string& text, const Font& font, Size constraint,
                                   LineBreakMode mode, int maxLines) {
    QFont qfont = font.toQFont();
    QFontMetricsF metrics(qfont);
    double width = constraint.width > 0 ? constraint.width : kUnlimited / 4;
    int fitting = std::numeric_limits<int>::max();
    if (constraint.height > 0) {
        fitting =
            std::max(1, static_cast<int>(std::floor(constraint.height / font.lineHeight() + 1e-6)));
    }
    if (maxLines > 0) {
        fitting = std::min(fitting, maxLines);
    }
    QStringList paragraphs = QString::fromStdString(text).split(QLatin1Char('\n'));
    std::vector<QString> all;
    std::vector<int> paragraphOf;
    for (int p = 0; p < paragraphs.size(); ++p) {
        for (QString& line : wrapParagraph(paragraphs[p], qfont, width, mode)) {
            all.push_back(std::move(line));
            paragraphOf.push_back(p);
        }
    }
    std::vector<LaidLine> lines;
    int shown = std::min<int>(fitting, static_cast<int>(all.size()));
    for (int i = 0; i < shown; ++i) {
        QString lineText = all[i];
        bool last = i == shown - 1;
        bool cutOff = last && shown < static_cast<int>(all.size());
        if (cutOff && truncates(mode)) {
            // The rest of the paragraph goes onto the last line, shortened to fit.
            for (int j = i + 1;
                 j < static_cast<int>(all.size()) && paragraphOf[j] == paragraphOf[i]; ++j) {
                lineText += all[j];
            }
            lineText = metrics.elidedText(lineText.trimmed(), elideMode(mode), width);
        } else if (truncates(mode) && metrics.horizontalAdvance(lineText) > width) {
            lineText = metrics.elidedText(lineText, elideMode(mode), width);
        }
        if (mode != LineBreakMode::CharWrap && mode != LineBreakMode::Clip) {
            // Trailing spaces at a word break take no room.
            while (lineText.endsWith(QLatin1Char(' ')) && i + 1 < static_cast<int>(all.size())) {
                lineText.chop(1);
            }
        }
        lines.push_back({metrics.horizontalAdvance(lineText), shapeLine(lineText, qfont)});
    }
    return lines;
}

struct LayoutKey {
    std::string text;
    Font font;
    double width;
    double height;
    LineBreakMode mode;
    int maxLines;

    bool operator==(const LayoutKey&) const = default;
};

struct LayoutKeyHash {
    size_t operator()(const LayoutKey& key) const {
        size_t hash = std::hash<std::string>()(key.text);
        for (size_t part : {std::hash<std::string>()(key.font.name()),
                            std::hash<double>()(key.font.size()), size_t{key.font.isBold()},
                            std::hash<double>()(key.width), std::hash<double>()(key.height),
                            static_cast<size_t>(key.mode), static_cast<size_t>(key.maxLines)}) {
            hash = hash * 31 + part;
        }
        return hash;
    }
};

// Screens and charts lay out the same few texts on every pass; shaping them is most of a text's
// cost. Bounded: a full cache starts again.
constexpr size_t kLayoutCacheSize = 1024;

const std::vector<LaidLine>& layoutLines(const std::string& text, const Font& font, Size constraint,
                                         LineBreakMode mode, int maxLines) {
    static std::unordered_map<LayoutKey, std::vector<LaidLine>, LayoutKeyHash> cache;
    LayoutKey key{text, font, constraint.width, constraint.height, mode, maxLines};
    if (const auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    if (cache.size() >= kLayoutCacheSize) {
        cache.clear();
    }
    auto lines = computeLines(text, font, constraint, mode, maxLines);
    return cache.emplace(std::move(key), std::move(lines)).first->second;
}

}  // namespace

Size TextLayout::measure(const std::string& text, const Font& font, Size constraint,
                         LineBreakMode mode, int maxLines) {
    if (text.empty()) {
        return {};
    }
    const std::vector<LaidLine>& lines = layoutLines(text, font, constraint, mode, maxLines);
    double width = 0;
    for (const LaidLine& line : lines) {
        width = std::max(width, line.width);
    }
    if (constraint.width > 0) {
        width = std::min(width, constraint.width);
    }
    return {std::ceil(width), std::ceil(lines.size() * font.lineHeight())};
}

Size TextLayout::draw(QPainter& painter, const std::string& text, const Rect& rect,
                      const Font& font, const Color& color, LineBreakMode mode,
                      TextAlignment alignment, int maxLines) {
    if (text.empty() || color.isClear()) {
        return {};
    }
    const std::vector<LaidLine>& lines =
        layoutLines(text, font, {rect.width, rect.height}, mode, maxLines);
    const QPen previous = painter.pen();
    painter.setPen(QColor::fromRgbF(color.red(), color.green(), color.blue(), color.alpha()));
    double y = rect.y;
    double widest = 0;
    for (const LaidLine& line : lines) {
        double x = rect.x;
        if (alignment == TextAlignment::Center) {
            x += (rect.width - line.width) / 2;
        } else if (alignment == TextAlignment::Right) {
            x += rect.width - line.width;
        }
        for (const QGlyphRun& run : line.glyphs) {
            painter.drawGlyphRun(QPointF(x, y + font.ascender()), run);
        }
        widest = std::max(widest, line.width);
        y += font.lineHeight();
    }
    painter.setPen(previous);
    return {rect.width > 0 ? std::min(widest, rect.width) : widest, y - rect.y};
}
